#include "keyboard/keyguide.h"
#include "keyboard/keytable.h"

#include <QTest>

namespace {

struct Line {
    float x1, y1, x2, y2;
};

// Exact to the twip: whole numbers well within float precision. Sides: top, right, bottom, left.
bool frameIs(const Frame& f, const std::array<Line, 4>& e)
{
    for (int i = 0; i < 4; ++i) {
        const FrameLine& ln = f.lines[i];
        if (ln.X1 != e[i].x1 || ln.Y1 != e[i].y1 || ln.X2 != e[i].x2 || ln.Y2 != e[i].y2)
            return false;
    }
    return true;
}

bool sameLine(const FrameLine& ln, const Line& e)
{
    return ln.X1 == e.x1 && ln.Y1 == e.y1 && ln.X2 == e.x2 && ln.Y2 == e.y2;
}

bool sameFrames(const KeyGuide& a, const KeyGuide& b)
{
    const auto same = [](const Frame& x, const Frame& y) {
        for (int i = 0; i < 4; ++i) {
            const FrameLine &p = x.lines[i], &q = y.lines[i];
            if (p.X1 != q.X1 || p.Y1 != q.Y1 || p.X2 != q.X2 || p.Y2 != q.Y2 ||
                p.visible != q.visible)
                return false;
        }
        return true;
    };
    return same(a.moji, b.moji) && same(a.moji2, b.moji2) && same(a.shift1, b.shift1) &&
           same(a.shift2, b.shift2);
}

// Frames of the keys the scenarios land on, worked out by hand with margin 40, trim 30, inset 20.
const Line aTop{2840, 6920, 3625, 6920};
const Line yenTop{12200, 5240, 12985, 5240};
const Line key47Top{11600, 7760, 12385, 7760};

} // namespace

class TestKeyGuide : public QObject {
    Q_OBJECT
private slots:
    void kakoiWorkedExamples();
    void designState();
    void shiftFollowsCharacter();
    void backslashCompanion();
    void keylessCharacterChangesNothing();
};

void TestKeyGuide::kakoiWorkedExamples()
{
    Frame f;
    f.setVisible(false);
    kakoi(f, keyRect(28), 30, 20);
    QVERIFY(frameIs(f, {{{5360, 6920, 6145, 6920},
                         {6155, 6920, 6155, 7585},
                         {5360, 7595, 6145, 7595},
                         {5360, 6920, 5360, 7585}}}));
    QVERIFY(!f.anyVisible());

    f.setVisible(true);
    kakoi(f, keyRect(50), 30, 20);
    QVERIFY(frameIs(f, {{{5720, 8600, 7945, 8600},
                         {7955, 8600, 7955, 9265},
                         {5720, 9275, 7945, 9275},
                         {5720, 8600, 5720, 9265}}}));
    QVERIFY(f.allVisible());

    // The right Shift is 1455 wide: its frame spans L-40 .. L+1475.
    kakoi(f, keyRect(49), 30, 20);
    QVERIFY(frameIs(f, {{{12440, 7760, 13945, 7760},
                         {13955, 7760, 13955, 8425},
                         {12440, 8435, 13945, 8435},
                         {12440, 7760, 12440, 8425}}}));
}

void TestKeyGuide::designState()
{
    KeyGuide g;
    QCOMPARE(g.Index, qint16(0));
    QCOMPARE(g.prevkey, qint16(-1));
    QVERIFY(frameIs(g.moji, {{{10560, 9120, 11640, 9120},
                              {11640, 9120, 11640, 10200},
                              {10560, 10200, 11640, 10200},
                              {10560, 9120, 10560, 10200}}}));
    QVERIFY(frameIs(g.shift1, {{{480, 9240, 1320, 9240},
                                {1320, 9240, 1320, 10200},
                                {480, 10200, 1320, 10200},
                                {480, 9240, 480, 10200}}}));
    QVERIFY(g.moji.allVisible());
    QVERIFY(!g.moji2.anyVisible() && !g.shift1.anyVisible() && !g.shift2.anyVisible());
    QCOMPARE(g.moji2.lines[0].X1, 3840.0f);
    QCOMPARE(g.shift2.lines[2].Y1, 10200.0f);

    // Loading again forgets the last key and the measures but leaves the frames be.
    g.round('A');
    g.trimlen = 0;
    g.insetlen = 0;
    const KeyGuide before = g;
    g.resetForLoad();
    QCOMPARE(g.prevkey, qint16(-1));
    QCOMPARE(g.trimlen, 30.0f);
    QCOMPARE(g.insetlen, 20.0f);
    QVERIFY(sameFrames(g, before));
}

void TestKeyGuide::shiftFollowsCharacter()
{
    KeyGuide g;
    g.round('a');
    QCOMPARE(g.Index, qint16(25));
    QVERIFY(sameLine(g.moji.lines[0], aTop));
    QVERIFY(!g.shift1.anyVisible() && !g.shift2.anyVisible());

    g.round('A');
    QCOMPARE(g.prevkey, qint16(25));
    QVERIFY(sameLine(g.moji.lines[0], aTop));
    QVERIFY(g.moji.allVisible());
    QVERIFY(g.shift1.allVisible() && g.shift2.allVisible());
    QVERIFY(frameIs(g.shift1, {{{1640, 7760, 3145, 7760},
                                {3155, 7760, 3155, 8425},
                                {1640, 8435, 3145, 8435},
                                {1640, 7760, 1640, 8425}}}));
    QCOMPARE(g.shift2.lines[1].X1, 13955.0f);

    // Back to unshifted on the same key, then a different key: Shift frames go at once.
    g.round('a');
    QVERIFY(!g.shift1.anyVisible() && !g.shift2.anyVisible());
    g.round('S');
    QCOMPARE(g.Index, qint16(26));
    QVERIFY(g.shift1.allVisible() && g.shift2.allVisible());
    g.round('s');
    QCOMPARE(g.prevkey, qint16(26));
    QVERIFY(sameLine(g.moji.lines[0], (Line{3680, 6920, 4465, 6920})));
    QVERIFY(!g.shift1.anyVisible() && !g.shift2.anyVisible());
}

void TestKeyGuide::backslashCompanion()
{
    const Line key47Right{12395, 7760, 12395, 8425};
    {
        KeyGuide g;
        g.round('\\');
        QCOMPARE(g.Index, qint16(12));
        QVERIFY(sameLine(g.moji.lines[0], yenTop));
        QVERIFY(g.moji2.allVisible());
        QVERIFY(sameLine(g.moji2.lines[0], key47Top));
        QVERIFY(sameLine(g.moji2.lines[1], key47Right));
        QVERIFY(!g.shift1.anyVisible());

        g.round('\\'); // again: the companion stays
        QVERIFY(g.moji2.allVisible());

        g.round('|'); // shifted on the same key: the companion goes, Shift comes
        QCOMPARE(g.Index, qint16(12));
        QVERIFY(!g.moji2.anyVisible());
        QVERIFY(g.shift1.allVisible() && g.shift2.allVisible());
        QVERIFY(sameLine(g.moji.lines[0], yenTop));
    }
    {
        KeyGuide g;
        g.round('\\');
        g.round('_');
        QCOMPARE(g.Index, qint16(47));
        QVERIFY(sameLine(g.moji.lines[0], key47Top));
        QVERIFY(!g.moji2.anyVisible());
        QVERIFY(g.shift1.allVisible());
    }
    {
        // A keyless character in between does not make the yen key forgotten.
        KeyGuide g;
        g.round('\\');
        g.round(-1);
        QVERIFY(g.moji2.allVisible());
        g.round('a');
        QVERIFY(!g.moji2.anyVisible());
    }
}

void TestKeyGuide::keylessCharacterChangesNothing()
{
    for (int code : {charCode(QChar(0x3042)), 9, 0xB1}) {
        KeyGuide g;
        g.round('F');
        const KeyGuide before = g;
        g.round(code);
        QCOMPARE(g.Index, qint16(-1));
        QCOMPARE(g.prevkey, qint16(28));
        QVERIFY(sameFrames(g, before));
        QVERIFY(g.shift1.allVisible());
    }
}

int runKeyGuideTests(int argc, char** argv)
{
    TestKeyGuide t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_keyguide.moc"

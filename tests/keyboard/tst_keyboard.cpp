#include "keyboard/colorguide.h"
#include "keyboard/keyboardwidgets.h"
#include "keyboard/keyguide.h"
#include "keyboard/keytable.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QList<float> coords(const Frame& f)
{
    QList<float> v;
    for (const FrameLine& ln : f.lines)
        v << ln.X1 << ln.Y1 << ln.X2 << ln.Y2;
    return v;
}

int shown(const Frame& f)
{
    return std::count_if(f.lines.begin(), f.lines.end(), [](auto& ln) { return ln.visible; });
}

QList<float> frames(const KeyGuide& g) // every frame's place and how much of it shows
{
    QList<float> v;
    for (const Frame* f : {&g.moji, &g.moji2, &g.shift1, &g.shift2})
        v << coords(*f) << float(shown(*f));
    return v;
}

// A pure red pixel within 3 pixels of the point (twips).
bool redNear(const QImage& img, double xTwips, double yTwips)
{
    const int cx = qRound(xTwips / 15.0), cy = qRound(yTwips / 15.0);
    for (int y = cy - 3; y <= cy + 3; ++y)
        for (int x = cx - 3; x <= cx + 3; ++x)
            if (img.rect().contains(x, y) && img.pixelColor(x, y) == QColor(Qt::red)) return true;
    return false;
}

// How many sides of the frame round the 735 x 615 key at (left, top) show red.
int redSides(const QImage& img, double left, double top)
{
    return redNear(img, left + 370, top - 40) + redNear(img, left + 755, top + 300) +
           redNear(img, left + 370, top + 635) + redNear(img, left - 40, top + 300);
}

QColor face(const QImage& img, const QPushButton* b) // clear of the caption
{
    return img.pixelColor(b->x() + 5, b->y() + b->height() / 2);
}

struct Board {
    KeyGuide guide;
    QWidget window;
    KeyboardWidgets* kb = new KeyboardWidgets(&window, guide);
    Board() { window.resize(1016, 714), window.show(); }
    QImage grab() { return window.grab().toImage(); }
    QImage typed(int code) { return guide.round(code), kb->refreshFrames(), grab(); }
};

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void keyMap_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("shifted");
        QTest::newRow("a") << int('a') << 25 << false;
        QTest::newRow("A") << int('A') << 25 << true;
        QTest::newRow("backslash on the yen key") << 92 << 12 << false;
        QTest::newRow("|") << int('|') << 12 << true;
        QTest::newRow("_ is the only way to key 47") << int('_') << 47 << true;
        QTest::newRow("0 has no shifted partner") << int('0') << 9 << false;
        QTest::newRow("space") << 32 << 50 << false;
        QTest::newRow("~ is JIS shifted ^") << int('~') << 11 << true;
        QTest::newRow("the table's no-character marker") << -1 << -1 << false;
    }
    void keyMap()
    {
        QFETCH(int, code);
        QFETCH(int, key);
        QFETCH(bool, shifted);
        QCOMPARE(keyForCode(code), key);
        QCOMPARE(isShiftedCode(code), shifted);
    }

    void codePage()
    {
        // Unicode to the code the key table uses; -1 stands for any negative value.
        const QList<QPair<char16_t, int>> cases{{0x61, 0x61},   {0xA5, 92},     {0x203E, 126},
                                                {0xFF61, 0xA1}, {0xFF9F, 0xDF}, {0xFF60, -1},
                                                {0xFFA0, -1},   {0x3042, -1},   {0xE9, -1}};
        for (const auto& [unicode, code] : cases)
            QCOMPARE(qMax(charCode(QChar(unicode)), -1), code);
    }

    void kakoiWorkedExamples()
    {
        Frame f;
        kakoi(f, keyRect(28)); // F
        QCOMPARE(coords(f), (QList<float>{5360, 6920, 6145, 6920, 6155, 6920, 6155, 7585, 5360,
                                          7595, 6145, 7595, 5360, 6920, 5360, 7585}));
        QCOMPARE(shown(f), 0); // visibility is left alone
        f.setVisible(true);
        kakoi(f, keyRect(50)); // Space
        QCOMPARE(coords(f), (QList<float>{5720, 8600, 7945, 8600, 7955, 8600, 7955, 9265, 5720,
                                          9275, 7945, 9275, 5720, 8600, 5720, 9265}));
        QCOMPARE(shown(f), 4);
        kakoi(f, keyRect(49)); // the right Shift, 1455 wide: L-40 .. L+1475
        QCOMPARE(coords(f), (QList<float>{12440, 7760, 13945, 7760, 13955, 7760, 13955, 8425, 12440,
                                          8435, 13945, 8435, 12440, 7760, 12440, 8425}));
    }

    void guideFollowsTyping_data()
    {
        // Typed in turn; then the key framed (its top line's left end) and what else shows.
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("index");
        QTest::addColumn<QPointF>("mojiAt");
        QTest::addColumn<bool>("companion");
        QTest::addColumn<bool>("shift");
        const QPointF a(2840, 6920), yen(12200, 5240), k47(11600, 7760);
        QTest::newRow("a") << "a" << 25 << a << false << false;
        QTest::newRow("A") << "A" << 25 << a << false << true;
        QTest::newRow("A then a: same key, Shift goes") << "Aa" << 25 << a << false << false;
        QTest::newRow("backslash") << "\\" << 12 << yen << true << false;
        QTest::newRow("backslash twice") << "\\\\" << 12 << yen << true << false;
        QTest::newRow("| after backslash") << "\\|" << 12 << yen << false << true;
        QTest::newRow("_ after backslash") << "\\_" << 47 << k47 << false << true;
        QTest::newRow("keyless in between") << "\\\t" << -1 << yen << true << false;
        QTest::newRow("keyless, then a") << "\\\ta" << 25 << a << false << false;
    }
    void guideFollowsTyping()
    {
        QFETCH(QString, typed);
        QFETCH(int, index);
        QFETCH(QPointF, mojiAt);
        QFETCH(bool, companion);
        QFETCH(bool, shift);
        KeyGuide g;
        for (QChar c : typed)
            g.round(charCode(c));
        QCOMPARE(g.Index, qint16(index));
        QCOMPARE(QPointF(g.moji.lines[0].X1, g.moji.lines[0].Y1), mojiAt);
        QCOMPARE(shown(g.moji), 4);
        QCOMPARE(shown(g.moji2), companion ? 4 : 0);
        QCOMPARE(shown(g.shift1) + shown(g.shift2), shift ? 8 : 0);
        if (companion) QCOMPARE(coords(g.moji2)[0], 11600.0f); // the lower backslash key
        if (shift) QCOMPARE(coords(g.shift1).mid(0, 4), (QList<float>{1640, 7760, 3145, 7760}));
    }

    void keylessCharacterChangesNothing()
    {
        for (int code : {charCode(QChar(0x3042)), 9, 0xB1}) {
            KeyGuide g;
            g.round('F');
            const KeyGuide before = g;
            g.round(code);
            QCOMPARE(g.Index, qint16(-1));
            QCOMPARE(g.prevkey, qint16(28));
            QCOMPARE(frames(g), frames(before));
        }
    }

    void loadForgetsLastKeyButKeepsFrames()
    {
        KeyGuide g;
        g.round('A');
        const KeyGuide before = g;
        g.resetForLoad();
        QCOMPARE(g.prevkey, qint16(-1));
        QCOMPARE(frames(g), frames(before));
        // Only the second backslash frame goes: nothing else could ever take it away.
        g.round('\\');
        g.resetForLoad();
        g.round('a');
        QCOMPARE(shown(g.moji2), 0);
    }

    void colourTag_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("background"); // invalid: button face
        QTest::newRow("space") << 32 << "SP" << QColor();
        QTest::newRow("backslash") << 92 << QString(QChar(0x00A5)) << QColor();
        QTest::newRow("q") << int('q') << "Q" << QColor(128, 255, 255);
        QTest::newRow("f") << int('f') << "F" << QColor(255, 0, 255);
        QTest::newRow("8") << int('8') << "8" << QColor(255, 255, 0);
        QTest::newRow(">") << int('>') << "." << QColor(0, 255, 0);
    }
    void colourTag()
    {
        QFETCH(int, code);
        QFETCH(QString, caption);
        QFETCH(QColor, background);
        const auto tag = Color(keyForCode(code), 0, 1, txtinLeft(0), txtinTop(0));
        QVERIFY(tag);
        QCOMPARE(tag->caption, caption);
        QCOMPARE(tag->background.value_or(QColor()), background);
        QCOMPARE(QPoint(tag->left, tag->top), QPoint(480 + 50 + 165, 600));
    }

    void colourTagPlacement()
    {
        // Past 16 bits on long lines the tag keeps moving right.
        for (auto [pos, left] : {std::pair{196, 32870}, {199, 33365}, {250, 41780}}) {
            const auto tag = Color(keyForCode('j'), 2, pos, txtinLeft(2), txtinTop(2));
            QCOMPARE(tag->left, left);
            QCOMPARE(tag->top, 2520);
        }
        // The fifth line still gets a tag; beyond it, or for a keyless character, none.
        QCOMPARE(Color(keyForCode('a'), 4, 3, txtinLeft(4), txtinTop(4))->top, 4440);
        QVERIFY(!Color(keyForCode('a'), 5, 3, 480, 5400));
        QVERIFY(!Color(-1, 0, 1, 480, 600));
    }

    void framesDrawnAboveKeys()
    {
        Board b;
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        QImage img = b.grab();
        QVERIFY(redNear(img, 11100, 9120)); // the main frame's place before typing
        QVERIFY(!redNear(img, 4380, 9120)); // the hidden companion
        img = b.typed('f');
        QCOMPARE(redSides(img, 5400, 6960), 4);
        QVERIFY(!redNear(img, 11100, 9120));
        QVERIFY(!redNear(img, 2400, 7760)); // left Shift
        img = b.typed('J');
        QCOMPARE(redSides(img, 5400, 6960), 0);
        QCOMPARE(redSides(img, 7920, 6960), 4);
        QVERIFY(redNear(img, 2400, 7760) && redNear(img, 13200, 7760));
    }

    void keysColourTagAndClicks()
    {
        Board b;
        QVERIFY(QTest::qWaitForWindowExposed(&b.window));
        QCOMPARE(b.kb->cmd(28)->geometry(), QRect(360, 464, 49, 41));
        QCOMPARE(b.kb->cmd(6)->geometry(), QRect(480, 352, 49, 41)); // off the grid: 7202 twips
        QCOMPARE(b.kb->cmd(12)->text(), QString(QChar(0x00A5)));
        QCOMPARE(b.window.childAt(b.kb->cmd(28)->geometry().center()), b.kb->cmd(28));
        QVERIFY(!b.kb->cmdcolor()->isVisible());
        for (QWidget* part : b.window.findChildren<QWidget*>()) // typing stays in the input boxes
            QCOMPARE(part->focusPolicy(), Qt::NoFocus);

        // The finger colours themselves, not a style's shading of them.
        const QImage img = b.grab();
        QCOMPARE(face(img, b.kb->cmd(28)), QColor(255, 0, 255));
        QCOMPARE(face(img, b.kb->cmd(13)), QColor(128, 255, 255));
        QCOMPARE(face(img, b.kb->cmd(50)), b.window.palette().color(QPalette::Button));
        const QImage legend = b.kb->lblyubi(3)->grab().toImage();
        QCOMPARE(legend.pixelColor(5, legend.height() / 2), QColor(0, 255, 255));

        // The tag stands above the window's own input box, which comes later.
        auto* txtin = new QWidget(&b.window);
        txtin->setGeometry(32, 40, 953, 25);
        txtin->show();
        b.kb->raiseOverlays();
        b.kb->applyColor(*Color(keyForCode('q'), 0, 1, txtinLeft(0), txtinTop(0)));
        b.kb->setColorTagVisible(true);
        QCOMPARE(b.kb->cmdcolor()->geometry(), QRect(46, 40, 33, 25));
        QCOMPARE(b.kb->cmdcolor()->text(), QStringLiteral("Q"));
        QCOMPARE(b.window.childAt(50, 50), b.kb->cmdcolor());
        QCOMPARE(face(b.grab(), b.kb->cmdcolor()), QColor(128, 255, 255));
        b.kb->applyColor(*Color(keyForCode(' '), 0, 2, txtinLeft(0), txtinTop(0)));
        QCOMPARE(b.kb->cmdcolor()->x(), (480 + 50 + 330) / 15);
        QCOMPARE(face(b.grab(), b.kb->cmdcolor()), b.window.palette().color(QPalette::Button));
        // The frames stay on top of everything and cover the window as it grows.
        QCOMPARE(b.window.children().last(), b.kb->overlay());
        b.window.resize(1100, 800);
        QCOMPARE(b.kb->overlay()->geometry(), b.window.rect());

        QSignalSpy keys(b.kb, &KeyboardWidgets::keyClicked);
        QSignalSpy tags(b.kb, &KeyboardWidgets::cmdcolorClicked);
        // Clicks go through the frame overlay to the key beneath.
        QTest::mouseClick(b.window.childAt(b.kb->cmd(31)->geometry().center()), Qt::LeftButton);
        QTest::mouseClick(b.kb->cmdcolor(), Qt::LeftButton);
        QCOMPARE(QList<QVariantList>(keys), QList<QVariantList>{{31}});
        QCOMPARE(tags.size(), 1);
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"

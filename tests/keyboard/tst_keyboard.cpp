#include "keyboard/colourguide.h"
#include "keyboard/keyboardwidgets.h"
#include "keyboard/keyguide.h"
#include "keyboard/keytable.h"
#include "tests/support/namedrow.h"

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
    void keyMap()
    {
        const struct {
            int code, key;
            bool shifted;
        } rows[]{{'a', 25, false}, {'A', 25, true}, {92, 12, false},  // backslash: the yen key
                 {'|', 12, true},  {'_', 47, true}, {'0', 9, false},  // 0: no shifted partner
                 {' ', 50, false}, {'~', 11, true}, {-1, -1, false}}; // -1: "no character"
        for (const auto& r : rows)
            QCOMPARE(namedRow(QString::number(r.code), keyForCode(r.code), isShiftedCode(r.code)),
                     namedRow(QString::number(r.code), r.key, r.shifted));
    }

    void kakoiWorkedExamples()
    {
        Frame f;
        kakoi(f, keyRect(28)); // F
        QCOMPARE(coords(f), (QList<float>{5360, 6920, 6145, 6920, 6155, 6920, 6155, 7585, 5360,
                                          7595, 6145, 7595, 5360, 6920, 5360, 7585}));
        QCOMPARE(shown(f), 0); // visibility is left alone
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
        QTest::addRow("a") << "a" << 25 << a << false << false;
        QTest::addRow("A") << "A" << 25 << a << false << true;
        QTest::addRow("A, a") << "Aa" << 25 << a << false << false;
        QTest::addRow("backslash") << "\\" << 12 << yen << true << false;
        QTest::addRow("backslash twice") << "\\\\" << 12 << yen << true << false;
        QTest::addRow("backslash, |") << "\\|" << 12 << yen << false << true;
        QTest::addRow("backslash, _") << "\\_" << 47 << k47 << false << true;
        QTest::addRow("backslash, Tab") << "\\\t" << -1 << yen << true << false;
        QTest::addRow("backslash, Tab, a") << "\\\ta" << 25 << a << false << false;
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
        for (auto [name, code] :
             {std::pair{"あ", charCode(QChar(0x3042))}, {"Tab", 9}, {"±", 0xB1}}) {
            KeyGuide g;
            g.round('F');
            const KeyGuide before = g;
            g.round(code);
            QVERIFY2(g.Index == -1 && g.prevkey == 28 && frames(g) == frames(before), name);
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

    void colourTag()
    {
        const QColor face; // invalid: the plain button face
        const struct {
            int code;
            QString caption;
            QColor background;
        } rows[]{{' ', "SP", face},
                 {92, QString(QChar(0x00A5)), face},
                 {'q', "Q", QColor(128, 255, 255)}, // the little finger's paler key colour
                 {'f', "F", QColor(255, 0, 255)},
                 {'8', "8", QColor(255, 255, 0)},
                 {'>', ".", QColor(0, 255, 0)}};
        const auto name = [](const QColor& c) { return c.isValid() ? c.name() : "face"; };
        for (const auto& r : rows) {
            const auto tag = Color(keyForCode(r.code), 0, 1, txtinLeft(0), txtinTop(0));
            QCOMPARE(namedRow(QString::number(r.code), tag->caption,
                              name(tag->background.value_or(face)), tag->left, tag->top),
                     namedRow(QString::number(r.code), r.caption, name(r.background),
                              480 + 50 + 165, 600));
        }
    }

    void colourTagPlacement()
    {
        // Past 16 bits on long lines the tag keeps moving right; past the fifth line, or for
        // a keyless character, there is none.
        QCOMPARE(Color(keyForCode('j'), 2, 250, txtinLeft(2), txtinTop(2))->left, 41780);
        QVERIFY(!Color(keyForCode('a'), 5, 3, txtinLeft(5), txtinTop(5)));
        QVERIFY(!Color(-1, 0, 1, txtinLeft(0), txtinTop(0)));
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
        QStringList focusable; // typing stays in the input boxes
        for (QWidget* part : b.window.findChildren<QWidget*>())
            if (part->focusPolicy() != Qt::NoFocus)
                focusable << part->metaObject()->className() +
                                 (' ' + part->property("text").toString());
        QCOMPARE(focusable.join(", "), QString());
        // The finger colours themselves, not a style's shading of them.
        const QImage img = b.grab();
        QCOMPARE(face(img, b.kb->cmd(28)), QColor(255, 0, 255));
        QCOMPARE(face(img, b.kb->cmd(13)), QColor(128, 255, 255));
        QCOMPARE(face(img, b.kb->cmd(50)), b.window.palette().color(QPalette::Button));

        // The tag stands above an input box the window adds later, in its key's colour.
        (new QWidget(&b.window))->setGeometry(32, 40, 953, 25);
        b.kb->raiseOverlays();
        b.kb->applyColour(*Color(keyForCode('q'), 0, 1, txtinLeft(0), txtinTop(0)));
        b.kb->setColourTagVisible(true);
        QCOMPARE(b.window.childAt(50, 50), b.kb->cmdcolor());
        QCOMPARE(face(b.grab(), b.kb->cmdcolor()), QColor(128, 255, 255));

        // Clicks go through the frame overlay to the key beneath.
        QSignalSpy keys(b.kb, &KeyboardWidgets::keyClicked);
        QTest::mouseClick(b.window.childAt(b.kb->cmd(31)->geometry().center()), Qt::LeftButton);
        QCOMPARE(QList<QVariantList>(keys), QList<QVariantList>{{31}});
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"

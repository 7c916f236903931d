#include "keyboard/keyboardwidgets.h"
#include "keyboard/keyguide.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr QRgb red = qRgb(255, 0, 0);

// Whether a pure red pixel lies within `slack` pixels of the point (twips) on a frame line.
bool redNear(const QImage& img, double xTwips, double yTwips, int slack = 3)
{
    const int cx = qRound(xTwips / 15.0), cy = qRound(yTwips / 15.0);
    for (int y = cy - slack; y <= cy + slack; ++y) {
        for (int x = cx - slack; x <= cx + slack; ++x) {
            if (img.rect().contains(x, y) && (img.pixel(x, y) & 0xFFFFFF) == (red & 0xFFFFFF))
                return true;
        }
    }
    return false;
}

// The middle of each side of the frame round a 735 x 615 key at (left, top), in twips.
QList<QPointF> frameSides(double left, double top)
{
    return {{left + 370, top - 40},
            {left + 755, top + 300},
            {left + 370, top + 635},
            {left - 40, top + 300}};
}

int redSides(const QImage& img, double left, double top)
{
    int n = 0;
    for (const QPointF& p : frameSides(left, top))
        n += redNear(img, p.x(), p.y()) ? 1 : 0;
    return n;
}

// A spot inside a key clear of its caption.
QColor faceColour(const QImage& img, const QPushButton* b)
{
    return img.pixelColor(b->x() + 5, b->y() + b->height() / 2);
}

} // namespace

class TestKeyboardWidgets : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layoutAndFocus();
    void keyColoursShow();
    void framesDrawnAboveKeys();
    void colourTagAndClicks();

private:
    QWidget* window_ = nullptr;
    KeyGuide guide_;
    KeyboardWidgets* kb_ = nullptr;
};

void TestKeyboardWidgets::init()
{
    guide_ = KeyGuide();
    window_ = new QWidget;
    window_->resize(1016, 714);
    kb_ = new KeyboardWidgets(window_, guide_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
}

void TestKeyboardWidgets::cleanup()
{
    delete window_;
    window_ = nullptr;
}

void TestKeyboardWidgets::layoutAndFocus()
{
    QCOMPARE(kb_->cmd(28)->geometry(), QRect(360, 464, 49, 41));
    QCOMPARE(kb_->cmd(6)->geometry(), QRect(480, 352, 49, 41));  // 7202 twips
    QCOMPARE(kb_->cmd(15)->geometry(), QRect(280, 408, 49, 41)); // 4206 twips
    QCOMPARE(kb_->cmd(50)->geometry(), QRect(384, 576, 145, 41));
    QCOMPARE(kb_->cmd(12)->text(), QString(QChar(0x00A5)));
    QCOMPARE(kb_->Frame1()->geometry(), QRect(8, 352, 89, 193));
    QCOMPARE(kb_->lblyubi(0)->geometry(), QRect(8, 24, 73, 33));
    QCOMPARE(kb_->lblyubi(3)->geometry(), QRect(8, 144, 73, 33));
    QCOMPARE(kb_->lblyubi(1)->text(), QStringLiteral("中指"));
    QCOMPARE(kb_->Line1()->geometry().top(), 336);
    // The home markers sit behind F and J and peek out round them.
    QVERIFY(kb_->Shape1()->geometry().contains(kb_->cmd(28)->geometry()));
    QVERIFY(kb_->Shape2()->geometry().contains(kb_->cmd(31)->geometry()));
    QCOMPARE(window_->childAt(kb_->cmd(28)->geometry().center()), kb_->cmd(28));
    QVERIFY(!kb_->cmdcolor()->isVisible());

    for (int i = 0; i < keyCount; ++i)
        QCOMPARE(kb_->cmd(i)->focusPolicy(), Qt::NoFocus);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(kb_->lblyubi(i)->focusPolicy(), Qt::NoFocus);
    QCOMPARE(kb_->cmdcolor()->focusPolicy(), Qt::NoFocus);
}

void TestKeyboardWidgets::keyColoursShow()
{
    // The finger colours themselves, not a style's shading of them.
    const QImage img = window_->grab().toImage();
    QCOMPARE(faceColour(img, kb_->cmd(28)), QColor(255, 0, 255));
    QCOMPARE(faceColour(img, kb_->cmd(13)), QColor(128, 255, 255));
    QCOMPARE(faceColour(img, kb_->cmd(27)), QColor(255, 255, 0));
    QCOMPARE(faceColour(img, kb_->cmd(50)), window_->palette().color(QPalette::Button));
    // The little finger's legend is the full cyan its keys soften.
    const QImage legend = kb_->lblyubi(3)->grab().toImage();
    const QColor c = legend.pixelColor(5, legend.height() / 2);
    QCOMPARE(c, QColor(0, 255, 255));
}

void TestKeyboardWidgets::framesDrawnAboveKeys()
{
    // Before anything is typed only the main frame shows, in its place below the keyboard.
    QImage img = window_->grab().toImage();
    QVERIFY(redNear(img, 11100, 9120));
    QVERIFY(!redNear(img, 4380, 9120)); // hidden companion frame

    guide_.round('f');
    kb_->refreshFrames();
    img = window_->grab().toImage();
    QCOMPARE(redSides(img, 5400, 6960), 4);
    QVERIFY(!redNear(img, 11100, 9120));
    QVERIFY(!redNear(img, 2400, 7760)); // left Shift

    guide_.round('J');
    kb_->refreshFrames();
    img = window_->grab().toImage();
    QCOMPARE(redSides(img, 5400, 6960), 0);
    QCOMPARE(redSides(img, 7920, 6960), 4);
    QVERIFY(redNear(img, 2400, 7760));
    QVERIFY(redNear(img, 13200, 7760));
}

void TestKeyboardWidgets::colourTagAndClicks()
{
    // The window's own input box comes later; the tag must still stand above it.
    auto* txtin = new QLineEdit(window_);
    txtin->setGeometry(32, 40, 953, 25);
    txtin->show();
    kb_->raiseOverlays();

    const ColorTag tag = *Color(keyForCode('q'), 0, 1, txtinLeft(0), txtinTop(0));
    kb_->applyColor(tag);
    kb_->setColorTagVisible(true);
    QCOMPARE(kb_->cmdcolor()->geometry(), QRect(46, 40, 33, 25));
    QCOMPARE(kb_->cmdcolor()->text(), QStringLiteral("Q"));
    QCOMPARE(window_->childAt(50, 50), kb_->cmdcolor());
    QImage img = window_->grab().toImage();
    QCOMPARE(faceColour(img, kb_->cmdcolor()), QColor(128, 255, 255));

    // Back on the plain face for a key without a finger.
    kb_->applyColor(*Color(keyForCode(' '), 0, 2, txtinLeft(0), txtinTop(0)));
    QCOMPARE(kb_->cmdcolor()->x(), (480 + 50 + 330) / 15);
    img = window_->grab().toImage();
    QCOMPARE(faceColour(img, kb_->cmdcolor()), window_->palette().color(QPalette::Button));
    // The frames stay on top of everything, the window's own widgets included.
    QCOMPARE(window_->children().last(), kb_->overlay());
    window_->resize(1100, 800);
    QCOMPARE(kb_->overlay()->geometry(), window_->rect());

    QSignalSpy keys(kb_, &KeyboardWidgets::keyClicked);
    QSignalSpy tags(kb_, &KeyboardWidgets::cmdcolorClicked);
    // Clicks go through the frame overlay to the key beneath.
    QTest::mouseClick(window_->childAt(kb_->cmd(31)->geometry().center()), Qt::LeftButton);
    QTest::mouseClick(kb_->cmdcolor(), Qt::LeftButton);
    QCOMPARE(keys.size(), 1);
    QCOMPARE(keys.at(0).at(0).toInt(), 31);
    QCOMPARE(tags.size(), 1);
}

int runWidgetTests(int argc, char** argv)
{
    TestKeyboardWidgets t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_widgets.moc"

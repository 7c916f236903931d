#include "keyboard/keyboardwidgets.h"

#include "keyboard/fingercolours.h"
#include "keyboard/keycap.h"
#include "keyboard/keyguide.h"
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLineF>
#include <QPainter>
#include <QPushButton>

namespace {

using twips::Box;

// Window parts other than the keys, in twips of the main window.
struct KeyboardLayout {
    Box line1;  // a rule above the keyboard; wider than the window, as drawn
    Box shape1; // home-position marker behind F
    Box shape2; // home-position marker behind J
    Box frame1;
    const char* frame1Caption;
    double keyPointSize;
    QRgb frameColour;
    qreal framePenPixels;
    QRgb ruleColour;
};
constexpr KeyboardLayout keyboardLayout{
    {0, 5040, 15480, 15},
    {5340, 6810, 855, 945},
    {7860, 6810, 855, 945},
    {120, 5280, 1335, 2895},
    "どの指か",
    22,
    qRgb(255, 0, 0),
    3,
    qRgb(0, 0, 0),
};

void homeMarker(QWidget* parent, const Box& box)
{
    (new HomeMarker(parent))->setGeometry(box.pixels());
}

QPointF px(float x, float y)
{
    return twips::point(x, y);
}

} // namespace

FrameOverlay::FrameOverlay(const KeyGuide& guide, QWidget* parent) : QWidget(parent), guide_(guide)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    painted_ = linesRegion();
    if (parent) {
        setGeometry(parent->rect());
        parent->installEventFilter(this);
    }
}

bool FrameOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

QRegion FrameOverlay::linesRegion() const
{
    const int pad = keyboardLayout.framePenPixels + 1;
    QRegion region;
    for (const Frame* f : {&guide_.moji, &guide_.moji2, &guide_.shift1, &guide_.shift2})
        for (const FrameLine& ln : f->lines)
            if (ln.visible)
                region += QRectF(px(ln.X1, ln.Y1), px(ln.X2, ln.Y2))
                              .normalized()
                              .toAlignedRect()
                              .adjusted(-pad, -pad, pad, pad);
    return region;
}

void FrameOverlay::refresh()
{
    // Only where a frame was or now is: the whole keyboard under the overlay is costly
    // to repaint on every key.
    const QRegion now = linesRegion();
    update(painted_ | now);
    painted_ = now;
}

void FrameOverlay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // Solid, unblended pixels: the frame reads the same on every key colour.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(keyboardLayout.frameColour), keyboardLayout.framePenPixels, Qt::SolidLine,
                  Qt::SquareCap));
    for (const Frame* f : {&guide_.moji, &guide_.moji2, &guide_.shift1, &guide_.shift2}) {
        for (const FrameLine& ln : f->lines) {
            if (ln.visible) p.drawLine(QLineF(px(ln.X1, ln.Y1), px(ln.X2, ln.Y2)));
        }
    }
}

KeyboardWidgets::KeyboardWidgets(QWidget* parent, const KeyGuide& guide) : QObject(parent)
{
    auto* line1 = new QFrame(parent);
    line1->setGeometry(keyboardLayout.line1.pixels());
    line1->setFocusPolicy(Qt::NoFocus);
    QPalette rule = line1->palette();
    rule.setColor(QPalette::Window, QColor(keyboardLayout.ruleColour));
    line1->setPalette(rule);
    line1->setAutoFillBackground(true);

    // Created before the keys so they lie underneath them.
    homeMarker(parent, keyboardLayout.shape1);
    homeMarker(parent, keyboardLayout.shape2);

    const QFont keyFont = fonts::design(fonts::gothic, keyboardLayout.keyPointSize);
    for (int i = 0; i < keyCount; ++i) {
        const KeyDef& k = keyTable[i];
        auto* b = new KeyCap(QString::fromUtf8(k.legend), parent);
        b->setGeometry(twips::rect(k.left, k.top, k.width, k.height));
        b->setFont(keyFont);
        if (i == backslashKey) {
            // Japanese fonts draw the backslash as a yen sign; this keycap shows a real one.
            QFont backslashFont = keyFont;
            backslashFont.setFamilies({QStringLiteral("DejaVu Sans Mono"), fonts::gothic});
            b->setFont(backslashFont);
        }
        b->setFocusPolicy(Qt::NoFocus);
        b->setFace(keyColour(i));
        connect(b, &QPushButton::clicked, this, [this, i] { emit keyClicked(i); });
        cmd_[i] = b;
    }

    auto* frame1 = new QGroupBox(QString::fromUtf8(keyboardLayout.frame1Caption), parent);
    frame1->setGeometry(keyboardLayout.frame1.pixels());
    frame1->setFocusPolicy(Qt::NoFocus);
    const QFont legendFont =
        fonts::design(fonts::proportionalGothic, lblyubiLayout.pointSize, true);
    for (int i = 0; i < int(fingerStyles.size()); ++i) {
        const FingerStyle& s = fingerStyles[i];
        auto* b = new KeyCap(QString::fromUtf8(s.caption), frame1);
        b->setGeometry(twips::rect(lblyubiLayout.left - keyboardLayout.frame1.left,
                                   s.legendTop - keyboardLayout.frame1.top, lblyubiLayout.width,
                                   lblyubiLayout.height));
        b->setFont(legendFont);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFace(QColor(s.legendColour));
        lblyubi_[i] = b;
    }

    cmdcolor_ = new KeyCap({}, parent);
    cmdcolor_->resize(twips::toPixels(cmdcolorLayout.width),
                      twips::toPixels(cmdcolorLayout.height));
    cmdcolor_->setFont(fonts::design(fonts::proportionalGothic, cmdcolorLayout.pointSize, true));
    cmdcolor_->setFocusPolicy(Qt::NoFocus);
    cmdcolor_->hide();
    connect(cmdcolor_, &QPushButton::clicked, this, &KeyboardWidgets::cmdcolorClicked);

    overlay_ = new FrameOverlay(guide, parent);
    raiseOverlays();
}

QPushButton* KeyboardWidgets::cmdcolor() const
{
    return cmdcolor_;
}

void KeyboardWidgets::refreshFrames()
{
    overlay_->refresh();
}

void KeyboardWidgets::applyColour(const ColourTag& tag)
{
    cmdcolor_->setFace(tag.background);
    cmdcolor_->setText(tag.caption);
    cmdcolor_->move(twips::toPixels(tag.left), twips::toPixels(tag.top));
}

void KeyboardWidgets::setColourTagVisible(bool on)
{
    cmdcolor_->setVisible(on);
}

void KeyboardWidgets::raiseOverlays()
{
    cmdcolor_->raise();
    overlay_->raise();
}

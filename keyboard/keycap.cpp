#include "keyboard/keycap.h"

#include <QPainter>

namespace {

constexpr QRgb keyBorderColour = qRgb(112, 112, 112);
constexpr qreal keyRadius = 3;
constexpr QRgb markerColour = qRgb(64, 64, 64);
constexpr qreal markerPen = 2;
constexpr qreal markerRadius = 4;

// A rectangle whose outline of `pen` pixels lies wholly inside `r`.
QRectF inside(const QRect& r, qreal pen)
{
    const qreal half = pen / 2;
    return QRectF(r).adjusted(half, half, -half, -half);
}

} // namespace

KeyCap::KeyCap(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void KeyCap::setFace(const std::optional<QColor>& colour)
{
    if (face_ == colour) return;
    face_ = colour;
    update();
}

void KeyCap::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QColor face = face_ ? *face_ : palette().color(QPalette::Button);
    if (isDown()) face = face_ ? face_->darker(120) : palette().color(QPalette::Mid);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(keyBorderColour), 1));
    p.setBrush(face);
    p.drawRoundedRect(inside(rect(), 1), keyRadius, keyRadius);
    // The finger colours are all light: their captions are dark whatever the colour scheme.
    p.setPen(face_ ? QColor(Qt::black) : palette().color(QPalette::ButtonText));
    p.drawText(rect(), Qt::AlignCenter, text());
}

HomeMarker::HomeMarker(QWidget* parent) : QFrame(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void HomeMarker::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(markerColour), markerPen));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(inside(rect(), markerPen), markerRadius, markerRadius);
}

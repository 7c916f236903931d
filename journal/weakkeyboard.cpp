#include "journal/weakkeyboard.h"

#include "journal/weakkeys.h"

#include <QPainter>
#include <algorithm>

namespace {

// The keys' bounding box in the main window's twips.
QRectF boardBounds()
{
    QRectF bounds;
    for (const KeyDef& k : keyTable)
        bounds |= QRectF(k.left, k.top, k.width, k.height);
    return bounds;
}

const QColor untouchedFace(0xe8, 0xe8, 0xe8);
const QColor keyBorder(0x70, 0x70, 0x70);
constexpr double legendShare = 0.45; // of a key's height
constexpr double cornerPixels = 2.0;

} // namespace

WeakKeyboard::WeakKeyboard(QWidget* parent) : QWidget(parent) {}

void WeakKeyboard::setRates(const Rates& rates)
{
    rates_ = rates;
    update();
}

QColor WeakKeyboard::keyFill(int key) const
{
    return rates_[key] ? weakkeys::tint(*rates_[key]) : untouchedFace;
}

QRectF WeakKeyboard::keyRect(int key) const
{
    static const QRectF bounds = boardBounds();
    // One scale for both directions, so keys keep their shape; the board sits centred.
    const double scale = std::min((width() - 1) / bounds.width(), (height() - 1) / bounds.height());
    const QPointF origin((width() - bounds.width() * scale) / 2,
                         (height() - bounds.height() * scale) / 2);
    const KeyDef& k = keyTable[key];
    return QRectF(origin.x() + (k.left - bounds.left()) * scale,
                  origin.y() + (k.top - bounds.top()) * scale, k.width * scale, k.height * scale);
}

void WeakKeyboard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont legend = font();
    legend.setPixelSize(std::max(6, int(keyRect(0).height() * legendShare)));
    p.setFont(legend);
    for (int key = 0; key < keyCount; ++key) {
        const QRectF r = keyRect(key);
        p.setPen(keyBorder);
        p.setBrush(keyFill(key));
        p.drawRoundedRect(r, cornerPixels, cornerPixels);
        p.setPen(Qt::black);
        p.drawText(r, Qt::AlignCenter, QString::fromUtf8(keyTable[key].legend));
    }
}

#include "dialogs/appicon.h"

#include "ui/fonts.h"

#include <QPainter>
#include <QPainterPath>

QPixmap dovanelIconPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const qreal s = size;
    const qreal radius = s * 0.16;
    // The key's skirt, darker and a little lower, gives the cap its depth.
    const QRectF skirt(s * 0.04, s * 0.08, s * 0.92, s * 0.88);
    p.setPen(QPen(QColor(0x1f, 0x3a, 0x5f), qMax(1.0, s / 32)));
    p.setBrush(QColor(0x3d, 0x6a, 0xa8));
    p.drawRoundedRect(skirt, radius, radius);
    // The top the finger presses.
    const QRectF top(s * 0.13, s * 0.10, s * 0.74, s * 0.70);
    QLinearGradient face(top.topLeft(), top.bottomLeft());
    face.setColorAt(0, QColor(0xff, 0xff, 0xff));
    face.setColorAt(1, QColor(0xdc, 0xe6, 0xf2));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(top, radius * 0.8, radius * 0.8);

    // JIS key caps carry the Latin letter top left and the kana bottom right; below 24 pixels
    // only the kana stays legible.
    QFont kanaFont = fonts::design(fonts::proportionalGothic, 10, true);
    if (size >= 24) {
        QFont latin = fonts::design(fonts::proportionalGothic, 10, true);
        latin.setPixelSize(qMax(1, qRound(s * 0.26)));
        p.setFont(latin);
        p.setPen(QColor(0x1f, 0x3a, 0x5f));
        p.drawText(top.adjusted(s * 0.06, s * 0.02, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   QStringLiteral("A"));
        kanaFont.setPixelSize(qMax(1, qRound(s * 0.40)));
        p.setFont(kanaFont);
        p.setPen(QColor(0xc0, 0x20, 0x20));
        p.drawText(top.adjusted(0, 0, -s * 0.05, s * 0.02), Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("あ"));
    } else {
        kanaFont.setPixelSize(qMax(1, qRound(s * 0.55)));
        p.setFont(kanaFont);
        p.setPen(QColor(0xc0, 0x20, 0x20));
        p.drawText(top, Qt::AlignCenter, QStringLiteral("あ"));
    }
    return pixmap;
}

QIcon dovanelIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(dovanelIconPixmap(size));
    return icon;
}

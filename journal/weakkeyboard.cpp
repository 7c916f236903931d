#include "journal/weakkeyboard.h"

#include <QPainter>
#include <algorithm>
#include <array>

namespace {

// The numeric keypad in key units: legend, the character it types, column, row, size.
struct PadKey {
    const char* legend;
    char types;
    double left, top, width, height;
};
constexpr std::array<PadKey, 17> keypad{{
    {"Num", 0, 0, 0, 1, 1},
    {"/", '/', 1, 0, 1, 1},
    {"*", '*', 2, 0, 1, 1},
    {"-", '-', 3, 0, 1, 1},
    {"7", '7', 0, 1, 1, 1},
    {"8", '8', 1, 1, 1, 1},
    {"9", '9', 2, 1, 1, 1},
    {"+", '+', 3, 1, 1, 2},
    {"4", '4', 0, 2, 1, 1},
    {"5", '5', 1, 2, 1, 1},
    {"6", '6', 2, 2, 1, 1},
    {"1", '1', 0, 3, 1, 1},
    {"2", '2', 1, 3, 1, 1},
    {"3", '3', 2, 3, 1, 1},
    {"Enter", '\r', 3, 3, 1, 2},
    {"0", '0', 0, 4, 2, 1},
    {".", '.', 2, 4, 1, 1},
}};
constexpr double padGap = 0.1; // of a key unit, between keys

// Colours of the bands, lowest first, and the legend's words.
const std::array<QColor, weakkeys::bandFloors.size()> bandFills{
    QColor(0xff, 0xff, 0xff), QColor(0xff, 0xc8, 0xc8), QColor(0xff, 0x8c, 0x8c),
    QColor(0xeb, 0x32, 0x32), QColor(0xa8, 0x00, 0x00)};
constexpr int firstDarkBand = 3; // white legends from here
const QColor keyBorder(0x60, 0x60, 0x60);
const QColor unseenText(0x90, 0x90, 0x90);
const QColor fewHatch(0x80, 0x80, 0x80);
// Shades of a key beside the bands: none of its characters came up, or too rarely.
enum : int { unseen = -2, few = -1 };
const QString unseenCaption = QStringLiteral("出ていない");
const QString fewCaption = QStringLiteral("%1打鍵未満").arg(weakkeys::fewestKeystrokes);
const QString rateCaption = QStringLiteral("ミス率");

constexpr double legendShare = 0.55; // of a key's height
constexpr double cornerPixels = 3.0;
constexpr int legendRows = 2; // of the band legend, beneath the board
constexpr double legendRowPixels = 17;
constexpr double swatchPixels = 12;
constexpr double swatchGap = 4;

QString percent(double rate)
{
    return QString::number(rate * 100.0, 'g', 3);
}

// "2〜5％"; the first band "2％未満", the last "20％以上"; the two shades by name.
QString caption(int shade)
{
    const auto& f = weakkeys::bandFloors;
    if (shade == unseen) return unseenCaption;
    if (shade == few) return fewCaption;
    if (shade == 0) return percent(f[1]) + QStringLiteral("％未満");
    if (shade + 1 == int(f.size())) return percent(f[shade]) + QStringLiteral("％以上");
    return percent(f[shade]) + u'〜' + percent(f[shade + 1]) + u'％';
}

QBrush brush(int shade)
{
    return shade == unseen ? QBrush(Qt::NoBrush)
           : shade == few  ? QBrush(fewHatch, Qt::BDiagPattern)
                           : QBrush(bandFills[shade]);
}

QPen border(int shade)
{
    return shade == unseen ? QPen(unseenText, 1, Qt::DashLine) : QPen(keyBorder);
}

} // namespace

WeakKeyboard::WeakKeyboard(QWidget* parent) : QWidget(parent)
{
    setTallies({}, Board::Full);
}

void WeakKeyboard::setTallies(const QList<CharTally>& tallies, Board board)
{
    board_ = board;
    keys_.clear();
    bounds_ = {};
    if (board == Board::Full) {
        const auto counts = weakkeys::keyCounts(tallies);
        for (int k = 0; k < keyCount; ++k) {
            const KeyDef& d = keyTable[k];
            keys_.push_back(
                {QString::fromUtf8(d.legend), QRectF(d.left, d.top, d.width, d.height), counts[k]});
        }
    } else {
        for (const PadKey& d : keypad) {
            weakkeys::KeyCounts counts;
            for (const CharTally& t : tallies)
                if (d.types && t.character == QLatin1Char(d.types)) counts = {t.due, t.wrong, true};
            keys_.push_back({QString::fromLatin1(d.legend),
                             QRectF(d.left, d.top, d.width - padGap, d.height - padGap), counts});
        }
    }
    for (const Key& k : keys_)
        bounds_ |= k.place;
    update();
}

QString WeakKeyboard::legend(int key) const
{
    return keys_[key].legend;
}

int WeakKeyboard::shade(int key) const
{
    const weakkeys::KeyCounts& c = keys_[key].counts;
    if (!c.seen) return unseen;
    if (!weakkeys::enough(c.due, c.wrong)) return few;
    return weakkeys::band(weakkeys::missRate(c.due, c.wrong));
}

QBrush WeakKeyboard::keyFill(int key) const
{
    return brush(shade(key));
}

QRectF WeakKeyboard::boardArea() const
{
    return QRectF(0, 0, width() - 1, height() - 1 - legendRows * legendRowPixels);
}

QRectF WeakKeyboard::keyRect(int key) const
{
    // One scale for both directions, so keys keep their shape; the board sits centred.
    const QRectF area = boardArea();
    const double scale = std::min(area.width() / bounds_.width(), area.height() / bounds_.height());
    const QPointF origin((area.width() - bounds_.width() * scale) / 2,
                         (area.height() - bounds_.height() * scale) / 2);
    const QRectF& r = keys_[key].place;
    return QRectF(origin.x() + (r.left() - bounds_.left()) * scale,
                  origin.y() + (r.top() - bounds_.top()) * scale, r.width() * scale,
                  r.height() * scale);
}

void WeakKeyboard::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font = this->font();
    font.setPixelSize(std::max(8, int(keyRect(0).height() * legendShare)));
    p.setFont(font);
    for (int key = 0; key < keys(); ++key) {
        const QRectF r = keyRect(key);
        const int s = shade(key);
        if (s == few) { // the hatch over white
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::white);
            p.drawRoundedRect(r, cornerPixels, cornerPixels);
        }
        p.setPen(border(s));
        p.setBrush(brush(s));
        p.drawRoundedRect(r, cornerPixels, cornerPixels);
        p.setPen(s == unseen ? unseenText : s >= firstDarkBand ? Qt::white : Qt::black);
        // A word such as "Enter" shrinks to its key.
        const double room = r.width() / QFontMetricsF(font).horizontalAdvance(keys_[key].legend);
        p.save();
        p.translate(r.center());
        p.scale(std::min(1.0, room), 1.0);
        p.drawText(QRectF(-r.width(), -r.height() / 2, 2 * r.width(), r.height()), Qt::AlignCenter,
                   keys_[key].legend);
        p.restore();
    }

    // The legend: the rate's bands, then the keys that have no rate.
    font.setPixelSize(int(swatchPixels));
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const std::array<std::vector<int>, legendRows> rows{{{0, 1, 2, 3, 4}, {unseen, few}}};
    for (int row = 0; row < legendRows; ++row) {
        double x = 0;
        const double y = height() - (legendRows - row) * legendRowPixels + 2;
        const QPointF baseline(0, swatchPixels - 2);
        p.setPen(Qt::black);
        if (row == 0) {
            p.drawText(QPointF(x, y) + baseline, rateCaption);
            x += metrics.horizontalAdvance(rateCaption) + swatchGap;
        }
        for (int s : rows[row]) {
            p.setPen(border(s));
            p.setBrush(brush(s));
            p.drawRect(QRectF(x, y, swatchPixels, swatchPixels));
            x += swatchPixels + swatchGap;
            p.setPen(Qt::black);
            p.drawText(QPointF(x, y) + baseline, caption(s));
            x += metrics.horizontalAdvance(caption(s)) + 3 * swatchGap;
        }
    }
}

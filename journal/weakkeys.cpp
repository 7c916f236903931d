#include "journal/weakkeys.h"

#include <algorithm>
#include <cmath>

namespace weakkeys {

namespace {
const QString spaceName = QStringLiteral("スペース");
}

double missRate(int due, int wrong)
{
    const int strokes = due + wrong;
    return strokes > 0 ? double(wrong) / strokes : 0.0;
}

double rateFloor(int due, int wrong)
{
    const double n = due + wrong;
    if (n <= 0) return 0.0;
    const double p = wrong / n;
    const double z2 = confidence * confidence;
    const double centre = p + z2 / (2 * n);
    const double spread = confidence * std::sqrt(p * (1 - p) / n + z2 / (4 * n * n));
    return std::max(0.0, (centre - spread) / (1 + z2 / n));
}

bool enough(int due, int wrong)
{
    return due + wrong >= fewestKeystrokes;
}

QList<CharTally> weakest(const QList<CharTally>& tallies, int count)
{
    QList<CharTally> missed;
    for (const CharTally& t : tallies)
        if (t.wrong > 0 && enough(t.due, t.wrong)) missed.append(t);
    std::stable_sort(missed.begin(), missed.end(), [](const CharTally& a, const CharTally& b) {
        const double fa = rateFloor(a.due, a.wrong), fb = rateFloor(b.due, b.wrong);
        if (fa != fb) return fa > fb;
        if (a.wrong != b.wrong) return a.wrong > b.wrong;
        return a.character < b.character;
    });
    return missed.mid(0, count);
}

Trend trend(const CharTally& older, const CharTally& newer)
{
    if (!enough(older.due, older.wrong) || !enough(newer.due, newer.wrong)) return Trend::Unknown;
    const double change = missRate(newer.due, newer.wrong) - missRate(older.due, older.wrong);
    if (std::abs(change) < sameWithin) return Trend::Same;
    return change < 0 ? Trend::Better : Trend::Worse;
}

std::array<KeyCounts, keyCount> keyCounts(const QList<CharTally>& tallies)
{
    std::array<KeyCounts, keyCount> keys{};
    for (const CharTally& t : tallies) {
        const int key = keyForCode(charCode(t.character));
        if (key < 0) continue;
        keys[key].due += t.due;
        keys[key].wrong += t.wrong;
        keys[key].seen = true;
    }
    return keys;
}

int band(double rate)
{
    return int(std::upper_bound(bandFloors.begin() + 1, bandFloors.end(), rate) -
               bandFloors.begin()) -
           1;
}

QString characterName(QChar character)
{
    return character == u' ' ? spaceName : QString(character);
}

QString caption(const CharTally& tally)
{
    const QString name = characterName(tally.character);
    const long percent = std::lround(missRate(tally.due, tally.wrong) * 100.0);
    return QStringLiteral("%1　%2％（%3/%4）")
        .arg(name)
        .arg(percent)
        .arg(tally.wrong)
        .arg(tally.due + tally.wrong);
}

} // namespace weakkeys

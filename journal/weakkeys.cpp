#include "journal/weakkeys.h"

#include <algorithm>
#include <cmath>

namespace weakkeys {

namespace {
const QString spaceName = QStringLiteral("スペース");
}

double missRate(int due, int wrong)
{
    return double(wrong) / double(std::max(due, 1));
}

QList<CharTally> weakest(const QList<CharTally>& tallies, int count)
{
    QList<CharTally> missed;
    for (const CharTally& t : tallies)
        if (t.wrong > 0) missed.append(t);
    std::stable_sort(missed.begin(), missed.end(), [](const CharTally& a, const CharTally& b) {
        const double ra = missRate(a.due, a.wrong), rb = missRate(b.due, b.wrong);
        if (ra != rb) return ra > rb;
        if (a.wrong != b.wrong) return a.wrong > b.wrong;
        return a.character < b.character;
    });
    return missed.mid(0, count);
}

std::array<std::optional<double>, keyCount> keyRates(const QList<CharTally>& tallies)
{
    std::array<int, keyCount> due{}, wrong{};
    std::array<bool, keyCount> seen{};
    for (const CharTally& t : tallies) {
        const int key = keyForCode(charCode(t.character));
        if (key < 0) continue;
        due[key] += t.due;
        wrong[key] += t.wrong;
        seen[key] = true;
    }
    std::array<std::optional<double>, keyCount> rates;
    for (int k = 0; k < keyCount; ++k)
        if (seen[k]) rates[k] = missRate(due[k], wrong[k]);
    return rates;
}

QColor tint(double rate)
{
    const double depth = std::clamp(rate / fullRedRate, 0.0, 1.0);
    const int light = int(std::lround(255.0 * (1.0 - depth)));
    return QColor(255, light, light);
}

QString caption(const CharTally& tally)
{
    const QString name = tally.character == u' ' ? spaceName : QString(tally.character);
    const long percent = std::lround(missRate(tally.due, tally.wrong) * 100.0);
    return QStringLiteral("%1　%2％（%3/%4）")
        .arg(name)
        .arg(percent)
        .arg(tally.wrong)
        .arg(tally.due);
}

} // namespace weakkeys

#include "results/scoring.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace scoring {

namespace {

// Saturates instead of wrapping: a wrapped score would turn a record into a loss.
qint16 clamp16(double value)
{
    constexpr double low = std::numeric_limits<qint16>::min();
    constexpr double high = std::numeric_limits<qint16>::max();
    if (std::isnan(value)) return 0;
    return static_cast<qint16>(std::clamp(value, low, high));
}

} // namespace

float takeTime(float start, float finish)
{
    // In double the difference of two floats is exact, so only the final rounding remains.
    double difference = double(finish) - double(start);
    if (difference < 0.0) difference += secondsPerDay;
    return static_cast<float>(difference);
}

float shownSeconds(float taketime)
{
    // A float times 100 is exact in double, so halves are seen as the float holds them.
    const double hundredths = std::nearbyint(double(taketime) * 100.0);
    const float seconds = static_cast<float>(hundredths / 100.0);
    return seconds > 0.0f ? seconds : 0.01f;
}

qint16 missRate(qint16 misscnt, qint16 inputcnt)
{
    if (inputcnt == 0) return 0;
    return clamp16(std::nearbyint(double(misscnt) / double(inputcnt) * 100.0));
}

qint16 speed(qint16 mojicnt, float seconds)
{
    const float perMinute = static_cast<float>(60 * int(mojicnt)) / seconds;
    return clamp16(std::nearbyint(double(perMinute)));
}

qint16 points(qint16 speed, qint16 miss)
{
    const qint16 penalty = clamp16(double(missWeight) * miss);
    return clamp16(double(speed) - double(penalty));
}

QString secondsText(float seconds)
{
    QString text = QString::number(double(seconds), 'g', 7);
    if (!text.contains(QLatin1Char('e'))) return text;
    // Only far outside a day's range: write the same seven digits out in full.
    const double rounded = text.toDouble();
    text = QString::number(rounded, 'f', 6);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text;
}

Score score(float start, float finish, qint16 mojicnt, qint16 misscnt, qint16 inputcnt)
{
    Score result;
    result.taketime = takeTime(start, finish);
    result.seconds = shownSeconds(result.taketime);
    result.miss = missRate(misscnt, inputcnt);
    result.speed = speed(mojicnt, result.seconds);
    result.points = points(result.speed, result.miss);

    result.timeText = secondsText(result.seconds) + QStringLiteral("秒");
    result.missText = QString::number(result.miss) + QStringLiteral("％");
    result.speedText = QString::number(result.speed) + QStringLiteral("文字/分");
    result.pointText = QString::number(result.points) + QStringLiteral("点");
    return result;
}

} // namespace scoring

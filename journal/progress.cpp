#include "journal/progress.h"

#include <QDate>
#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

namespace progress {

namespace {

constexpr qint64 hourMs = 3600 * 1000;
constexpr std::array<int, 4> spans{1, 7, 30, 365}; // days a median may cover

const QString yearsFormat = QStringLiteral("yyyy/MM");
const QString daysFormat = QStringLiteral("yyyy/MM/dd");
const QString hoursFormat = QStringLiteral("MM/dd HH:mm");
const QString secondsFormat = QStringLiteral("HH:mm:ss");

// The digits at [at, at + count) as a number, or -1.
int digits(const QString& text, int at, int count)
{
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        if (i >= text.size() || !text.at(i).isDigit()) return -1;
        value = value * 10 + text.at(i).digitValue();
    }
    return value;
}

// The median of the figures, halves kept.
double median(std::vector<int>& figures)
{
    const auto middle = figures.begin() + figures.size() / 2;
    std::nth_element(figures.begin(), middle, figures.end());
    if (figures.size() % 2) return *middle;
    return (*middle + *std::max_element(figures.begin(), middle)) / 2.0;
}

} // namespace

qint64 wallClockMs(const QString& iso)
{
    // The journal writes one form only, "yyyy-MM-ddTHH:mm:ss+hh:mm": read by position, fast
    // enough for a hundred thousand runs at every opening.
    const QDate date(digits(iso, 0, 4), digits(iso, 5, 2), digits(iso, 8, 2));
    const int h = digits(iso, 11, 2), m = digits(iso, 14, 2), s = digits(iso, 17, 2);
    if (!date.isValid() || h < 0 || m < 0 || s < 0) return 0;
    return (date.toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * dayMs +
           ((h * 60 + m) * 60 + s) * 1000LL;
}

qint64 instantSeconds(const QString& iso)
{
    const int oh = digits(iso, 20, 2), om = digits(iso, 23, 2);
    const int offset = oh < 0 || om < 0 ? 0 : (iso.at(19) == u'-' ? -1 : 1) * (oh * 60 + om) * 60;
    return wallClockMs(iso) / 1000 - offset;
}

Series series(const QList<RunPoint>& runs)
{
    Series out;
    if (runs.isEmpty()) return out;
    std::vector<qint64> at(runs.size());
    std::vector<qsizetype> order(runs.size());
    for (qsizetype i = 0; i < runs.size(); ++i)
        at[i] = wallClockMs(runs[i].finished), order[i] = i;
    // A clock set back can put a later run before an earlier one.
    std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return at[a] < at[b]; });
    // The number of spans of `days` the runs fall in, or the bucket a run falls in.
    const auto bucket = [&](qsizetype run, int days) { return at[run] / (days * dayMs); };
    const auto buckets = [&](int days) {
        qsizetype count = 1;
        for (qsizetype i = 1; i < qsizetype(order.size()); ++i)
            count += bucket(order[i], days) != bucket(order[i - 1], days);
        return count;
    };

    if (runs.size() > mostPoints) {
        const auto fits = std::find_if(spans.begin(), spans.end(),
                                       [&](int days) { return buckets(days) <= mostPoints; });
        out.bucketDays = fits == spans.end() ? spans.back() : *fits;
    }
    if (out.bucketDays == 0) {
        for (qsizetype i : order) {
            out.speed.append({double(at[i]), double(runs[i].speed)});
            out.miss.append({double(at[i]), double(runs[i].missRate)});
        }
    } else {
        std::vector<int> speeds, misses;
        for (qsizetype k = 0; k < qsizetype(order.size()); ++k) {
            speeds.push_back(runs[order[k]].speed);
            misses.push_back(runs[order[k]].missRate);
            const qint64 b = bucket(order[k], out.bucketDays);
            if (k + 1 < qsizetype(order.size()) && bucket(order[k + 1], out.bucketDays) == b)
                continue;
            const qint64 span = out.bucketDays * dayMs;
            const double middle = double(b * span + span / 2); // noon of a single day
            out.speed.append({middle, median(speeds)});
            out.miss.append({middle, median(misses)});
            speeds.clear();
            misses.clear();
        }
    }

    // The axis reaches a little beyond the points, and a lone point gets an hour either side.
    const qint64 low = qint64(out.speed.first().x()), high = qint64(out.speed.last().x());
    const qint64 margin = std::max<qint64>((high - low) / 50, low == high ? hourMs : 0);
    out.from = low - margin;
    out.to = high + margin;
    const qint64 spanMs = at[order.back()] - at[order.front()];
    out.format = spanMs > 2 * 365 * dayMs ? yearsFormat
                 : spanMs > 2 * dayMs     ? daysFormat
                 : spanMs > hourMs        ? hoursFormat
                                          : secondsFormat;
    return out;
}

} // namespace progress

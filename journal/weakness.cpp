#include "journal/weakness.h"

#include "journal/progress.h"

#include <QDateTime>
#include <algorithm>

namespace weakness {

QList<qint64> recentRuns(const QList<RunPoint>& newest, const QDateTime& now)
{
    const qint64 since = now.toSecsSinceEpoch() - qint64(recentDays) * 24 * 3600;
    QList<qint64> ids;
    for (qsizetype i = 0; i < newest.size() && i < mostRuns; ++i)
        if (i < leastRuns || progress::instantSeconds(newest[i].finished) >= since)
            ids << newest[i].id;
    return ids;
}

QList<Weakness> rank(const QList<CharTally>& tallies, double* typical)
{
    double strokes = 0, wrong = 0, time = 0, timed = 0;
    for (const CharTally& t : tallies) {
        strokes += t.due + t.wrong;
        wrong += t.wrong;
        time += double(t.timeMs);
        timed += t.timed;
    }
    const double rate = strokes > 0 ? wrong / strokes : 0.0;
    const double mean = timed > 0 ? time / timed : 0.0;
    QList<Weakness> list;
    for (const CharTally& t : tallies) {
        if (t.due + t.wrong == 0) continue;
        const double p = (t.wrong + prior * rate) / (t.due + t.wrong + prior);
        // Without times (runs kept before they were), every key is as quick as the others.
        const double s = mean > 0 ? (double(t.timeMs) / mean + prior) / (t.timed + prior) : 1.0;
        list.append({t.character, s + missWeight * p});
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Weakness& a, const Weakness& b) { return a.score > b.score; });
    if (typical) *typical = 1.0 + missWeight * rate;
    return list;
}

QString weakest(const QList<CharTally>& tallies, int count,
                const std::function<bool(QChar)>& usable)
{
    double typical = 0;
    QString keys;
    for (const Weakness& w : rank(tallies, &typical))
        if (keys.size() < count && w.score >= weakAbove * typical && usable(w.character))
            keys += w.character;
    return keys;
}

} // namespace weakness

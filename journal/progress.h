#pragma once

#include "charts/progressseries.h"
#include "journal/journalentry.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QtGlobal>

// What the journal's chart draws, worked out from a level's runs.
namespace progress {

inline constexpr qint64 dayMs = 24 * 3600 * 1000;
inline constexpr int mostPoints = 200; // more would read as noise, not as a trend

// The date and time a run finished as it was written, counted as if in UTC: the chart shows
// the clock the table shows, wherever the learner is now. 0 for text that is no such time.
qint64 wallClockMs(const QString& iso);
// The moment it finished, in seconds since the epoch: the order runs finished in.
qint64 instantSeconds(const QString& iso);

using Series = ProgressSeries;

// Every run when there are few enough, else the medians of the shortest span of days (1, 7,
// 30, 365) that leaves few enough points. The year shows once runs span days.
Series series(const QList<RunPoint>& runs);

} // namespace progress

#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QtGlobal>

// What the journal's progress chart draws: speed and miss rate over time.
struct ProgressSeries {
    QList<QPointF> speed, miss; // (wall-clock ms, figure), in time order
    int bucketDays = 0;         // 0: every run a point; else the median of each span of days
    qint64 from = 0, to = 0;    // the time axis, a little beyond the points
    QString format;             // of the time axis' labels
};

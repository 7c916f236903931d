#pragma once

#include "journal/journalentry.h"

#include <QChartView>
#include <QList>

class QChart;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// Speed and miss rate of every run of a level over the time the runs finished.
class ProgressChart : public QChartView {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget* parent = nullptr);

    // Runs oldest first.
    void setRuns(const QList<RunFigures>& runs);

    // What the series hold, for tests: (ms since the epoch, figure).
    QList<QPointF> speedPoints() const;
    QList<QPointF> missPoints() const;

private:
    QChart* chart_;
    QLineSeries* speed_;
    QLineSeries* miss_;
    QDateTimeAxis* timeAxis_;
    QValueAxis* speedAxis_;
    QValueAxis* missAxis_;
};

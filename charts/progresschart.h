#pragma once

#include "charts/journalchart.h"

#include <QChartView>
#include <QList>

class QChart;
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

// The journal's chart on Qt Charts: two lines over a date axis.
class ProgressChart : public QChartView, public JournalChart {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void setSeries(const ProgressSeries& series) override;
    QList<QPointF> speedPoints() const override;
    QString title() const override;

private:
    QChart* chart_;
    QLineSeries* speed_;
    QLineSeries* miss_;
    QDateTimeAxis* timeAxis_;
    QValueAxis* speedAxis_;
    QValueAxis* missAxis_;
};

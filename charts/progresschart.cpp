#include "charts/progresschart.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <limits>

namespace {

namespace caption {
const QString title = QStringLiteral("入力速度とミス率の推移");
const QString medians = QStringLiteral("（%1日ごとの中央値）");
const QString speed = QStringLiteral("入力速度(文字/分)");
const QString miss = QStringLiteral("ミス率(％)");
} // namespace caption

// Up to this many points each gets a dot; more would hide the line under the dots.
constexpr int dottedPoints = 60;
constexpr int timeTicks = 4; // room for a date with its year under each

// Room above the highest figure, so the line never runs along the top edge.
constexpr double headroom = 1.1;
constexpr double lowestTop = 10;

void fitValues(QValueAxis* axis, const QList<QPointF>& points)
{
    double highest = 0;
    for (const QPointF& p : points)
        highest = std::max(highest, p.y());
    axis->setRange(0, std::max(lowestTop, highest * headroom));
    axis->applyNiceNumbers(); // ticks on round numbers
}

// The axis labels its times in the zone the program runs in; the series hold the clock the
// runs were written with, so that clock is moved into this zone.
double shownAt(double wallClockMs)
{
    const QDateTime written = QDateTime::fromMSecsSinceEpoch(qint64(wallClockMs), Qt::UTC);
    return double(QDateTime(written.date(), written.time()).toMSecsSinceEpoch());
}

QList<QPointF> shown(const QList<QPointF>& points)
{
    QList<QPointF> moved;
    moved.reserve(points.size());
    for (const QPointF& p : points)
        moved.append({shownAt(p.x()), p.y()});
    return moved;
}

} // namespace

ProgressChart::ProgressChart(QWidget* parent)
    // Given its chart at once: a view built without one makes a default chart, which setChart
    // would only let go of, never delete.
    : QChartView(new QChart, parent), chart_(QChartView::chart()), speed_(new QLineSeries),
      miss_(new QLineSeries), timeAxis_(new QDateTimeAxis), speedAxis_(new QValueAxis),
      missAxis_(new QValueAxis)
{
    setRenderHint(QPainter::Antialiasing);
    chart_->setTitle(caption::title);
    speed_->setName(caption::speed);
    miss_->setName(caption::miss);
    chart_->addSeries(speed_);
    chart_->addSeries(miss_);
    chart_->addAxis(timeAxis_, Qt::AlignBottom);
    chart_->addAxis(speedAxis_, Qt::AlignLeft);
    chart_->addAxis(missAxis_, Qt::AlignRight);
    speed_->attachAxis(timeAxis_);
    speed_->attachAxis(speedAxis_);
    miss_->attachAxis(timeAxis_);
    miss_->attachAxis(missAxis_);
    timeAxis_->setTickCount(timeTicks);
    speedAxis_->setLabelFormat(QStringLiteral("%d"));
    missAxis_->setLabelFormat(QStringLiteral("%d"));
    speedAxis_->setTitleText(caption::speed);
    missAxis_->setTitleText(caption::miss);
    chart_->legend()->setAlignment(Qt::AlignTop);
}

void ProgressChart::setSeries(const ProgressSeries& series)
{
    // One replace per series: appending point by point redraws the chart each time.
    speed_->replace(shown(series.speed));
    miss_->replace(shown(series.miss));
    const bool dotted = series.speed.size() <= dottedPoints;
    speed_->setPointsVisible(dotted);
    miss_->setPointsVisible(dotted);
    chart_->setTitle(series.bucketDays ? caption::title + caption::medians.arg(series.bucketDays)
                                       : caption::title);
    if (series.speed.isEmpty()) return;
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(qint64(shownAt(series.from))),
                        QDateTime::fromMSecsSinceEpoch(qint64(shownAt(series.to))));
    timeAxis_->setFormat(series.format);
    fitValues(speedAxis_, series.speed);
    fitValues(missAxis_, series.miss);
}

QList<QPointF> ProgressChart::speedPoints() const
{
    return speed_->points();
}

QString ProgressChart::title() const
{
    return chart_->title();
}

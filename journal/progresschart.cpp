#include "journal/progresschart.h"

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
const QString speed = QStringLiteral("入力速度(文字/分)");
const QString miss = QStringLiteral("ミス率(％)");
const QString daysFormat = QStringLiteral("MM/dd");
const QString hoursFormat = QStringLiteral("MM/dd HH:mm");
const QString secondsFormat = QStringLiteral("HH:mm:ss");
} // namespace caption

constexpr qint64 hourMs = 3600 * 1000;
constexpr qint64 dayMs = 24 * hourMs;
// Up to this many runs every run gets a dot; more would hide the line under the dots.
constexpr int dottedRuns = 60;
constexpr int timeTicks = 6;

// The axis reaches a little beyond the runs, and a lone run gets an hour either side.
std::pair<qint64, qint64> timeRange(qint64 first, qint64 last)
{
    const qint64 margin = std::max<qint64>((last - first) / 50, first == last ? hourMs : 0);
    return {first - margin, last + margin};
}

// Room above the highest figure, so the line never runs along the top edge.
constexpr double headroom = 1.1;
constexpr double lowestTop = 10;

// Labels a span can be told apart by: days over weeks, minutes over a day, else seconds.
const QString& timeFormat(qint64 spanMs)
{
    return spanMs > 2 * dayMs ? caption::daysFormat
           : spanMs > hourMs  ? caption::hoursFormat
                              : caption::secondsFormat;
}

void fitValues(QValueAxis* axis, double highest)
{
    axis->setRange(0, std::max(lowestTop, highest * headroom));
    axis->applyNiceNumbers(); // ticks on round numbers
}

} // namespace

ProgressChart::ProgressChart(QWidget* parent)
    : QChartView(parent), chart_(new QChart), speed_(new QLineSeries), miss_(new QLineSeries),
      timeAxis_(new QDateTimeAxis), speedAxis_(new QValueAxis), missAxis_(new QValueAxis)
{
    setChart(chart_);
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

void ProgressChart::setRuns(const QList<RunFigures>& runs)
{
    QList<QPointF> speeds, misses;
    speeds.reserve(runs.size());
    misses.reserve(runs.size());
    double topSpeed = 0, topMiss = 0;
    qint64 first = std::numeric_limits<qint64>::max(), last = std::numeric_limits<qint64>::min();
    for (const RunFigures& run : runs) {
        // A clock set back can put a later run before an earlier one.
        const qint64 at = QDateTime::fromString(run.finished, Qt::ISODate).toMSecsSinceEpoch();
        first = std::min(first, at);
        last = std::max(last, at);
        speeds.append({double(at), double(run.speed)});
        misses.append({double(at), double(run.missRate)});
        topSpeed = std::max(topSpeed, double(run.speed));
        topMiss = std::max(topMiss, double(run.missRate));
    }
    // One replace per series: appending point by point redraws the chart each time.
    speed_->replace(speeds);
    miss_->replace(misses);
    const bool dotted = runs.size() <= dottedRuns;
    speed_->setPointsVisible(dotted);
    miss_->setPointsVisible(dotted);
    if (runs.isEmpty()) return;

    const auto [from, to] = timeRange(first, last);
    timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(from), QDateTime::fromMSecsSinceEpoch(to));
    timeAxis_->setFormat(timeFormat(to - from));
    fitValues(speedAxis_, topSpeed);
    fitValues(missAxis_, topMiss);
}

QList<QPointF> ProgressChart::speedPoints() const
{
    return speed_->points();
}

QList<QPointF> ProgressChart::missPoints() const
{
    return miss_->points();
}

extern "C" Q_DECL_EXPORT JournalChart* dovanel_make_journal_chart(QWidget* parent)
{
    return new ProgressChart(parent);
}

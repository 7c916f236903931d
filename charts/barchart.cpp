#include "charts/barchart.h"

#include "ui/fonts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QSet>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace {

constexpr double titlePoints = 11.25;
constexpr double labelPoints = 9.0;
constexpr int maxValueSteps = 5;

// The row axis wants distinct, non-empty names; this pads without changing what is seen.
const QChar invisiblePad(0x200B); // zero width space

} // namespace

BarChart::BarChart(QWidget* parent)
    // Given at construction: a chart set later would leave the view's own first one behind.
    : QChartView(new QChart, parent), chart_(QChartView::chart()), rowAxis_(new QBarCategoryAxis),
      valueAxis_(new QValueAxis)
{
    chart_->setAnimationOptions(QChart::NoAnimation);
    chart_->setBackgroundRoundness(0);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_->legend()->hide(); // both series carry the same figures
    chart_->setTitleFont(fonts::design(fonts::proportionalGothic, titlePoints));

    auto* series = new QBarSeries;
    for (int s = 0; s < seriesCount; ++s) {
        sets_[s] = new QBarSet(QString::number(s + 1));
        for (int r = 0; r < rows; ++r)
            sets_[s]->append(0);
        series->append(sets_[s]);
    }
    chart_->addSeries(series);

    const QFont labelFont = fonts::design(fonts::proportionalGothic, labelPoints);
    rowAxis_->setLabelsFont(labelFont);
    valueAxis_->setLabelsFont(labelFont);
    valueAxis_->setLabelFormat(QStringLiteral("%d"));
    chart_->addAxis(rowAxis_, Qt::AlignBottom);
    chart_->addAxis(valueAxis_, Qt::AlignLeft);
    series->attachAxis(rowAxis_);
    series->attachAxis(valueAxis_);

    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus); // the chart is only looked at
    updateCategories();
    updateValueAxis();
}

void BarChart::setData(const Table& table)
{
    table_ = table;
    for (int s = 0; s < seriesCount; ++s)
        for (int r = 0; r < rows; ++r)
            sets_[s]->replace(r, table_[r][s]);
    updateValueAxis();
}

void BarChart::setTitle(const QString& title)
{
    chart_->setTitle(title);
}

QString BarChart::title() const
{
    return chart_->title();
}

void BarChart::setRowLabel(int row, const QString& label)
{
    if (row < 1 || row > rows) return;
    labels_[row - 1] = label;
    updateCategories();
}

QString BarChart::rowLabel(int row) const
{
    if (row < 1 || row > rows) return {};
    return labels_[row - 1];
}

QStringList BarChart::categories() const
{
    return rowAxis_->categories();
}

double BarChart::valueAxisMin() const
{
    return valueAxis_->min();
}

double BarChart::valueAxisMax() const
{
    return valueAxis_->max();
}

void BarChart::updateCategories()
{
    QStringList names;
    QSet<QString> taken;
    for (const QString& label : labels_) {
        // The axis drops an empty name, and with it a row.
        QString name = label.isEmpty() ? QString(invisiblePad) : label;
        while (taken.contains(name))
            name += invisiblePad;
        taken.insert(name);
        names.append(name);
    }
    rowAxis_->setCategories(names);
}

void BarChart::updateValueAxis()
{
    // The range always holds zero, so bars grow from the axis whatever their sign.
    int low = 0;
    int high = 0;
    for (const auto& row : table_) {
        for (qint16 value : row) {
            low = std::min<int>(low, value);
            high = std::max<int>(high, value);
        }
    }
    if (low == high) high = 10; // nothing to show yet: a plain 0..10 scale

    // Steps of 1, 2 or 5 times a power of ten, at most maxValueSteps of them.
    const double rough = double(high - low) / maxValueSteps;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    double step = magnitude * 10.0;
    for (double factor : {1.0, 2.0, 5.0}) {
        if (magnitude * factor >= rough) {
            step = magnitude * factor;
            break;
        }
    }
    step = std::max(step, 1.0);

    const double min = std::floor(low / step) * step;
    const double max = std::ceil(high / step) * step;
    valueAxis_->setRange(min, max);
    valueAxis_->setTickCount(int(std::lround((max - min) / step)) + 1);
}

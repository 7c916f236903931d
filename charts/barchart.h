#pragma once

#include "charts/charttable.h"

#include <QChartView>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QValueAxis;

// Ten rows of two bars each, with a title and a label under every row.
class BarChart : public QChartView {
    Q_OBJECT
public:
    static constexpr int rows = chartRows;
    static constexpr int seriesCount = chartSeries;
    using Table = ChartTable;

    explicit BarChart(QWidget* parent = nullptr);

    void setData(const Table& table);
    void setTitle(const QString& title);
    // Rows count from 1; an empty label is allowed, and so are repeated ones.
    void setRowLabel(int row, const QString& label);

    Table data() const { return table_; }
    QString title() const;
    QString rowLabel(int row) const;

    // What the axes hold, for tests.
    QStringList categories() const;
    double valueAxisMin() const;
    double valueAxisMax() const;

private:
    void updateCategories();
    void updateValueAxis();

    QChart* chart_;
    std::array<QBarSet*, seriesCount> sets_{};
    QBarCategoryAxis* rowAxis_;
    QValueAxis* valueAxis_;
    Table table_{};
    std::array<QString, rows> labels_;
};

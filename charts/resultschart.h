#pragma once

#include "charts/charttable.h"

#include <QString>
#include <memory>

class QWidget;

// What the results window asks of its chart: ten rows of two bars, a title and a label under
// every row. The chart lives in the chart library (charts/chartlibrary.h).
class ResultsChart {
public:
    using Table = ChartTable;

    virtual ~ResultsChart() = default;
    // The chart's widget, a child of the parent it was made for; it goes with that parent.
    virtual QWidget* widget() const = 0;
    virtual void setData(const Table& table) = 0;
    virtual void setTitle(const QString& title) = 0;
    // Rows count from 1.
    virtual void setRowLabel(int row, const QString& label) = 0;

    // A chart on `parent`, or null when its library cannot be loaded.
    static std::unique_ptr<ResultsChart> make(QWidget* parent);
    // Loads the library and makes one chart to throw away, so that the first results window
    // does not wait for the loading and Qt Charts' first set-up. For a quiet moment.
    static void warmUp();
};

// The results window's entry point in the chart library.
extern "C" ResultsChart* dovanel_make_results_chart(QWidget* parent);

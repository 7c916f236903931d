// The chart library's two entry points: the results window's bar chart and the journal's
// progress chart, both on Qt Charts.
#include "charts/barchart.h"
#include "charts/progresschart.h"
#include "charts/resultschart.h"

#include <QPointer>

namespace {

class BarChartPanel : public ResultsChart {
public:
    explicit BarChartPanel(QWidget* parent) : chart_(new BarChart(parent)) {}

    QWidget* widget() const override { return chart_; }
    void setData(const Table& table) override
    {
        if (chart_) chart_->setData(table);
    }
    void setTitle(const QString& title) override
    {
        if (chart_) chart_->setTitle(title);
    }
    void setRowLabel(int row, const QString& label) override
    {
        if (chart_) chart_->setRowLabel(row, label);
    }

private:
    // The window owns the widget and may delete it first.
    QPointer<BarChart> chart_;
};

} // namespace

extern "C" Q_DECL_EXPORT ResultsChart* dovanel_make_results_chart(QWidget* parent)
{
    return new BarChartPanel(parent);
}

extern "C" Q_DECL_EXPORT JournalChart* dovanel_make_journal_chart(QWidget* parent)
{
    return new ProgressChart(parent);
}

#include "charts/resultschart.h"

#include "charts/chartlibrary.h"

#include <QWidget>

std::unique_ptr<ResultsChart> ResultsChart::make(QWidget* parent)
{
    using Make = ResultsChart* (*)(QWidget*);
    const auto make = reinterpret_cast<Make>(chartlibrary::entry("dovanel_make_results_chart"));
    return std::unique_ptr<ResultsChart>(make ? make(parent) : nullptr);
}

void ResultsChart::warmUp()
{
    if (const std::unique_ptr<ResultsChart> chart = make(nullptr)) delete chart->widget();
}

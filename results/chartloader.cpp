#include "results/resultschart.h"

#include <QCoreApplication>
#include <QFile>
#include <QWidget>
#include <dlfcn.h>

namespace {

using Make = ResultsChart* (*)(QWidget*);

// Linked in (the tests), or the library beside the program, opened once and kept.
Make factory()
{
    static const Make make = [] {
        if (void* linked = dlsym(RTLD_DEFAULT, "dovanel_make_results_chart"))
            return reinterpret_cast<Make>(linked);
        const QByteArray path =
            QFile::encodeName(QCoreApplication::applicationDirPath() + "/dovanel-chart.so");
        void* library = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
        return library ? reinterpret_cast<Make>(dlsym(library, "dovanel_make_results_chart"))
                       : Make{};
    }();
    return make;
}

} // namespace

std::unique_ptr<ResultsChart> ResultsChart::make(QWidget* parent)
{
    const Make make = factory();
    return std::unique_ptr<ResultsChart>(make ? make(parent) : nullptr);
}

void ResultsChart::warmUp()
{
    if (const std::unique_ptr<ResultsChart> chart = make(nullptr)) delete chart->widget();
}

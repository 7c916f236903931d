#pragma once

#include "charts/progressseries.h"

#include <QList>
#include <QPointF>

class QWidget;

// What the journal window asks of its progress chart: speed and miss rate over the time the
// runs finished. It lives in the chart library (charts/chartlibrary.h).
class JournalChart {
public:
    virtual ~JournalChart() = default;
    virtual QWidget* widget() = 0;
    virtual void setSeries(const ProgressSeries& series) = 0;
    // What the series hold, for tests: (ms since the epoch as the axis shows it, figure).
    virtual QList<QPointF> speedPoints() const = 0;
    virtual QString title() const = 0;

    // A chart on `parent`, which owns it; null when the chart library cannot be loaded.
    static JournalChart* make(QWidget* parent);
};

// The journal's entry point in the chart library.
extern "C" JournalChart* dovanel_make_journal_chart(QWidget* parent);

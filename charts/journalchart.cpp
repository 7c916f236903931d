#include "charts/journalchart.h"

#include "charts/chartlibrary.h"

JournalChart* JournalChart::make(QWidget* parent)
{
    using Make = JournalChart* (*)(QWidget*);
    const auto make = reinterpret_cast<Make>(chartlibrary::entry("dovanel_make_journal_chart"));
    return make ? make(parent) : nullptr;
}

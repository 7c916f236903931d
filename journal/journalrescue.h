#pragma once

#include "journal/journalentry.h"

#include <QList>
#include <QString>

// What can still be read from a damaged journal.
namespace journalrescue {

// Every run the runs table still yields, read past its indexes, with the tallies that can be
// read for it; each keeps its id. Damage ends a reading from the front, so the rest is read
// from the back. A file that is no database yields nothing.
QList<JournalEntry> read(const QString& path);

} // namespace journalrescue

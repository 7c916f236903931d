#pragma once

#include "journal/journalentry.h"

#include <QList>
#include <QString>
#include <QStringList>

// Runs that could not reach the journal before the program ended wait in small files of
// their own ("journal-waiting-*.json") in a folder beside the settings, until an execution
// that can write the journal takes them in.
namespace journalspool {

// The entries in a new file of the folder, written whole or not at all.
bool keep(const QString& folder, const QList<JournalEntry>& entries);

struct Waiting {
    QStringList files; // to remove once their entries are in the journal
    QList<JournalEntry> entries;
};
// Every waiting file of the folder that can be read; one that cannot is left alone.
Waiting waiting(const QString& folder);

} // namespace journalspool

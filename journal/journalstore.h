#pragma once

#include "journal/journalentry.h"

#include <QList>
#include <QString>

class QDateTime;
class QSqlDatabase;
class QSqlError;

// The journal file: an SQLite database of runs and their per-character tallies, reached
// through a Qt SQL connection of its own.
class JournalStore {
public:
    enum class Status { Ok, Damaged, Unwritable };

    explicit JournalStore(const QString& path);
    ~JournalStore();
    JournalStore(const JournalStore&) = delete;
    JournalStore& operator=(const JournalStore&) = delete;

    // Makes the folder, opens the file, checks it and brings its schema up to date.
    Status open();
    void close();
    bool isOpen() const;

    // All the entries in one transaction: either every one is kept or none.
    Status write(const QList<JournalEntry>& entries);

    // A level's runs, oldest first.
    QList<RunFigures> runs(int level) const;
    // The levels that have runs, in order.
    QList<int> levels() const;
    // Summed per character over the level's newest `lastRuns` runs.
    QList<CharTally> recentTallies(int level, int lastRuns) const;

    // The schema this program writes; `PRAGMA user_version` of a current file.
    static int schemaVersion();

    // Renames a damaged file, with its write-ahead log and shared memory, to a free name
    // holding the date and time. Returns the new path, or an empty one when it failed.
    static QString setAside(const QString& path, const QDateTime& when);

private:
    QSqlDatabase database() const;
    Status migrate();

    QString path_;
    QString connection_;
};

#pragma once

#include "journal/journaldb.h"
#include "journal/journalentry.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

class QDateTime;
class QSqlQuery;
class JournalLock;

// The journal file: an SQLite database of runs and their per-character tallies, reached
// through a Qt SQL connection of its own. Every call that touches the file says how it went:
// Damaged when the file turned out bad in use.
class JournalStore {
public:
    using Status = journaldb::Status;

    explicit JournalStore(const QString& path);
    ~JournalStore();
    JournalStore(const JournalStore&) = delete;
    JournalStore& operator=(const JournalStore&) = delete;

    // Makes the folder, opens the file with a shared claim on it, checks its header and
    // schema and brings an older schema up to date. Newer: open for reading only. The pages
    // beyond are checked in use and by JournalCheck.
    Status open();
    void close();
    bool isOpen() const;
    bool readOnly() const { return readOnly_; }

    // All the entries in one transaction: either every one is kept or none. An entry's own
    // id is kept when it has one; `ids` gets the id each was kept under.
    Status write(const QList<JournalEntry>& entries, QList<qint64>* ids = nullptr);

    // A level's runs, oldest first: the `last` newest of them, or all when -1.
    Status runs(int level, QList<RunFigures>& out, int last = -1) const;
    Status points(int level, QList<RunPoint>& out) const;
    // A stored column of a level's runs, oldest first.
    Status column(int level, const QString& name, std::vector<double>& out) const;
    // The runs of these ids, with their ids, in any order.
    Status byId(const QList<qint64>& ids, QList<JournalEntry>& out) const;
    // The levels that have runs, in order.
    Status levels(QList<int>& out) const;
    // Summed per character over the level's newest `lastRuns` runs; all of them when -1.
    Status tallies(int level, int lastRuns, QList<CharTally>& out) const;

    // The schema this program writes; `PRAGMA user_version` of a current file.
    static int schemaVersion();

    // Renames a damaged file, with its write-ahead log and shared memory, to a free name
    // holding the date and time: all of them or none. Returns the new path, or an empty one
    // when it failed. Nobody may have the file open.
    static QString setAside(const QString& path, const QDateTime& when);

private:
    Status migrate();
    Status version(int& out) const;
    // Inside a write transaction: the file's version, or Newer (the transaction ended) when a
    // newer program has migrated it since it was opened.
    Status ownVersion(QSqlQuery& control, int& current);

    QString path_;
    std::unique_ptr<JournalLock> claim_; // shared while open
    std::unique_ptr<journaldb::Connection> connection_;
    bool readOnly_ = false;
};

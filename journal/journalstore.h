#pragma once

#include "journal/journaldb.h"
#include "journal/journalentry.h"
#include "journal/runset.h"

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

    // A set's runs, oldest first: the `last` newest of them, or all when -1.
    Status runs(const RunSet& set, QList<RunFigures>& out, int last = -1) const;
    Status points(const RunSet& set, QList<RunPoint>& out) const;
    // A stored column of a set's runs, oldest first.
    Status column(const RunSet& set, const QString& name, std::vector<double>& out) const;
    // The runs of these ids, with their ids, in any order.
    Status byId(const QList<qint64>& ids, QList<JournalEntry>& out) const;
    // The levels that have runs other than a text's, in order.
    Status levels(QList<int>& out) const;
    // The file names of the texts that have runs, in order.
    Status texts(QStringList& out) const;
    // Summed per character over a set's newest `lastRuns` runs after the `skipRuns` newest;
    // all of them when -1.
    Status tallies(const RunSet& set, int lastRuns, QList<CharTally>& out, int skipRuns = 0) const;
    // The id and finish of the newest `count` runs of every kind, newest first.
    Status newest(int count, QList<RunPoint>& out) const;
    // Summed per character over the runs of these ids.
    Status talliesOf(const QList<qint64>& ids, QList<CharTally>& out) const;

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

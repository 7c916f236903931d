#pragma once

#include "journal/journalentry.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>

class QSqlError;
class QSqlQuery;

// What every connection to a journal file shares: how it is opened, how its errors are told
// apart and how a run's figures are read back.
namespace journaldb {

enum class Status {
    Ok,
    Damaged,    // the file is not a sound database
    Unwritable, // cannot be reached or written now: no folder, no room, locked too long
    Newer,      // a newer program's file: read, never written
};

inline constexpr int busyTimeout = 5000; // ms another running copy may hold the file

Status classify(const QSqlError& error);

// The schema this program writes; `PRAGMA user_version` of a current file.
inline constexpr int schema = 3;

// The columns of a run, in the order of runValues and runFrom, each with the schema that
// brought it.
struct RunColumn {
    const char* name;
    int since;
};
inline constexpr std::array<RunColumn, 13> runColumnNames{{{"finished", 1},
                                                           {"level", 1},
                                                           {"seconds", 1},
                                                           {"characters", 1},
                                                           {"keystrokes", 1},
                                                           {"misses", 1},
                                                           {"miss_rate", 1},
                                                           {"speed", 1},
                                                           {"score", 1},
                                                           {"spaces_skipped", 2},
                                                           {"keypad_keys", 2},
                                                           {"kind", 3},
                                                           {"textname", 3}}};
// "finished, level, …", as a statement names them; the columns a file of an older `schema`
// lacks as NULL, which reads as their defaults.
QString runColumns(int fileSchema = schema);
// A tally's columns, as runColumns: "run, character, due, wrong, time_ms, timed".
QString keyColumns(int fileSchema = schema);
// A run's figures as stored, a null for what is not known.
QVariantList runValues(const RunFigures& run);
RunFigures runFrom(const std::function<QVariant(int column)>& value);
// The run whose columns begin at `first` in the current row.
RunFigures runAt(const QSqlQuery& query, int first);
// The tally whose keyColumns but the run begin at `first`; a null character when the row
// holds none.
CharTally tallyAt(const QSqlQuery& query, int first);

// A Qt SQL connection of its own to the file, per thread, removed when this goes.
class Connection {
public:
    enum Mode { ReadWrite, ReadOnly };
    Connection(const QString& path, Mode mode);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool isOpen() const;
    QSqlDatabase database() const;

private:
    QString name_;
};

} // namespace journaldb

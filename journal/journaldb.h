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

// The columns of a run, in the order of runValues and runFrom. Files before the second
// schema lack the last two.
inline constexpr std::array<const char*, 11> runColumnNames{
    "finished",  "level", "seconds", "characters",     "keystrokes", "misses",
    "miss_rate", "speed", "score",   "spaces_skipped", "keypad_keys"};
inline constexpr int firstSchemaColumns = 9;
// "finished, level, …", as a statement names them; the columns a first-schema file lacks
// as their defaults when `firstSchema`.
QString runColumns(bool firstSchema = false);
// A run's figures as stored, a null for what is not known.
QVariantList runValues(const RunFigures& run);
RunFigures runFrom(const std::function<QVariant(int column)>& value);
// The run whose columns begin at `first` in the current row.
RunFigures runAt(const QSqlQuery& query, int first);

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

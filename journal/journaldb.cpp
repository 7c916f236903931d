#include "journal/journaldb.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace journaldb {

namespace {
// SQLite's primary result codes that mean the file itself is bad.
constexpr int sqliteCorrupt = 11;
constexpr int sqliteNotADatabase = 26;
} // namespace

Status classify(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff; // extended codes keep it low
    return code == sqliteCorrupt || code == sqliteNotADatabase ? Status::Damaged
                                                               : Status::Unwritable;
}

QString runColumns(int fileSchema)
{
    QStringList names;
    for (const RunColumn& column : runColumnNames)
        names << (column.since <= fileSchema ? QLatin1String(column.name) : QLatin1String("NULL"));
    return names.join(QStringLiteral(", "));
}

QString keyColumns(int fileSchema)
{
    return fileSchema >= 3 ? QStringLiteral("run, character, due, wrong, time_ms, timed")
                           : QStringLiteral("run, character, due, wrong, 0, 0");
}

QVariantList runValues(const RunFigures& r)
{
    return {r.finished,
            r.level,
            r.seconds,
            r.characters,
            r.keystrokes,
            r.misses,
            r.missRate,
            r.speed,
            r.score,
            r.spacesSkipped ? QVariant(*r.spacesSkipped) : QVariant(),
            r.keypadKeys,
            int(r.kind),
            r.textName.isEmpty() ? QVariant() : QVariant(r.textName)};
}

RunFigures runFrom(const std::function<QVariant(int)>& at)
{
    const QVariant spaces = at(9);
    // A kind this program does not know (a newer one's) reads as a level's run.
    const int kind = at(11).toInt();
    return {
        at(0).toString(), at(1).toInt(),
        at(2).toDouble(), at(3).toInt(),
        at(4).toInt(),    at(5).toInt(),
        at(6).toInt(),    at(7).toInt(),
        at(8).toInt(),    spaces.isNull() ? std::nullopt : std::optional<bool>(spaces.toBool()),
        at(10).toInt(),   kind >= 0 && kind <= int(RunKind::Text) ? RunKind(kind) : RunKind::Level,
        at(12).toString()};
}

CharTally tallyAt(const QSqlQuery& query, int first)
{
    const QString character = query.value(first).toString();
    // Only this program writes here: one character, or nothing to read.
    if (character.size() != 1) return {};
    return {character.at(0), query.value(first + 1).toInt(), query.value(first + 2).toInt(),
            query.value(first + 3).toLongLong(), query.value(first + 4).toInt()};
}

RunFigures runAt(const QSqlQuery& query, int first)
{
    return runFrom([&](int column) { return query.value(first + column); });
}

Connection::Connection(const QString& path, Mode mode)
{
    static std::atomic<int> count{0};
    name_ = QStringLiteral("dovanel-journal-%1").arg(++count);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout);
    if (mode == ReadOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    db.open();
}

Connection::~Connection()
{
    database().close();
    QSqlDatabase::removeDatabase(name_);
}

bool Connection::isOpen() const
{
    return database().isOpen();
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(name_, false);
}

} // namespace journaldb

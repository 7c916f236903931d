#include "journal/journalrescue.h"

#include "journal/journaldb.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <limits>

namespace journalrescue {

namespace {

using Row = std::function<void(const QSqlQuery&)>;

// The rows of `from`, its first column `key`, from the front until the end or damage, then
// from the back down to where the front stopped. False when the statement does not fit the
// file's schema.
bool readBothWays(const QSqlDatabase& db, const QString& columns, const QString& from,
                  const QString& key, const Row& row)
{
    QSqlQuery forward(db);
    forward.setForwardOnly(true);
    if (!forward.prepare(QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(columns, from, key)))
        return false;
    qint64 reached = std::numeric_limits<qint64>::min();
    if (forward.exec())
        while (forward.next()) {
            row(forward);
            reached = forward.value(0).toLongLong();
        }
    if (!forward.lastError().isValid()) return true;

    QSqlQuery backward(db);
    backward.setForwardOnly(true);
    backward.prepare(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 > ? ORDER BY %3 DESC").arg(columns, from, key));
    backward.addBindValue(reached);
    if (backward.exec())
        while (backward.next())
            row(backward);
    return true;
}

} // namespace

QList<JournalEntry> read(const QString& path)
{
    // Read-write, though nothing is written: at its end the log it read goes into the file.
    const journaldb::Connection connection(path, journaldb::Connection::ReadWrite);
    const QSqlDatabase db = connection.database();
    QList<JournalEntry> entries;
    QHash<qint64, qsizetype> byId;
    const Row runRow = [&](const QSqlQuery& q) {
        const qint64 id = q.value(0).toLongLong();
        byId.insert(id, entries.size());
        entries.append({journaldb::runAt(q, 1), {}, id});
    };
    // NOT INDEXED: an index may be what is damaged; the table itself is ordered by id. The
    // newest schema whose columns the file has.
    int fileSchema = journaldb::schema;
    while (fileSchema > 0 &&
           !readBothWays(db, QStringLiteral("id, ") + journaldb::runColumns(fileSchema),
                         QStringLiteral("runs NOT INDEXED"), QStringLiteral("id"), runRow))
        --fileSchema;
    readBothWays(db, journaldb::keyColumns(fileSchema), QStringLiteral("keys"),
                 QStringLiteral("run"), [&](const QSqlQuery& q) {
                     const auto at = byId.constFind(q.value(0).toLongLong());
                     const CharTally tally = journaldb::tallyAt(q, 1);
                     if (at != byId.constEnd() && !tally.character.isNull())
                         entries[*at].tallies.append(tally);
                 });
    std::sort(entries.begin(), entries.end(),
              [](const JournalEntry& a, const JournalEntry& b) { return a.id < b.id; });
    return entries;
}

} // namespace journalrescue

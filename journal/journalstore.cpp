#include "journal/journalstore.h"

#include "journal/journallock.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <initializer_list>
#include <limits>

using journaldb::Status;

namespace {

// Step n brings a journal of version n to version n + 1. A released step never changes;
// a new schema is a new step. SQLite through Qt runs one statement per call.
const std::initializer_list<const char*> migrationSteps[] = {
    {
        "CREATE TABLE runs ("
        " id INTEGER PRIMARY KEY,"
        " finished TEXT NOT NULL,"
        " level INTEGER NOT NULL,"
        " seconds REAL NOT NULL,"
        " characters INTEGER NOT NULL,"
        " keystrokes INTEGER NOT NULL,"
        " misses INTEGER NOT NULL,"
        " miss_rate INTEGER NOT NULL,"
        " speed INTEGER NOT NULL,"
        " score INTEGER NOT NULL)",
        "CREATE INDEX runs_by_level ON runs (level, id)",
        "CREATE TABLE keys ("
        " run INTEGER NOT NULL REFERENCES runs (id) ON DELETE CASCADE,"
        " character TEXT NOT NULL,"
        " due INTEGER NOT NULL,"
        " wrong INTEGER NOT NULL,"
        " PRIMARY KEY (run, character)) WITHOUT ROWID",
    },
    {
        // NULL: kept before the journal noted it.
        "ALTER TABLE runs ADD COLUMN spaces_skipped INTEGER",
        "ALTER TABLE runs ADD COLUMN keypad_keys INTEGER NOT NULL DEFAULT 0",
    },
    {
        // What each run practised; the runs before were all of a level (or of none).
        "ALTER TABLE runs ADD COLUMN kind INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE runs ADD COLUMN textname TEXT",
        "CREATE INDEX runs_by_text ON runs (textname, id) WHERE textname IS NOT NULL",
        // No times before: none summed.
        "ALTER TABLE keys ADD COLUMN time_ms INTEGER NOT NULL DEFAULT 0",
        "ALTER TABLE keys ADD COLUMN timed INTEGER NOT NULL DEFAULT 0",
    },
};
static_assert(std::size(migrationSteps) == journaldb::schema);

// The status of a statement that failed, or of a query whose rows stopped early.
Status failed(const QSqlQuery& query)
{
    return journaldb::classify(query.lastError());
}

// Reads every row of a query, or says why it stopped.
template <typename Row> Status readAll(QSqlQuery& query, Row row)
{
    if (!query.exec()) return failed(query);
    while (query.next())
        row();
    return query.lastError().isValid() ? failed(query) : Status::Ok;
}

// The condition that picks a set's runs, its values to bind in order.
struct Condition {
    QString sql;
    QVariantList values;
};
Condition chosen(const RunSet& set)
{
    const int text = int(RunKind::Text);
    if (set.isText()) return {QStringLiteral("kind = %1 AND textname = ?").arg(text), {set.text}};
    if (set.only) return {QStringLiteral("level = ? AND kind = ?"), {set.level, int(*set.only)}};
    return {QStringLiteral("level = ? AND kind != %1").arg(text), {set.level}};
}

// A statement over a set's runs: "{chosen}" in `sql` stands for its condition, whose values
// are bound before `more`.
QSqlQuery over(const QSqlDatabase& db, const RunSet& set, QString sql,
               const QVariantList& more = {})
{
    const Condition c = chosen(set);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(sql.replace(QStringLiteral("{chosen}"), c.sql));
    for (const QVariant& value : c.values + more)
        query.addBindValue(value);
    return query;
}

// "1,2,3": numbers a statement may hold as they are.
QString idList(const QList<qint64>& ids)
{
    QStringList numbers;
    for (qint64 id : ids)
        numbers << QString::number(id);
    return numbers.join(u',');
}

// Ends a transaction that went wrong, keeping what went wrong first.
Status rollBack(QSqlQuery& control, const QSqlError& error)
{
    control.exec(QStringLiteral("ROLLBACK"));
    return journaldb::classify(error);
}

} // namespace

JournalStore::JournalStore(const QString& path) : path_(path) {}

JournalStore::~JournalStore()
{
    close();
}

int JournalStore::schemaVersion()
{
    return journaldb::schema;
}

bool JournalStore::isOpen() const
{
    return connection_ && connection_->isOpen();
}

void JournalStore::close()
{
    connection_.reset();
    claim_.reset();
    readOnly_ = false;
}

Status JournalStore::version(int& out) const
{
    QSqlQuery query(connection_->database());
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) return failed(query);
    out = query.value(0).toInt();
    return Status::Ok;
}

Status JournalStore::ownVersion(QSqlQuery& control, int& current)
{
    Status status = version(current);
    if (status == Status::Ok && current > schemaVersion()) {
        readOnly_ = true;
        status = Status::Newer;
    }
    if (status != Status::Ok) control.exec(QStringLiteral("ROLLBACK"));
    return status;
}

Status JournalStore::open()
{
    close();
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) return Status::Unwritable;
    claim_ = std::make_unique<JournalLock>(JournalLock::users(path_));
    if (!claim_->take(JournalLock::Shared)) return Status::Unwritable;
    connection_ = std::make_unique<journaldb::Connection>(path_, journaldb::Connection::ReadWrite);
    if (!connection_->isOpen()) return Status::Unwritable;

    QSqlQuery query(connection_->database());
    // The header and the schema: a file that is no database, or was cut short, shows here.
    // Reading every page would hold up the results window; JournalCheck does it aside.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_schema")) || !query.next())
        return failed(query);
    query.finish();
    int current = 0;
    if (const Status status = version(current); status != Status::Ok) return status;
    // A newer program's journal: reading it is fine, but neither our older rows nor our
    // settings belong in it.
    if (current > schemaVersion()) {
        readOnly_ = true;
        return Status::Newer;
    }
    // Readers never wait for the writer; a commit needs no sync of the whole file, only
    // of the log at checkpoints, so recording stays within a few milliseconds.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
        !query.exec(QStringLiteral("PRAGMA foreign_keys=ON")))
        return failed(query);
    return current < schemaVersion() ? migrate() : Status::Ok;
}

Status JournalStore::migrate()
{
    QSqlQuery query(connection_->database());
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) return failed(query);
    // Another copy may have migrated it while we waited for the lock.
    int current = 0;
    if (const Status status = ownVersion(query, current); status != Status::Ok) return status;
    if (current == schemaVersion()) {
        query.exec(QStringLiteral("ROLLBACK"));
        return Status::Ok;
    }
    for (; current < schemaVersion(); ++current)
        for (const char* statement : migrationSteps[current])
            if (!query.exec(QLatin1String(statement))) return rollBack(query, query.lastError());
    if (!query.exec(QStringLiteral("PRAGMA user_version=%1").arg(schemaVersion())) ||
        !query.exec(QStringLiteral("COMMIT")))
        return rollBack(query, query.lastError());
    return Status::Ok;
}

Status JournalStore::write(const QList<JournalEntry>& entries, QList<qint64>* ids)
{
    if (!isOpen()) return Status::Unwritable;
    if (readOnly_) return Status::Newer;
    QSqlDatabase db = connection_->database();
    QSqlQuery control(db);
    // Immediate: the write lock is taken (or waited for) now, not half-way through.
    if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) return failed(control);
    // A newer copy may have migrated the file since it was opened here.
    int current = 0;
    if (const Status status = ownVersion(control, current); status != Status::Ok) return status;

    QSqlQuery run(db);
    QSqlQuery key(db);
    QStringList marks(journaldb::runColumnNames.size() + 1, QStringLiteral("?"));
    if (!run.prepare(QStringLiteral("INSERT INTO runs (id, %1) VALUES (%2)")
                         .arg(journaldb::runColumns(), marks.join(u','))))
        return rollBack(control, run.lastError());
    if (!key.prepare(QStringLiteral("INSERT INTO keys (%1) VALUES (?, ?, ?, ?, ?, ?)")
                         .arg(journaldb::keyColumns())))
        return rollBack(control, key.lastError());
    for (const JournalEntry& e : entries) {
        run.addBindValue(e.id ? QVariant(e.id) : QVariant());
        for (const QVariant& value : journaldb::runValues(e.run))
            run.addBindValue(value);
        if (!run.exec()) return rollBack(control, run.lastError());
        const QVariant id = run.lastInsertId();
        if (ids) ids->append(id.toLongLong());
        for (const CharTally& t : e.tallies) {
            for (const QVariant& value : {id, QVariant(QString(t.character)), QVariant(t.due),
                                          QVariant(t.wrong), QVariant(t.timeMs), QVariant(t.timed)})
                key.addBindValue(value);
            if (!key.exec()) return rollBack(control, key.lastError());
        }
    }
    if (!control.exec(QStringLiteral("COMMIT"))) return rollBack(control, control.lastError());
    return Status::Ok;
}

Status JournalStore::runs(const RunSet& set, QList<RunFigures>& out, int last) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query = over(connection_->database(), set,
                           QStringLiteral("SELECT * FROM (SELECT id, %1 FROM runs WHERE {chosen}"
                                          " ORDER BY id DESC LIMIT ?) ORDER BY id")
                               .arg(journaldb::runColumns()),
                           {last});
    return readAll(query, [&] { out.append(journaldb::runAt(query, 1)); });
}

Status JournalStore::points(const RunSet& set, QList<RunPoint>& out) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query =
        over(connection_->database(), set,
             QStringLiteral(
                 "SELECT id, finished, speed, miss_rate FROM runs WHERE {chosen} ORDER BY id"));
    return readAll(query, [&] {
        out.append({query.value(0).toLongLong(), query.value(1).toString(), query.value(2).toInt(),
                    query.value(3).toInt()});
    });
}

Status JournalStore::column(const RunSet& set, const QString& name, std::vector<double>& out) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query =
        over(connection_->database(), set,
             QStringLiteral("SELECT %1 FROM runs WHERE {chosen} ORDER BY id").arg(name));
    return readAll(query, [&] { out.push_back(query.value(0).toDouble()); });
}

Status JournalStore::byId(const QList<qint64>& ids, QList<JournalEntry>& out) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query(connection_->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, %1 FROM runs WHERE id IN (%2)")
                      .arg(journaldb::runColumns(), idList(ids)));
    return readAll(query, [&] {
        out.append({journaldb::runAt(query, 1), {}, query.value(0).toLongLong()});
    });
}

Status JournalStore::levels(QList<int>& out) const
{
    if (!isOpen()) return Status::Unwritable;
    // One step along the index per level, not a walk through every run.
    QSqlQuery query(connection_->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT min(level) FROM runs WHERE level > ? AND kind != %1")
                      .arg(int(RunKind::Text)));
    for (qint64 after = std::numeric_limits<qint64>::min();;) {
        query.addBindValue(after);
        if (!query.exec() || !query.next()) return failed(query);
        if (query.value(0).isNull()) return Status::Ok;
        after = query.value(0).toLongLong();
        out.append(int(after));
    }
}

Status JournalStore::texts(QStringList& out) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query(connection_->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT DISTINCT textname FROM runs WHERE textname IS NOT NULL"
                                 " ORDER BY textname"));
    return readAll(query, [&] { out.append(query.value(0).toString()); });
}

Status JournalStore::tallies(const RunSet& set, int lastRuns, QList<CharTally>& out,
                             int skipRuns) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query = over(
        connection_->database(), set,
        QStringLiteral("SELECT character, SUM(due), SUM(wrong), SUM(time_ms), SUM(timed) FROM"
                       " keys WHERE run IN (SELECT id FROM runs WHERE {chosen} ORDER BY id DESC"
                       " LIMIT ? OFFSET ?) GROUP BY character ORDER BY character"),
        {lastRuns, skipRuns});
    return readAll(query, [&] {
        if (const CharTally t = journaldb::tallyAt(query, 0); !t.character.isNull()) out.append(t);
    });
}

Status JournalStore::newest(int count, QList<RunPoint>& out) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query(connection_->database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT id, finished FROM runs ORDER BY id DESC LIMIT ?"));
    query.addBindValue(count);
    return readAll(query, [&] {
        out.append({query.value(0).toLongLong(), query.value(1).toString()});
    });
}

Status JournalStore::talliesOf(const QList<qint64>& ids, QList<CharTally>& out) const
{
    if (!isOpen()) return Status::Unwritable;
    QSqlQuery query(connection_->database());
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT character, SUM(due), SUM(wrong), SUM(time_ms), SUM(timed)"
                       " FROM keys WHERE run IN (%1) GROUP BY character ORDER BY character")
            .arg(idList(ids)));
    return readAll(query, [&] {
        if (const CharTally t = journaldb::tallyAt(query, 0); !t.character.isNull()) out.append(t);
    });
}

QString JournalStore::setAside(const QString& path, const QDateTime& when)
{
    if (!QFile::exists(path)) return {};
    const QFileInfo info(path);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral("-damaged-") +
                                             when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString suffix = QLatin1Char('.') + info.suffix();
    QString aside = stem + suffix;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = stem + QStringLiteral("-%1").arg(n) + suffix;
    // SQLite finds a database's log and shared memory by these suffixes. Committed runs may
    // still be only in the log, and SQLite deletes a log it finds beside a new file: the log
    // goes with its file, or nothing moves.
    QStringList moved;
    for (const QString& companion : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (!QFile::exists(path + companion)) continue;
        if (!QFile::rename(path + companion, aside + companion)) {
            for (const QString& back : moved)
                QFile::rename(aside + back, path + back);
            return {};
        }
        moved << companion;
    }
    return aside;
}

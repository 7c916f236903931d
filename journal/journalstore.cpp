#include "journal/journalstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>
#include <initializer_list>

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
};

constexpr int busyTimeout = 5000; // ms: another running copy may hold the file that long

// SQLite's primary result codes that mean the file itself is bad.
constexpr int sqliteCorrupt = 11;
constexpr int sqliteNotADatabase = 26;

JournalStore::Status classify(const QSqlError& error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff; // extended codes keep it low
    return code == sqliteCorrupt || code == sqliteNotADatabase ? JournalStore::Status::Damaged
                                                               : JournalStore::Status::Unwritable;
}

QString nextConnectionName()
{
    static std::atomic<int> count{0};
    return QStringLiteral("dovanel-journal-%1").arg(++count);
}

} // namespace

JournalStore::JournalStore(const QString& path) : path_(path), connection_(nextConnectionName()) {}

JournalStore::~JournalStore()
{
    close();
}

int JournalStore::schemaVersion()
{
    return int(std::size(migrationSteps));
}

QSqlDatabase JournalStore::database() const
{
    return QSqlDatabase::database(connection_, false);
}

bool JournalStore::isOpen() const
{
    return QSqlDatabase::contains(connection_) && database().isOpen();
}

void JournalStore::close()
{
    if (!QSqlDatabase::contains(connection_)) return;
    database().close();
    QSqlDatabase::removeDatabase(connection_);
}

JournalStore::Status JournalStore::open()
{
    close();
    if (!QDir().mkpath(QFileInfo(path_).absolutePath())) return Status::Unwritable;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeout));
    if (!db.open()) return Status::Unwritable;

    QSqlQuery query(db);
    // The quick check reads every page but skips matching indexes to rows: enough to
    // catch a file that is not a database or was cut short.
    if (!query.exec(QStringLiteral("PRAGMA quick_check"))) return classify(query.lastError());
    if (!query.next() || query.value(0).toString() != QLatin1String("ok")) return Status::Damaged;
    query.finish();
    // A newer program's journal: reading it is fine, but neither our older rows nor our
    // settings belong in it.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return classify(query.lastError());
    const int version = query.value(0).toInt();
    if (version > schemaVersion()) return Status::Unwritable;
    query.finish();
    // Readers never wait for the writer; a commit needs no sync of the whole file, only
    // of the log at checkpoints, so recording stays within a few milliseconds.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
        !query.exec(QStringLiteral("PRAGMA foreign_keys=ON")))
        return classify(query.lastError());
    return version < schemaVersion() ? migrate() : Status::Ok;
}

JournalStore::Status JournalStore::migrate()
{
    QSqlDatabase db = database();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) return classify(query.lastError());
    // Another copy may have migrated it while we waited for the lock.
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return classify(query.lastError());
    int current = query.value(0).toInt();
    query.finish();
    if (current >= schemaVersion()) {
        query.exec(QStringLiteral("ROLLBACK"));
        return current == schemaVersion() ? Status::Ok : Status::Unwritable;
    }
    for (; current < schemaVersion(); ++current) {
        for (const char* statement : migrationSteps[current]) {
            if (!query.exec(QLatin1String(statement))) {
                const QSqlError error = query.lastError();
                query.exec(QStringLiteral("ROLLBACK"));
                return classify(error);
            }
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version=%1").arg(schemaVersion())) ||
        !query.exec(QStringLiteral("COMMIT"))) {
        const QSqlError error = query.lastError();
        query.exec(QStringLiteral("ROLLBACK"));
        return classify(error);
    }
    return Status::Ok;
}

JournalStore::Status JournalStore::write(const QList<JournalEntry>& entries)
{
    if (!isOpen()) return Status::Unwritable;
    QSqlDatabase db = database();
    QSqlQuery control(db);
    // Immediate: the write lock is taken (or waited for) now, not half-way through.
    if (!control.exec(QStringLiteral("BEGIN IMMEDIATE"))) return classify(control.lastError());

    QSqlQuery run(db);
    QSqlQuery key(db);
    bool ok = run.prepare(QStringLiteral(
                  "INSERT INTO runs (finished, level, seconds, characters, keystrokes, misses,"
                  " miss_rate, speed, score) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")) &&
              key.prepare(QStringLiteral(
                  "INSERT INTO keys (run, character, due, wrong) VALUES (?, ?, ?, ?)"));
    QSqlError error = run.lastError().isValid() ? run.lastError() : key.lastError();
    for (int e = 0; ok && e < entries.size(); ++e) {
        const RunFigures& r = entries[e].run;
        for (const QVariant& value :
             {QVariant(r.finished), QVariant(r.level), QVariant(r.seconds), QVariant(r.characters),
              QVariant(r.keystrokes), QVariant(r.misses), QVariant(r.missRate), QVariant(r.speed),
              QVariant(r.score)})
            run.addBindValue(value);
        if (!run.exec()) {
            ok = false, error = run.lastError();
            break;
        }
        const QVariant id = run.lastInsertId();
        for (const CharTally& t : entries[e].tallies) {
            key.addBindValue(id);
            key.addBindValue(QString(t.character));
            key.addBindValue(t.due);
            key.addBindValue(t.wrong);
            if (!key.exec()) {
                ok = false, error = key.lastError();
                break;
            }
        }
    }
    if (ok && control.exec(QStringLiteral("COMMIT"))) return Status::Ok;
    if (ok) error = control.lastError();
    control.exec(QStringLiteral("ROLLBACK"));
    return classify(error);
}

QList<RunFigures> JournalStore::runs(int level) const
{
    QList<RunFigures> list;
    if (!isOpen()) return list;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT finished, level, seconds, characters, keystrokes, misses,"
                                 " miss_rate, speed, score FROM runs WHERE level = ? ORDER BY id"));
    query.addBindValue(level);
    if (!query.exec()) return list;
    while (query.next()) {
        list.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toDouble(),
                     query.value(3).toInt(), query.value(4).toInt(), query.value(5).toInt(),
                     query.value(6).toInt(), query.value(7).toInt(), query.value(8).toInt()});
    }
    return list;
}

QList<int> JournalStore::levels() const
{
    QList<int> list;
    if (!isOpen()) return list;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT DISTINCT level FROM runs ORDER BY level"))) return list;
    while (query.next())
        list.append(query.value(0).toInt());
    return list;
}

QList<CharTally> JournalStore::recentTallies(int level, int lastRuns) const
{
    QList<CharTally> list;
    if (!isOpen()) return list;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT character, SUM(due), SUM(wrong) FROM keys WHERE run IN"
                                 " (SELECT id FROM runs WHERE level = ? ORDER BY id DESC LIMIT ?)"
                                 " GROUP BY character ORDER BY character"));
    query.addBindValue(level);
    query.addBindValue(lastRuns);
    if (!query.exec()) return list;
    while (query.next()) {
        const QString character = query.value(0).toString();
        if (character.size() != 1) continue; // only this program writes here: one character
        list.append({character.at(0), query.value(1).toInt(), query.value(2).toInt()});
    }
    return list;
}

QString JournalStore::setAside(const QString& path, const QDateTime& when)
{
    const QFileInfo info(path);
    const QString stem = info.dir().filePath(info.completeBaseName() + QStringLiteral("-damaged-") +
                                             when.toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString suffix = QLatin1Char('.') + info.suffix();
    QString aside = stem + suffix;
    for (int n = 2; QFile::exists(aside); ++n)
        aside = stem + QStringLiteral("-%1").arg(n) + suffix;
    if (!QFile::rename(path, aside)) return {};
    // SQLite finds a database's log and shared memory by these two suffixes.
    // A log left behind would be replayed into the fresh file.
    for (const QLatin1String companion : {QLatin1String("-wal"), QLatin1String("-shm")})
        if (QFile::exists(path + companion) && !QFile::rename(path + companion, aside + companion))
            return {};
    return aside;
}

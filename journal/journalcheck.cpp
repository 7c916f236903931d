#include "journal/journalcheck.h"

#include "journal/journaldb.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QTimer>
#include <QVariant>
#include <cstdio>

namespace {

// Reads every page: a page that is no longer a sound part of its table or index shows.
// Unwritable when the check could not run (a busy file is no finding).
journaldb::Status check(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next())
        return journaldb::classify(query.lastError());
    return query.value(0).toString() == QLatin1String("ok") ? journaldb::Status::Ok
                                                            : journaldb::Status::Damaged;
}

// A compact copy under a name of this process, then renamed over the last backup in one
// step, so a backup is always whole.
void backUp(const QSqlDatabase& db, const QString& backup)
{
    const QString partial =
        backup + QStringLiteral(".%1.partial").arg(QCoreApplication::applicationPid());
    QFile::remove(partial);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(partial);
    if (!query.exec() ||
        std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(backup).constData()))
        QFile::remove(partial);
}

} // namespace

JournalCheck::JournalCheck(const QString& path) : path_(path), delay_(new QTimer(this))
{
    delay_->setSingleShot(true);
    delay_->setInterval(delayMs);
    connect(delay_, &QTimer::timeout, this, &JournalCheck::run);
}

JournalCheck::~JournalCheck()
{
    wait();
}

QString JournalCheck::backupPath(const QString& journalPath)
{
    const QFileInfo info(journalPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-backup.") +
                               info.suffix());
}

void JournalCheck::start()
{
    if (busy_) return;
    busy_ = true;
    delay_->start();
}

void JournalCheck::hurry()
{
    if (!delay_->isActive()) return;
    delay_->stop();
    run();
}

void JournalCheck::run()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QFileInfo backup(backupPath(path_));
    const bool backupDue =
        !backup.exists() || backup.lastModified().secsTo(now) >= backupAgeSeconds;
    damaged_ = false;
    thread_.reset(QThread::create([this, backupDue, backup = backup.filePath()] {
        const journaldb::Connection connection(path_, journaldb::Connection::ReadOnly);
        if (!connection.isOpen()) return;
        const journaldb::Status status = check(connection.database());
        if (status == journaldb::Status::Ok && backupDue) backUp(connection.database(), backup);
        damaged_ = status == journaldb::Status::Damaged;
    }));
    connect(thread_.get(), &QThread::finished, this, [this, run = ++run_] {
        if (run != run_) return;
        busy_ = false;
        emit finished(damaged_);
    });
    thread_->start(QThread::LowPriority);
}

void JournalCheck::wait()
{
    delay_->stop();
    if (thread_) thread_->wait();
    ++run_;
    busy_ = false;
}

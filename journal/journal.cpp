#include "journal/journal.h"

#include "journal/journalstore.h"
#include "ui/messagebox.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString folderName = QStringLiteral("dovanel");
const QString fileName = QStringLiteral("journal.sqlite");
const QString cannotRead = QStringLiteral("を読み込めません。別名で保存しました"); // after the name
} // namespace

Journal::Journal(const QString& path, MessageBoxes& messages) : path_(path), messages_(messages) {}

Journal::~Journal() = default;

QString Journal::defaultPath()
{
    // The generic location, not one named after the application: `make run` and the
    // installed program must share one journal.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' +
           folderName + u'/' + fileName;
}

bool Journal::ensureOpen()
{
    if (store_ && store_->isOpen()) return true;
    if (!store_) store_ = std::make_unique<JournalStore>(path_);
    const JournalStore::Status status = store_->open();
    if (status == JournalStore::Status::Ok) return true;
    store_->close();
    if (status == JournalStore::Status::Damaged) return startAfresh();
    tellUnwritable();
    return false;
}

bool Journal::startAfresh()
{
    store_->close();
    if (JournalStore::setAside(path_, QDateTime::currentDateTime()).isEmpty()) {
        tellUnwritable();
        return false;
    }
    tellDamaged();
    if (store_->open() == JournalStore::Status::Ok) return true;
    store_->close();
    tellUnwritable();
    return false;
}

JournalStore* Journal::store()
{
    return ensureOpen() ? store_.get() : nullptr;
}

void Journal::record(const JournalEntry& entry)
{
    pending_.append(entry);
    writePending();
}

void Journal::writePending()
{
    if (!ensureOpen()) return;
    JournalStore::Status status = store_->write(pending_);
    // Gone bad while open: the runs go to a fresh file.
    if (status == JournalStore::Status::Damaged && startAfresh()) status = store_->write(pending_);
    if (status != JournalStore::Status::Ok) {
        tellUnwritable();
        return;
    }
    pending_.clear();
    emit recorded();
}

void Journal::tellUnwritable()
{
    if (toldUnwritable_) return;
    toldUnwritable_ = true;
    messages_.inform(QFileInfo(path_).fileName() + errortext::cannotWrite, errortext::title);
}

void Journal::tellDamaged()
{
    if (toldDamaged_) return;
    toldDamaged_ = true;
    messages_.inform(QFileInfo(path_).fileName() + cannotRead, errortext::title);
}

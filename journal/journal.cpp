#include "journal/journal.h"

#include "journal/journalcheck.h"
#include "journal/journallock.h"
#include "journal/journalrescue.h"
#include "journal/journalspool.h"
#include "journal/journalstore.h"
#include "journal/weakness.h"
#include "ui/messagebox.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QString folderName = QStringLiteral("dovanel");
const QString fileName = QStringLiteral("journal.sqlite");

// The messages, with the journal's file name first.
namespace text {
const QString repaired = QStringLiteral("%1が傷んでいたので、%2という名前で残しました。"
                                        "読み取れた%3回分の記録を新しい%1に移しました。");
const QString damagedInUse = QStringLiteral("%1が傷んでいますが、ほかのdovanelが開いているので"
                                            "直せません。そちらを終えたあとの練習で直します。");
const QString newer = QStringLiteral("%1は新しい版のdovanelが書いたものなので、読むだけにします。"
                                     "新しい記録は、その版を使うまでここには残りません。");
const QString lost = QStringLiteral("%1回分の記録を残せませんでした。");
} // namespace text

} // namespace

JournalPlaces JournalPlaces::standard()
{
    // The generic locations, not ones named after the application: `make run` and the
    // installed program must share one journal.
    return {QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' +
                folderName + u'/' + fileName,
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
                folderName};
}

Journal::Journal(const JournalPlaces& places, MessageBoxes& messages)
    : places_(places), messages_(messages), check_(std::make_unique<JournalCheck>(places.file))
{
    connect(check_.get(), &JournalCheck::finished, this, &Journal::onChecked);
    flushTimer_.setSingleShot(true);
    connect(&flushTimer_, &QTimer::timeout, this, &Journal::flush);
}

Journal::~Journal()
{
    flush();
    check_->wait();
    if (pending_.isEmpty() || journalspool::keep(places_.waiting, pending_)) return;
    messages_.inform(text::lost.arg(pending_.size()), errortext::title);
}

bool Journal::ensureOpen()
{
    if (store_ && store_->isOpen()) return true;
    JournalLock turn(JournalLock::turn(places_.file));
    if (!turn.wait(JournalLock::Alone)) {
        tellUnwritable();
        return false;
    }
    store_ = std::make_unique<JournalStore>(places_.file);
    switch (store_->open()) {
    case Status::Ok:
        writeWaiting();
        check_->start();
        return true;
    case Status::Newer: tell(toldNewer_, text::newer.arg(name())); return true;
    case Status::Damaged:
        store_->close();
        turn.release();
        return repair();
    case Status::Unwritable: break;
    }
    store_->close();
    tellUnwritable();
    return false;
}

bool Journal::repair()
{
    check_->wait();
    // Our own claim goes first: a copy that cannot repair now leaves the file to the others,
    // and opens it again, or what took its place, at its next need.
    if (store_) store_->close();
    JournalLock turn(JournalLock::turn(places_.file));
    JournalLock claim(JournalLock::users(places_.file));
    if (!turn.wait(JournalLock::Alone) || !claim.take(JournalLock::Alone)) {
        tell(toldDamagedInUse_, text::damagedInUse.arg(name()));
        return false;
    }
    const QString aside = JournalStore::setAside(places_.file, QDateTime::currentDateTime());
    claim.release();
    if (aside.isEmpty()) {
        tellUnwritable();
        return false;
    }
    const QList<JournalEntry> kept = journalrescue::read(aside);
    store_ = std::make_unique<JournalStore>(places_.file);
    if (store_->open() != Status::Ok || store_->write(kept) != Status::Ok) {
        store_->close();
        tellUnwritable();
        return false;
    }
    turn.release(); // not held while the learner reads
    messages_.inform(text::repaired.arg(name(), QFileInfo(aside).fileName()).arg(kept.size()),
                     errortext::title);
    emit replaced();
    return true;
}

void Journal::onChecked(bool damaged)
{
    if (damaged) repair();
    emit checked();
}

void Journal::flush()
{
    flushTimer_.stop();
    if (!pending_.isEmpty()) writePending();
}

void Journal::settle()
{
    flush();
    bool over = false;
    const auto connection = connect(this, &Journal::checked, this, [&over] { over = true; });
    check_->hurry();
    while (check_->busy() && !over)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    disconnect(connection);
}

template <typename Read> bool Journal::read(Read read)
{
    flush(); // what is read includes every run recorded
    // Damage found in use: the file is repaired and read once more.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!ensureOpen()) return false;
        const Status status = read(*store_);
        if (status != Status::Damaged) return status == Status::Ok;
        if (!repair()) return false;
    }
    return false;
}

// What a store call reads into a list of its own, or an empty list when the file cannot be read.
template <typename List, typename Call> List Journal::readList(Call call)
{
    List list;
    const bool read = this->read([&](JournalStore& store) {
        list = {};
        return call(store, list);
    });
    return read ? list : List{};
}

QList<RunFigures> Journal::runs(const RunSet& set, int last)
{
    return readList<QList<RunFigures>>(
        [&](auto& store, auto& out) { return store.runs(set, out, last); });
}

QList<RunPoint> Journal::points(const RunSet& set)
{
    return readList<QList<RunPoint>>(
        [&](auto& store, auto& out) { return store.points(set, out); });
}

std::vector<double> Journal::column(const RunSet& set, const QString& name)
{
    return readList<std::vector<double>>(
        [&](auto& store, auto& out) { return store.column(set, name, out); });
}

QList<JournalEntry> Journal::byId(const QList<qint64>& ids)
{
    return readList<QList<JournalEntry>>(
        [&](auto& store, auto& out) { return store.byId(ids, out); });
}

QList<int> Journal::levels()
{
    return readList<QList<int>>([&](auto& store, auto& out) { return store.levels(out); });
}

QStringList Journal::texts()
{
    return readList<QStringList>([&](auto& store, auto& out) { return store.texts(out); });
}

QList<CharTally> Journal::tallies(const RunSet& set, int lastRuns, int skipRuns)
{
    return readList<QList<CharTally>>(
        [&](auto& store, auto& out) { return store.tallies(set, lastRuns, out, skipRuns); });
}

Journal::Recent Journal::recent(const QDateTime& now)
{
    return readList<Recent>([&](JournalStore& store, Recent& out) {
        QList<RunPoint> newest;
        const Status status = store.newest(weakness::mostRuns, newest);
        if (status != Status::Ok) return status;
        const QList<qint64> ids = weakness::recentRuns(newest, now);
        out.runs = int(ids.size());
        return store.talliesOf(ids, out.tallies);
    });
}

void Journal::record(const JournalEntry& entry)
{
    pending_.append(entry);
    // Written once the results window is up: opening the file and syncing a new log may take
    // milliseconds the learner would otherwise wait for.
    flushTimer_.start(0);
}

void Journal::tellWritten(QList<JournalEntry> written, const QList<qint64>& ids)
{
    for (qsizetype i = 0; i < written.size(); ++i)
        written[i].id = ids.value(i);
    emit recorded(written);
}

void Journal::writeWaiting()
{
    // Under the turn of ensureOpen: no other copy takes the same files.
    const journalspool::Waiting waiting = journalspool::waiting(places_.waiting);
    QList<qint64> ids;
    if (waiting.entries.isEmpty() || store_->write(waiting.entries, &ids) != Status::Ok) return;
    for (const QString& file : waiting.files)
        QFile::remove(file);
    tellWritten(waiting.entries, ids);
}

void Journal::writePending()
{
    if (!ensureOpen()) return;
    QList<qint64> ids;
    Status status = store_->write(pending_, &ids);
    // Gone bad while open: the runs go to the file that takes its place.
    if (status == Status::Damaged && repair()) status = store_->write(pending_, &(ids = {}));
    if (status == Status::Ok)
        tellWritten(std::exchange(pending_, {}), ids);
    else if (status == Status::Newer)
        tell(toldNewer_, text::newer.arg(name()));
    else if (status != Status::Damaged)
        tellUnwritable(); // damage was told by the repair
}

QString Journal::name() const
{
    return QFileInfo(places_.file).fileName();
}

void Journal::tellUnwritable()
{
    tell(toldUnwritable_, name() + errortext::cannotWrite);
}

void Journal::tell(bool& told, const QString& text)
{
    if (told) return;
    told = true;
    messages_.inform(text, errortext::title);
}

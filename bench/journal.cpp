#include "bench/bench.h"
#include "tests/support/doubles.h"

#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "journal/journalstore.h"
#include "ui/messagebox.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDateTime>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <random>

namespace {

using Ms = std::chrono::duration<double, std::milli>;

// A level-2 run as a learner makes them, a few hours apart, with forty characters tallied.
JournalEntry sampleEntry(int n, std::mt19937& engine)
{
    std::uniform_int_distribution<int> speed(80, 260), misses(0, 25), wrong(0, 3);
    const QDateTime start(QDate(2025, 1, 1), QTime(9, 0), Qt::OffsetFromUTC, 9 * 3600);
    RunFigures run{journalentry::isoLocal(start.addSecs(qint64(n) * 3 * 3600)),
                   2,
                   65.43,
                   250,
                   270,
                   misses(engine),
                   7,
                   speed(engine),
                   120};
    QList<CharTally> tallies;
    for (char c = 'a'; c <= 'z'; ++c)
        tallies.append({QChar(c), 6, wrong(engine)});
    for (char c : QByteArray(" ,.;ABCDEFGHIJKLMN"))
        tallies.append({QChar(c), 3, wrong(engine)});
    return {run, tallies};
}

// Counts the paints of one widget.
class Painted : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) seen = true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// Recording finished runs one by one into a fresh journal, then opening the journal window on
// ten thousand runs: from the menu's call to the window painted, the file opened afresh
// each time as on the first look of an execution.
int benchJournal(int argc, char** argv, int records, int windowRuns)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return bench::fail("cannot make a temporary directory");
    ScriptedMessageBoxes messages;
    std::mt19937 engine(12);

    std::vector<double> recordTimes;
    {
        Journal journal(dir.filePath(QStringLiteral("record/journal.sqlite")), messages);
        for (int n = 0; n < records; ++n) {
            const JournalEntry entry = sampleEntry(n, engine);
            const auto t0 = std::chrono::steady_clock::now();
            journal.record(entry);
            recordTimes.push_back(Ms(std::chrono::steady_clock::now() - t0).count());
        }
        if (journal.pending() != 0 || !messages.shown.isEmpty())
            return bench::fail("runs were not recorded");
    }

    const QString full = dir.filePath(QStringLiteral("full/journal.sqlite"));
    {
        JournalStore store(full);
        QList<JournalEntry> entries;
        for (int n = 0; n < windowRuns; ++n)
            entries.append(sampleEntry(n, engine));
        if (store.open() != JournalStore::Status::Ok ||
            store.write(entries) != JournalStore::Status::Ok)
            return bench::fail("cannot fill the journal");
    }
    std::vector<double> openTimes;
    constexpr int opens = 5;
    for (int n = 0; n < opens; ++n) {
        Journal journal(full, messages);
        frmjournal window(journal, messages);
        Painted painted;
        const auto t0 = std::chrono::steady_clock::now();
        window.open(2);
        // The chart draws on its viewport, last of the window's parts.
        window.window()
            ->findChild<QAbstractScrollArea*>(QStringLiteral("chart"))
            ->viewport()
            ->installEventFilter(&painted);
        for (int pass = 0; pass < 100 && !painted.seen; ++pass)
            QCoreApplication::processEvents();
        openTimes.push_back(Ms(std::chrono::steady_clock::now() - t0).count());
        if (!painted.seen) return bench::fail("the journal window was not painted");
        if (window.window()->findChild<QObject*>(QStringLiteral("grdruns")) == nullptr ||
            !messages.shown.isEmpty())
            return bench::fail("the journal window did not open cleanly");
    }

    std::printf("records %d\n", records);
    std::printf("record_median_ms %.3f\n", bench::percentile(recordTimes, 50));
    std::printf("record_first_ms %.3f\n", recordTimes.empty() ? 0.0 : recordTimes.front());
    std::printf("record_max_ms %.3f\n", bench::percentile(recordTimes, 100));
    std::printf("window_runs %d\n", windowRuns);
    std::printf("window_open_ms %.1f\n", bench::percentile(openTimes, 50));
    std::printf("window_open_first_ms %.1f\n", openTimes.front());
    return 0;
}

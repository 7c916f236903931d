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
#include <functional>
#include <random>

namespace {

using Ms = std::chrono::duration<double, std::milli>;

double timed(const std::function<void()>& work)
{
    const auto t0 = std::chrono::steady_clock::now();
    work();
    return Ms(std::chrono::steady_clock::now() - t0).count();
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

JournalEntry bench::sampleEntry(int n, std::mt19937& engine)
{
    std::uniform_int_distribution<int> speed(80, 260), misses(0, 25), wrong(0, 3), ms(150, 600);
    const QDateTime start(QDate(2025, 1, 1), QTime(9, 0), Qt::OffsetFromUTC, 9 * 3600);
    RunFigures run{journalentry::isoLocal(start.addSecs(qint64(n) * 3 * 3600)),
                   2,
                   65.43,
                   250,
                   270,
                   misses(engine),
                   7,
                   speed(engine),
                   120,
                   true,
                   0,
                   RunKind::Level,
                   {}};
    QList<CharTally> tallies;
    for (char c = 'a'; c <= 'z'; ++c)
        tallies.append({QChar(c), 6, wrong(engine), 6 * ms(engine), 5});
    for (char c : QByteArray(" ,.;ABCDEFGHIJKLMN"))
        tallies.append({QChar(c), 3, wrong(engine), 3 * ms(engine), 3});
    return {run, tallies};
}

// A journal of `runs` runs of one level, as years of practice leave it. Timed on it: a
// finished run recorded, as the results window waits for it; its writing, which follows the
// results window, the first of an execution (which opens the file) and the next ones, and
// with the journal window open; and the window opened, from the menu's call to its chart
// painted, the file opened afresh as on the first look of an execution.
int benchJournal(int argc, char** argv, int runs)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return bench::fail("cannot make a temporary directory");
    const JournalPlaces places{dir.filePath(QStringLiteral("data/journal.sqlite")),
                               dir.filePath(QStringLiteral("config"))};
    ScriptedMessageBoxes messages;
    std::mt19937 engine(12);
    {
        JournalStore store(places.file);
        QList<JournalEntry> entries;
        for (int n = 0; n < runs; ++n)
            entries.append(bench::sampleEntry(n, engine));
        if (store.open() != JournalStore::Status::Ok ||
            store.write(entries) != JournalStore::Status::Ok)
            return bench::fail("cannot fill the journal");
    }

    constexpr int executions = 5, records = 40, opens = 5;
    int next = runs;
    // A run recorded as the results window does, then written as the event loop does next.
    std::vector<double> recordTimes, firstWrites, writes, openWrites, openTimes;
    const auto finish = [&](Journal& journal, std::vector<double>& writeTimes) {
        const JournalEntry entry = bench::sampleEntry(next++, engine);
        recordTimes.push_back(timed([&] { journal.record(entry); }));
        writeTimes.push_back(timed([&] { journal.flush(); }));
    };
    for (int e = 0; e < executions; ++e) {
        Journal journal(places, messages);
        finish(journal, firstWrites);
        for (int n = 0; n < records; ++n)
            finish(journal, writes);
        journal.settle();
    }
    for (int n = 0; n < opens; ++n) {
        Journal journal(places, messages);
        frmjournal window(journal, messages);
        Painted painted;
        const double ms = timed([&] {
            window.open(RunSet(2));
            // The chart draws on its viewport, last of the window's parts.
            window.window()
                ->findChild<QAbstractScrollArea*>(QStringLiteral("chart"))
                ->viewport()
                ->installEventFilter(&painted);
            for (int pass = 0; pass < 100 && !painted.seen; ++pass)
                QCoreApplication::processEvents();
        });
        openTimes.push_back(ms);
        if (!painted.seen) return bench::fail("the journal window was not painted");
        for (int r = 0; r < records / 4; ++r)
            finish(journal, openWrites);
        journal.settle();
    }
    if (!messages.shown.isEmpty()) return bench::fail("the journal said something was wrong");

    std::printf("runs %d\n", runs);
    std::printf("record_median_ms %.3f\n", bench::percentile(recordTimes, 50));
    std::printf("record_max_ms %.3f\n", bench::percentile(recordTimes, 100));
    std::printf("write_first_median_ms %.2f\n", bench::percentile(firstWrites, 50));
    std::printf("write_median_ms %.2f\n", bench::percentile(writes, 50));
    std::printf("write_window_open_median_ms %.2f\n", bench::percentile(openWrites, 50));
    std::printf("window_open_ms %.1f\n", bench::percentile(openTimes, 50));
    std::printf("window_open_first_ms %.1f\n", openTimes.front());
    return 0;
}

#include "bench/bench.h"
#include "tests/support/doubles.h"

#include "app/mainwindow.h"
#include "app/program.h"
#include "dialogs/frmlevel.h"
#include "journal/journal.h"
#include "results/frmend.h"
#include "ui/beep.h"
#include "ui/browser.h"
#include "ui/clock.h"
#include "ui/messagebox.h"
#include "ui/platform.h"
#include "ui/randomsource.h"
#include "ui/settingsmedium.h"
#include "ui/ticker.h"

#include <QApplication>
#include <QFile>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <map>
#include <random>

namespace {

// Counts paints, so the figure can be shown to include the repaint it claims to, and tells
// which widgets a key makes repaint.
class PaintCounter : public QObject {
public:
    int paints = 0;
    qint64 pixels = 0;
    std::map<QString, int> byClass;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += qint64(r.width()) * r.height();
            ++byClass[QString::fromLatin1(watched->metaObject()->className())];
        }
        return QObject::eventFilter(watched, event);
    }
};

// Text with spaces, ~70 characters a line, so space skipping and the guide both run.
QStringList longLines(int count)
{
    static const char* const words[] = {
        "Ohayou", "gozaimasu.", "The",   "train", "was",    "a",        "little",
        "late",   "today,",     "kyou",  "wa",    "totemo", "atatakai", "desu",
        "ne.",    "Where",      "did",   "you",   "put",    "the",      "key",
        "to",     "back",       "door?", "Sanpo", "ni",     "ikimasen", "ka?"};
    std::mt19937 engine(7);
    std::uniform_int_distribution<int> pick(0, int(std::size(words)) - 1);
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        QString line;
        while (line.size() < 66) {
            if (!line.isEmpty()) line += u' ';
            line += QLatin1String(words[pick(engine)]);
        }
        lines << line;
    }
    return lines;
}

// Different blocks on every restart, the same ones on every bench run.
class SeededRandom : public RandomSource {
public:
    float next() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(engine_); }

private:
    std::mt19937 engine_{2024};
};

bool activate(QWidget& window)
{
    window.activateWindow();
    const bool active = QTest::qWaitForWindowActive(&window);
    QCoreApplication::processEvents();
    return active;
}

} // namespace

// The whole program on the offscreen platform with test doubles, typing a level-2 run: each
// key is timed from its press to the end of the repaint it causes. Restarts between blocks
// are not timed.
int benchKeystroke(int argc, char** argv, int keys)
{
    QApplication app(argc, argv);

    QTemporaryDir dir;
    if (!dir.isValid()) return bench::fail("cannot make a temporary directory");
    {
        QFile file(dir.filePath(QStringLiteral("middle.txt")));
        if (!file.open(QIODevice::WriteOnly)) return bench::fail("cannot write middle.txt");
        for (const QString& line : longLines(400))
            file.write(line.toLatin1() + "\r\n");
    }

    SettableClock clock;
    CountingBeep beep;
    ScriptedMessageBoxes messages;
    RecordingBrowser browser;
    SeededRandom random;
    MemorySettingsMedium settings;
    ManualTickers tickers{messages};
    Platform platform{clock, beep, messages, browser, random, settings, tickers};
    Program program(platform, dir.path(),
                    {dir.filePath(QStringLiteral("journal.sqlite")), dir.filePath("config")});
    mainwindow& main = *program.main;
    RunState& run = main.run;

    // As a user starts: the main window, then the level dialog, level 2, the first tick.
    program.start();
    if (!activate(main)) return bench::fail("the main window did not become active");
    main.Timer1_Timer();
    program.level->close();
    program.level->level = 2;
    main.startLevelRun();
    main.Timer1_Timer();
    activate(main);
    if (run.flgnotext) return bench::fail("the practice text did not load");

    PaintCounter counter;
    app.installEventFilter(&counter);
    QWindow* window = main.windowHandle();

    std::vector<double> all, judged, blockEnds;
    all.reserve(keys);
    int wrongSent = 0, unpainted = 0, latePaints = 0, restarts = 0;
    for (int k = 0; k < keys; ++k) {
        if (run.isDone()) {
            // Not timed: the user's "again" is a separate action.
            main.retry_Click();
            main.Timer1_Timer();
            if (!activate(main)) return bench::fail("the main window did not come back");
            ++restarts;
        }
        const QChar want = run.expected();
        if (want.isNull() || want.unicode() > 127)
            return bench::fail("unexpected practice character");
        // About one key in forty is wrong, as a learner's would be.
        const bool wrong = k % 40 == 39;
        const char typed = wrong ? (want == u'q' ? 'z' : 'q') : char(want.unicode());
        if (wrong) ++wrongSent;
        if (main.focusWidget() != main.txtin(run.nowcnt))
            return bench::fail("the current input box does not hold the focus");

        const int paintsBefore = counter.paints;
        // Through the window, as the platform delivers a key: shortcut check, then the focused
        // box. QTest processes events after each half; one more pass runs any paint still
        // posted, so the interval ends with the repaint in the backing store.
        const auto t0 = std::chrono::steady_clock::now();
        QTest::keyPress(window, typed);
        QTest::keyRelease(window, typed);
        QCoreApplication::processEvents();
        const auto t1 = std::chrono::steady_clock::now();

        if (counter.paints == paintsBefore) ++unpainted;
        const int paintsAfter = counter.paints;
        QCoreApplication::processEvents();
        if (counter.paints != paintsAfter) ++latePaints;

        const double ms = std::chrono::duration<double, std::milli>(t1 - t0).count();
        all.push_back(ms);
        (run.isDone() ? blockEnds : judged).push_back(ms);
    }
    app.removeEventFilter(&counter);

    // Every key was judged as meant: only the deliberate misses beeped.
    if (beep.count != wrongSent) return bench::fail("keys were not judged as sent");

    std::printf("keys %d\n", keys);
    std::printf("wrong_keys %d\n", wrongSent);
    std::printf("restarts %d\n", restarts);
    std::printf("keys_without_paint %d\n", unpainted);
    std::printf("keys_with_late_paint %d\n", latePaints);
    std::printf("median_ms %.4f\n", bench::percentile(all, 50));
    std::printf("p99_ms %.4f\n", bench::percentile(all, 99));
    std::printf("max_ms %.4f\n", bench::percentile(all, 100));
    std::printf("judged_p99_ms %.4f\n", bench::percentile(judged, 99));
    std::printf("block_end_keys %zu\n", blockEnds.size());
    std::printf("block_end_median_ms %.4f\n", bench::percentile(blockEnds, 50));
    std::printf("paints_per_key %.1f\n", double(counter.paints) / keys);
    std::printf("painted_pixels_per_key %.0f\n", double(counter.pixels) / keys);
    std::printf("window_pixels %d\n", main.width() * main.height());
    for (const auto& [name, count] : counter.byClass)
        std::printf("paints_of %s %.2f\n", qPrintable(name), double(count) / keys);
    return 0;
}

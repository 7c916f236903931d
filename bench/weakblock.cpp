#include "bench/bench.h"
#include "tests/program/session.h"

#include "app/practicetext.h"
#include "app/weakblock.h"
#include "journal/journalstore.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <chrono>
#include <limits>

// Ctrl+K in the whole program on the offscreen platform, from the menu's call to the block
// painted: the journal's recent runs read (10,000 runs journalled), the weak keys judged, the
// largest level file a block can come from read and the block made. Then the three keys' share
// of the characters in weak-key blocks and in random blocks of the same file.
int benchWeakBlock(int argc, char** argv, int runs)
{
    QApplication app(argc, argv);
    Session session;
    {
        // Mostly letters and punctuation, now and then a line of symbols, like advance.txt.
        QByteArray text;
        for (int i = 0; i < std::numeric_limits<qint16>::max(); ++i)
            text += i % 20 ? "Line " + QByteArray::number(i) +
                                 ": Meet Kenta, Mika and Nao at the Gate; bring LUNCH.\r\n"
                           : "mail " + QByteArray::number(i) + "@example.jp [10:30] {A=B}\r\n";
        QFile file(session.dir.filePath(QStringLiteral("advance.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return bench::fail("cannot write advance.txt");
        JournalStore store(session.journalPath());
        std::mt19937 engine(18);
        QList<JournalEntry> entries;
        for (int n = 0; n < 10000; ++n)
            entries.append(bench::sampleEntry(n, engine));
        if (store.open() != JournalStore::Status::Ok ||
            store.write(entries) != JournalStore::Status::Ok)
            return bench::fail("cannot fill the journal");
    }
    session.begin(3);
    mainwindow& main = session.main();

    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        const bool made = main.practiseWeakKeys();
        main.repaint();
        const auto t1 = std::chrono::steady_clock::now();
        if (!made || main.lblin(0)->text().isEmpty())
            return bench::fail("no weak-key block was made");
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }

    const QString keys = main.source().keys;
    LoadResult read;
    const QStringList lines = practicetext::levelLines(3, session.dir.path(), read);
    SystemRandom random;
    double weak = 0, plain = 0;
    constexpr int blocks = 200;
    for (int b = 0; b < blocks; ++b) {
        weak += weakblock::share(weakblock::make(3, lines, keys, random, 85), keys);
        plain += weakblock::share(practicetext::pickBlock(lines, random.next()), keys);
    }
    std::printf("keys %s\n", qPrintable(keys));
    std::printf("median_ms %.2f\n", bench::percentile(times, 50));
    std::printf("first_ms %.2f\n", times.front());
    std::printf("max_ms %.2f\n", bench::percentile(times, 100));
    std::printf("weak_share %.3f\n", weak / blocks);
    std::printf("random_share %.3f\n", plain / blocks);
    return 0;
}

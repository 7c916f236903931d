#include "bench/bench.h"
#include "tests/program/session.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <chrono>

// A learner's 5 MB UTF-8 text opened in the whole program on the offscreen platform, from the
// call the menu makes until its first block is painted.
int benchOpenText(int argc, char** argv, int runs)
{
    QApplication app(argc, argv);
    Session session;
    const QString path = session.dir.filePath(QStringLiteral("notes.txt"));
    {
        // English lines, full-width letters and now and then a Japanese line, which is left out.
        QByteArray text;
        for (int i = 0; text.size() < 5 * 1024 * 1024; ++i) {
            text += "Line " + QByteArray::number(i) +
                    ": the train was a little late today, so we walked along the river.\n";
            if (i % 10 == 0) text += "\xEF\xBC\xA1\xEF\xBC\xA2\xEF\xBC\xA3 full-width 123\n";
            if (i % 25 == 0) text += "\xE4\xBB\x8A\xE6\x97\xA5\xE3\x81\xAF\xE6\x99\xB4\n";
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return bench::fail("cannot write notes.txt");
    }

    session.start();
    mainwindow& main = session.main();

    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        main.openText(path);
        main.repaint();
        const auto t1 = std::chrono::steady_clock::now();
        QCoreApplication::processEvents(); // the message about the lines left out
        if (!main.source().isText() || main.lblin(0)->text().isEmpty())
            return bench::fail("the text did not open");
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::printf("bytes %lld\n", QFileInfo(path).size());
    std::printf("median_ms %.2f\n", bench::percentile(times, 50));
    std::printf("max_ms %.2f\n", bench::percentile(times, 100));
    return 0;
}

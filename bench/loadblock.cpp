#include "bench/bench.h"

#include "app/practicetext.h"
#include "ui/randomsource.h"

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <limits>

// The largest file a block can come from: as many lines as a 16-bit count allows.
int benchLoadBlock(int runs)
{
    QTemporaryDir dir;
    if (!dir.isValid()) return bench::fail("cannot make a temporary directory");
    const int lines = std::numeric_limits<qint16>::max();
    {
        QByteArray text;
        text.reserve(lines * 62);
        for (int i = 0; i < lines; ++i) {
            // ~60 characters with spaces, different on every line.
            QByteArray line =
                "Line " + QByteArray::number(i) + ": Kyou wa totemo atatakai desu ne.";
            while (line.size() < 60)
                line += " abc";
            text += line.left(60) + "\r\n";
        }
        QFile file(dir.filePath(QStringLiteral("middle.txt")));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return bench::fail("cannot write middle.txt");
    }

    SystemRandom random;
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        const LoadResult result = practicetext::load(2, dir.path(), random);
        const auto t1 = std::chrono::steady_clock::now();
        if (result.problem != LoadProblem::None || result.block.linetext[0].isEmpty())
            return bench::fail("the block did not load");
        times.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::printf("lines %d\n", lines);
    std::printf("runs %d\n", runs);
    std::printf("median_ms %.4f\n", bench::percentile(times, 50));
    std::printf("min_ms %.4f\n", bench::percentile(times, 0));
    std::printf("max_ms %.4f\n", bench::percentile(times, 100));
    return 0;
}

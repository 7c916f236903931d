// A practice file of any bytes, read as the program reads it.
// Input: three bytes for the random draw, then the file.

#include "app/practicetext.h"
#include "fuzz/fuzzsupport.h"

#include <QStringList>
#include <algorithm>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    const float r = in.unit();
    const QStringList lines = practicetext::decodeLines(in.rest());
    const PracticeBlock block = practicetext::pickBlock(lines, r);

    // At most five lines, each short enough for a 16-bit cursor to pass its end, none ending
    // in a space (a skipped space must never be a line's last character), the count their sum.
    constexpr int limit = std::numeric_limits<qint16>::max();
    int sum = 0;
    for (int k = 0; k <= blockLines; ++k) {
        const QString& line = block.linetext[k];
        FUZZ_CHECK(block.linelen[k] == line.size() && line.size() < limit);
        FUZZ_CHECK(!line.endsWith(u' ') && !line.contains(u'\n') && !line.contains(u'\r'));
        sum += int(line.size());
    }
    FUZZ_CHECK(block.linetext[blockLines].isEmpty());
    FUZZ_CHECK(block.mojicnt == std::min(sum, limit));
    // The block is consecutive lines of the file: all of a file of five lines or fewer, and
    // never the last line of a longer one.
    const auto asShown = [](QString s) {
        s.truncate(limit - 1);
        while (s.endsWith(u' '))
            s.chop(1);
        return s;
    };
    const int n = int(lines.size());
    const auto startsAt = [&](int first) {
        for (int k = 0; k < blockLines; ++k)
            if (block.linetext[k] != (first + k < n ? asShown(lines[first + k]) : QString()))
                return false;
        return true;
    };
    if (n <= blockLines) {
        FUZZ_CHECK(startsAt(0));
    } else {
        int first = 0;
        while (first + blockLines < n && !startsAt(first))
            ++first;
        FUZZ_CHECK(first + blockLines < n);
    }
    return 0;
}

// A practice file of any bytes, read as the program reads it.
// Input: two bytes for the random draw, then the file.

#include "app/practicetext.h"
#include "fuzz/fuzzsupport.h"

#include <QStringList>
#include <algorithm>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    const float r = float(in.u16()) / 65536.0f;
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
    // A file of five lines or fewer is shown whole.
    if (lines.size() <= blockLines)
        for (int k = 0; k < lines.size(); ++k)
            FUZZ_CHECK(lines[k].startsWith(block.linetext[k]));
    return 0;
}

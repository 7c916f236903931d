// A practice file of any bytes, read as the program reads a level's file and as it reads a
// text the learner opens. Input: two bytes for the random draw, then the file.

#include "app/mainlayout.h"
#include "app/owntext.h"
#include "app/practicetext.h"
#include "fuzz/fuzzsupport.h"
#include "keyboard/keytable.h"

#include <QStringList>
#include <algorithm>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    const float r = float(in.u16()) / 65536.0f;
    const QByteArray bytes = in.rest();
    const QStringList lines = practicetext::decodeLines(bytes);
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

    // An opened text: refused, or lines a box shows whole, every character on a key.
    const owntext::Text text = owntext::parse(bytes, mainlayout::lineChars);
    FUZZ_CHECK(text.lines.isEmpty() == (text.refusal != owntext::Refusal::None));
    for (const QString& line : text.lines) {
        FUZZ_CHECK(!line.isEmpty() && line.size() <= mainlayout::lineChars && !line.endsWith(u' '));
        for (QChar c : line)
            FUZZ_CHECK(keyForCode(charCode(c)) >= 0);
    }
    if (!text.lines.isEmpty()) {
        const PracticeBlock drawn =
            practicetext::pickBlock(text.lines, r, practicetext::LastLine::Drawn);
        FUZZ_CHECK(text.lines.contains(drawn.linetext[0]));
    }
    return 0;
}

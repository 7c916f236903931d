// A practice file's bytes through decoding, block choice and the whole load.
//
// Input: flags, four bytes for the random draw, an optional padding run (so lines can pass
// the 16-bit limits from a small input), then the file's bytes.

#include "app/practicetext.h"
#include "fuzz/fuzzsupport.h"
#include "ui/randomsource.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cmath>
#include <memory>

namespace {

constexpr int maxLine = 32766;  // positions run one past a line's end and are 16-bit
constexpr int maxCount = 32767; // qint16

enum Flags : uint8_t {
    Stretch = 1 << 0,
    RunLoad = 1 << 1,
    // bits 2-3: level - 1
    AlmostOne = 1 << 4,
    RunMissing = 1 << 5,
};

QString stripTrailingSpaces(QString s)
{
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == u' ')
        --end;
    s.truncate(end);
    return s;
}

bool isLeadByte(uint8_t b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Line structure is decided on bytes alone: CR and LF never occur inside a Shift-JIS character.
void checkLines(const QByteArray& bytes, const QStringList& lines)
{
    qsizetype terminators = 0;
    qsizetype tailStart = 0;
    bool printableAscii = true;
    QList<QByteArray> byteLines;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c == '\n' || c == '\r') {
            byteLines.append(bytes.mid(tailStart, i - tailStart));
            if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n') ++i;
            ++terminators;
            tailStart = i + 1;
        } else if (uint8_t(c) < 0x20 || uint8_t(c) > 0x7E) {
            printableAscii = false;
        }
    }
    const QByteArray tail = bytes.mid(tailStart);
    const qsizetype expected = terminators + (tail.isEmpty() ? 0 : 1);
    // A lone lead byte at the very end decodes to nothing, and so does its line.
    const bool droppedTail = tail.size() == 1 && isLeadByte(uint8_t(tail.at(0)));
    FUZZ_CHECK(lines.size() == expected || (droppedTail && lines.size() == expected - 1));

    for (const QString& line : lines) {
        FUZZ_CHECK(!line.contains(u'\n') && !line.contains(u'\r'));
        // Undecodable bytes must have become something typeable.
        FUZZ_CHECK(!line.contains(QChar(0x1A)) && !line.contains(QChar::ReplacementCharacter));
    }

    if (printableAscii) {
        if (!tail.isEmpty()) byteLines.append(tail);
        FUZZ_CHECK(lines.size() == byteLines.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            FUZZ_CHECK(lines.at(i) == QString::fromLatin1(byteLines.at(i)));
    }
}

void checkBlock(const PracticeBlock& block, const QStringList& lines, float r)
{
    const qsizetype n = lines.size();
    qsizetype first = 0;
    if (n > 5) {
        first = qsizetype(std::floor(r * float(n - 5)));
        // The file's last line is never part of a block.
        FUZZ_CHECK(first >= 0 && first + 5 <= n - 1);
    }

    int sum = 0;
    for (int k = 0; k < practicetext::blockLines; ++k) {
        const QString& text = block.linetext[k];
        const QString source = first + k < n ? lines.at(first + k) : QString();
        FUZZ_CHECK(block.linelen[k] >= 0 && block.linelen[k] <= maxLine);
        FUZZ_CHECK(block.linelen[k] == text.size());
        FUZZ_CHECK(!text.endsWith(u' '));
        FUZZ_CHECK(source.startsWith(text));
        const QString stripped = stripTrailingSpaces(source);
        if (stripped.size() <= maxLine)
            FUZZ_CHECK(text == stripped);
        else
            FUZZ_CHECK(text == stripTrailingSpaces(source.left(maxLine)));
        sum += text.size();
    }
    FUZZ_CHECK(block.linetext[5].isEmpty());
    FUZZ_CHECK(block.linelen[5] == 0);
    FUZZ_CHECK(block.mojicnt == std::min(sum, maxCount));
}

bool sameBlock(const PracticeBlock& a, const PracticeBlock& b)
{
    return a.linetext == b.linetext && a.linelen == b.linelen && a.mojicnt == b.mojicnt;
}

// The digits follow the draws one for one; every fifth place is a space.
void checkTenkey(const PracticeBlock& block, const QList<float>& draws)
{
    FixedRandom replay(draws);
    for (int line = 0; line < practicetext::blockLines; ++line) {
        // The 75th place is a space, which trimming removes.
        FUZZ_CHECK(block.linetext[line].size() == practicetext::tenkeyLineLength - 1);
        for (int j = 1; j <= practicetext::tenkeyLineLength; ++j) {
            if (j % 5 == 0) {
                if (j < practicetext::tenkeyLineLength)
                    FUZZ_CHECK(block.linetext[line].at(j - 1) == u' ');
                continue;
            }
            const int digit = std::min(9, int(std::floor(replay.next() * 10.0f)));
            FUZZ_CHECK(block.linetext[line].at(j - 1) == QChar(u'0' + digit));
        }
    }
}

void checkLoad(const QByteArray& content, int level, const QList<float>& draws)
{
    QDir& dir = fuzz::scratchDir();
    const QString name = practicetext::fileNameForLevel(level);
    if (level != 4) {
        QFile file(dir.filePath(name));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(content) == content.size());
    }
    FixedRandom random(draws);
    const LoadResult result = practicetext::load(level, dir.path(), random);
    FUZZ_CHECK(result.problem == LoadProblem::None);
    FUZZ_CHECK(result.fileName == name);
    FUZZ_CHECK(practicetext::problemText(result).isEmpty());

    if (level == 4) {
        checkTenkey(result.block, draws);
        QFile file(dir.filePath(name));
        FUZZ_CHECK(file.open(QIODevice::ReadOnly));
        const QByteArray written = file.readAll();
        FUZZ_CHECK(written.size() ==
                   practicetext::blockLines * (practicetext::tenkeyLineLength + 2));
    } else {
        // The draw after the ones consumed so far picks the block.
        FixedRandom replay(draws);
        const QStringList lines = practicetext::decodeLines(content);
        const float r = replay.next();
        FUZZ_CHECK(sameBlock(result.block, practicetext::pickBlock(lines, r)));
    }
    // Nothing but the level's file is left behind: no temporary file of the tenkey writer.
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries)
        FUZZ_CHECK(
            e == practicetext::fileNameForLevel(1) || e == practicetext::fileNameForLevel(2) ||
            e == practicetext::fileNameForLevel(3) || e == practicetext::fileNameForLevel(4));
}

void checkMissing(int level)
{
    // A folder that does not exist: no file to read and nowhere to write the tenkey file.
    const QString missing = fuzz::scratchDir().filePath(QStringLiteral("absent"));
    FixedRandom random({0.5f});
    const LoadResult result = practicetext::load(level, missing, random);
    FUZZ_CHECK(result.problem ==
               (level == 4 ? LoadProblem::TenkeyUnwritable : LoadProblem::FileMissing));
    FUZZ_CHECK(!practicetext::problemText(result).isEmpty());
    FUZZ_CHECK(sameBlock(result.block, PracticeBlock{}));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    const uint8_t flags = in.u8();
    float r = in.unit();
    if (flags & AlmostOne) r = 1.0f - 1.0f / float(1u << 24);

    QByteArray content;
    if (flags & Stretch) {
        const uint16_t count = in.u16();
        const char pad = char(in.u8());
        const uint8_t where = in.u8();
        content = in.take(64 * 1024);
        content.insert(qsizetype(where) * content.size() / 256, QByteArray(count, pad));
    } else {
        content = in.take(64 * 1024);
    }

    const QStringList lines = practicetext::decodeLines(content);
    checkLines(content, lines);
    const PracticeBlock block = practicetext::pickBlock(lines, r);
    checkBlock(block, lines, r);

    const int level = ((flags >> 2) & 3) + 1;
    if (flags & RunLoad) {
        // The draws reuse the file's first bytes, so the input needs no separate field for them.
        QList<float> draws;
        for (qsizetype i = 0; i + 3 < content.size() && draws.size() < 4; i += 4) {
            const uint32_t bits = uint8_t(content.at(i)) | uint8_t(content.at(i + 1)) << 8 |
                                  uint8_t(content.at(i + 2)) << 16;
            draws.append(float(bits) / float(1u << 24));
        }
        checkLoad(content, level, draws);
    }
    if (flags & RunMissing) checkMissing(level);
    return 0;
}

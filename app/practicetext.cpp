#include "app/practicetext.h"

#include "app/cp932.h"
#include "practice/sources.h"

#include "ui/messagebox.h"
#include "ui/randomsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace practicetext {

namespace {

constexpr int maxCount = std::numeric_limits<qint16>::max();

// A control character that no key types would hold the learner on its line for good.
// Backspace, Tab and Escape are keys; CR and LF end lines.
bool untypeable(QChar c)
{
    const char16_t u = c.unicode();
    return (u < 0x20 || u == 0x7F) && u != 0x08 && u != u'\t' && u != 0x1B && u != u'\n' &&
           u != u'\r';
}

// Text the input boxes can take, every character of it.
QString decode(const QByteArray& bytes)
{
    // Practice texts are mostly plain ASCII, which reads the same in CP932 and is taken as it
    // is, three times quicker than through the converter.
    const bool ascii =
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
    QString text = ascii ? QString::fromLatin1(bytes) : cp932::decode(bytes);
    std::replace_if(text.begin(), text.end(), untypeable, QChar(u'?'));
    return text;
}

} // namespace

QString fileNameForLevel(int level)
{
    return QString::fromLatin1(practice::level(level).file);
}

bool writeTenkey(const QString& path, RandomSource& random)
{
    QByteArray text;
    for (int line = 0; line < blockLines; ++line) {
        for (int j = 1; j <= tenkeyLineLength; ++j) {
            if (j % 5 == 0)
                text.append(' ');
            else
                text.append(char('0' + std::min(9, int(std::floor(random.next() * 10.0f)))));
        }
        text.append("\r\n");
    }

    // A temporary file renamed over the old one: never half a file, and a link of that
    // name is replaced rather than followed.
    QTemporaryFile temp(QFileInfo(path).absolutePath() + QStringLiteral("/.tenkey-XXXXXX"));
    if (!temp.open() || temp.write(text) != text.size() || !temp.flush()) return false;
    temp.setAutoRemove(false);
    const QString tempName = temp.fileName();
    temp.close();
    if (std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(path).constData()) !=
        0) {
        QFile::remove(tempName);
        return false;
    }
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                    QFile::ReadOther);
    return true;
}

QStringList decodeLines(const QByteArray& bytes)
{
    return splitLines(decode(bytes));
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype begin = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c != u'\n' && c != u'\r') continue;
        lines.append(text.mid(begin, i - begin));
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') ++i;
        begin = i + 1;
    }
    // A last line without a line end still counts.
    if (begin < size) lines.append(text.mid(begin));
    return lines;
}

PracticeBlock pickBlock(const QStringList& lines, float r, LastLine last)
{
    PracticeBlock block;
    const qsizetype n = lines.size();
    const qsizetype starts = last == LastLine::Drawn ? n - 4 : n - 5;
    // r below 1 may still round up to `starts` in single precision.
    const qsizetype first = std::clamp<qsizetype>(qsizetype(std::floor(r * float(starts))), 0,
                                                  std::max<qsizetype>(0, n - 5));
    int k = 0;
    for (qsizetype i = first; i < n && k < blockLines; ++i, ++k) {
        QString line = lines.at(i);
        // Positions are 16-bit and run one past the line's end, so a longer line is cut,
        // before trimming: a cut line must not end in a space either.
        if (line.size() > maxCount - 1) line.truncate(maxCount - 1);
        while (line.endsWith(u' '))
            line.chop(1);
        block.linetext[k] = line;
        block.linelen[k] = static_cast<qint16>(line.size());
        block.mojicnt =
            static_cast<qint16>(std::min<qsizetype>(maxCount, block.mojicnt + line.size()));
    }
    return block;
}

QStringList levelLines(int level, const QString& directory, LoadResult& result)
{
    result.fileName = fileNameForLevel(level);
    const QString path = QDir(directory).filePath(result.fileName);
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        result.problem = LoadProblem::FileMissing;
        return {};
    }
    return decodeLines(file.readAll());
}

LoadResult load(int level, const QString& directory, RandomSource& random)
{
    LoadResult result{{}, LoadProblem::None, fileNameForLevel(level)};
    if (practice::level(level).randomDigits &&
        !writeTenkey(QDir(directory).filePath(result.fileName), random)) {
        result.problem = LoadProblem::TenkeyUnwritable;
        return result;
    }
    const QStringList lines = levelLines(level, directory, result);
    if (result.problem == LoadProblem::None) result.block = pickBlock(lines, random.next());
    return result;
}

QString problemText(const LoadResult& result)
{
    switch (result.problem) {
    case LoadProblem::FileMissing:
        return result.fileName + QStringLiteral("ファイルが見つかりません");
    case LoadProblem::TenkeyUnwritable: return result.fileName + errortext::cannotWrite;
    case LoadProblem::None: break;
    }
    return {};
}

} // namespace practicetext

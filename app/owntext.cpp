#include "app/owntext.h"

#include "app/cp932.h"
#include "app/practicetext.h"
#include "keyboard/keytable.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <array>

namespace owntext {

namespace {

QChar halfWidth(QChar c)
{
    const char16_t u = c.unicode();
    // Ａ..～ stand exactly 0xFEE0 above A..~.
    if (u >= 0xFF01 && u <= 0xFF5E) return QChar(char16_t(u - 0xFEE0));
    switch (u) {
    case 0x00A0: // no-break space
    case 0x3000: return u' ';
    case 0x2018:
    case 0x2019:
    case 0x201A:
    case 0x201B:
    case 0x2032: return u'\'';
    case 0x201C:
    case 0x201D:
    case 0x201E:
    case 0x201F:
    case 0x2033: return u'"';
    case 0x2010:
    case 0x2011:
    case 0x2012:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0x2212: return u'-';
    // The full-width yen sign and overline, then as the half-width ones.
    case 0xFFE5: return codePageCharacter(QChar(0x00A5));
    case 0xFFE3: return codePageCharacter(QChar(0x203E));
    default: return codePageCharacter(c);
    }
}

QStringView trimmedRight(QStringView text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace

QString decode(const QByteArray& bytes)
{
    // The decoders skip the mark itself.
    if (bytes.startsWith("\xFF\xFE")) return QStringDecoder(QStringDecoder::Utf16LE)(bytes);
    if (bytes.startsWith("\xFE\xFF")) return QStringDecoder(QStringDecoder::Utf16BE)(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    // CP932 text is valid UTF-8 only by rare chance, and then only its kana and kanji read
    // differently: their lines are left out either way.
    if (!utf8.hasError()) return text;
    return cp932::decode(bytes);
}

void toHalfWidth(QString& text)
{
    for (QChar& c : text)
        c = halfWidth(c);
}

QStringList fit(const QString& line, int width)
{
    width = std::max(width, 1); // every piece takes at least one character
    QStringList pieces;
    QStringView rest = trimmedRight(line);
    while (rest.size() > width) {
        const qsizetype space = rest.first(width + 1).lastIndexOf(u' ');
        const qsizetype cut = space > 0 ? space : width;
        const QStringView piece = trimmedRight(rest.first(cut));
        if (!piece.isEmpty()) pieces.append(piece.toString());
        rest = rest.sliced(cut);
        while (rest.startsWith(u' '))
            rest = rest.sliced(1);
    }
    if (!rest.isEmpty()) pieces.append(rest.toString());
    return pieces;
}

Text parse(const QByteArray& bytes, int width)
{
    Text result;
    QString text = decode(bytes);
    if (text.contains(QChar(0))) {
        result.refusal = Refusal::Binary;
        return result;
    }
    toHalfWidth(text);
    bool blank = true;
    for (const QString& line : practicetext::splitLines(text)) {
        const QStringView kept = trimmedRight(line);
        if (kept.isEmpty()) continue;
        blank = false;
        if (!std::all_of(kept.begin(), kept.end(), onAKey)) {
            ++result.leftOut;
            continue;
        }
        result.lines += fit(kept.toString(), width);
    }
    if (result.lines.isEmpty()) result.refusal = blank ? Refusal::Empty : Refusal::NothingTypeable;
    return result;
}

Text read(const QString& path, int width)
{
    const QFileInfo info(path);
    Text refused;
    QFile file(path);
    if (!info.exists())
        refused.refusal = Refusal::Missing;
    else if (info.isDir())
        refused.refusal = Refusal::Folder;
    else if (info.size() > sizeLimit)
        refused.refusal = Refusal::TooLarge;
    // A pipe or a device could keep the program waiting for good.
    else if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        refused.refusal = Refusal::Unreadable;
    if (refused.refusal != Refusal::None) return refused;

    // The file may have grown since its size was asked.
    const QByteArray bytes = file.read(sizeLimit + 1);
    if (file.error() != QFileDevice::NoError)
        refused.refusal = Refusal::Unreadable;
    else if (bytes.size() > sizeLimit)
        refused.refusal = Refusal::TooLarge;
    return refused.refusal != Refusal::None ? refused : parse(bytes, width);
}

QString refusalText(Refusal refusal, const QString& path)
{
    const QString name = QFileInfo(path).fileName().isEmpty() ? path : QFileInfo(path).fileName();
    switch (refusal) {
    case Refusal::Missing: return QStringLiteral("%1 が見つかりません。").arg(name);
    case Refusal::Folder:
        return QStringLiteral("%1 はフォルダーです。テキストファイルを選んでください。").arg(name);
    case Refusal::Unreadable: return QStringLiteral("%1 を読み込めません。").arg(name);
    case Refusal::TooLarge:
        return QStringLiteral("%1 は大きすぎます。開けるのは %2 MB までのテキストです。")
            .arg(name)
            .arg(sizeLimit / (1024 * 1024));
    case Refusal::Empty: return QStringLiteral("%1 は空です。").arg(name);
    case Refusal::Binary: return QStringLiteral("%1 はテキストファイルではありません。").arg(name);
    case Refusal::NothingTypeable:
        return QStringLiteral("%1 には、キーボードで打てる行がありません"
                              "（かなや漢字を含む行は練習に使えません）。")
            .arg(name);
    case Refusal::None: break;
    }
    return {};
}

QString leftOutText(int lines)
{
    return QStringLiteral("キーボードで打てない文字（かなや漢字など）を含む %1 行を省きました。")
        .arg(lines);
}

} // namespace owntext

#include "app/cp932.h"

#include <QSysInfo>
#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace cp932 {

namespace {

// A byte that opens a two-byte CP932 character, and a byte that may close one.
bool isLeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool isTrailByte(uchar b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}
} // namespace

// CP932 through the C library's converter: ICU, behind QStringDecoder, would map a megabyte
// of conversion tables for the same text. What is no CP932 character becomes one "?": a pair
// of bytes shaped like a character that has no mapping (rows 85-86, EB-EC, a Shift_JIS-2004
// file) as a whole, so its trail byte neither shows as a stray character nor swallows the
// next one; any other byte alone. A lead byte cut off at the very end is dropped.
QString decode(const QByteArray& bytes)
{
    const iconv_t cd = iconv_open(
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE", "CP932");
    if (cd == iconv_t(-1)) return QString::fromLatin1(bytes);
    // Every CP932 character, of one byte or two, is one UTF-16 unit.
    QString text(bytes.size(), Qt::Uninitialized);
    char* in = const_cast<char*>(bytes.constData());
    std::size_t inLeft = std::size_t(bytes.size());
    char* out = reinterpret_cast<char*>(text.data());
    std::size_t outLeft = std::size_t(text.size()) * sizeof(char16_t);
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &out, &outLeft) == std::size_t(-1) &&
           errno == EILSEQ) {
        const char16_t unknown = u'?';
        std::memcpy(out, &unknown, sizeof unknown);
        out += sizeof unknown;
        outLeft -= sizeof unknown;
        const std::size_t skip =
            inLeft >= 2 && isLeadByte(uchar(in[0])) && isTrailByte(uchar(in[1])) ? 2 : 1;
        in += skip;
        inLeft -= skip;
    }
    iconv_close(cd);
    text.truncate((out - reinterpret_cast<char*>(text.data())) / qsizetype(sizeof(char16_t)));
    return text;
}

} // namespace cp932

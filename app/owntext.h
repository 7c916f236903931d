#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A text file the learner brings: read in whichever ordinary encoding it has, made half-width,
// and cut down to the lines the keyboard can type, each short enough for an input box.
namespace owntext {

// No practice text comes near it, and the whole file is held while it is read.
inline constexpr qint64 sizeLimit = 10 * 1024 * 1024;

// Why a file cannot be practised on.
enum class Refusal { None, Missing, Folder, Unreadable, TooLarge, Empty, Binary, NothingTypeable };

struct Text {
    QStringList lines; // none blank, none wider than the box, every character on a key
    int leftOut = 0;   // lines of the file that hold a character no key types
    Refusal refusal = Refusal::None;
};

// UTF-16 by its byte-order mark, UTF-8 with a mark or whenever the bytes are valid UTF-8,
// else CP932.
QString decode(const QByteArray& bytes);

// Full-width letters, digits and symbols, the ideographic space and typographic quotes and
// dashes become the half-width characters the keys type.
void toHalfWidth(QString& text);

// A line cut into pieces of at most `width` characters at spaces (which go), a word wider than
// that where it must be; pieces keep no trailing space.
QStringList fit(const QString& line, int width);

// Everything but the file: decoding, half-width forms, the typeable lines fitted to `width`.
Text parse(const QByteArray& bytes, int width);

// The file at `path`; never blocks on a pipe or device, never reads past the size limit.
Text read(const QString& path, int width);

// What the user is told, naming the file.
QString refusalText(Refusal refusal, const QString& path);
QString leftOutText(int lines);

} // namespace owntext

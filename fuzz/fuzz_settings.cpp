// The settings store and the score history over a user's INI file (or an in-memory store).
//
// Input: flags, a two-byte length and that many bytes of file text, then operations on the
// history and the store until the bytes run out. The history is checked against a model
// worked out from the operations alone.

#include "app/settingsstore.h"
#include "fuzz/fuzzsupport.h"
#include "results/history.h"
#include "ui/settingsmedium.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <array>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr int maxCount = 32767;

enum Flags : uint8_t { UseIni = 1 << 0 };

// Value texts: numbers in every shape, characters with a meaning of their own in INI files,
// and kanji.
constexpr char16_t valueAlphabet[] = {u'0', u'1', u'2', u'3', u'4',  u'5', u'6', u'7',   u'8',
                                      u'9', u'-', u'+', u' ', u',',  u'.', u'e', u'x',   u'@',
                                      u'"', u';', u'=', u'/', u'\\', u'#', u'[', 0x56DE, 0x3000};
// Dates as the clock writes them, and some that are not.
constexpr char16_t dateAlphabet[] = {u'0', u'1', u'2', u'3', u'4', u'5', u'6',
                                     u'7', u'8', u'9', u'/', u'-', u'.'};

// Built on first use: History's names are statics of another file, not yet set up while
// this file's statics are.
const std::array<QString, 5>& sections()
{
    static const std::array<QString, 5> names = {History::scoreSection, History::missSection,
                                                 History::speedSection, History::bestSection,
                                                 History::dateSection};
    return names;
}

QString readText(fuzz::Bytes& in, const char16_t* alphabet, size_t n, int maxLen)
{
    const int len = in.u8() % (maxLen + 1);
    QString s;
    for (int i = 0; i < len; ++i)
        s.append(QChar(alphabet[in.u8() % n]));
    return s;
}

// A plain decimal integer, whatever whitespace surrounds it; nullopt for anything else.
// Integers too long for 64 bits come back as the largest, which no 16-bit range holds.
std::optional<long long> plainInteger(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]+$"));
    const QString t = text.trimmed();
    if (!pattern.match(t).hasMatch()) return std::nullopt;
    bool ok = false;
    const long long n = t.toLongLong(&ok);
    return ok ? n : std::numeric_limits<long long>::max();
}

qint16 asInt16(const std::optional<long long>& n)
{
    return n && *n >= -32768 && *n <= 32767 ? qint16(*n) : 0;
}

std::optional<QString> stored(const SettingsStore& store, const QString& section,
                              const QString& key)
{
    const QString a = store.read(section, key, QStringLiteral("a"));
    if (a == QStringLiteral("a") &&
        store.read(section, key, QStringLiteral("b")) == QStringLiteral("b"))
        return std::nullopt;
    return a;
}

// Reading by the store's contract: 16-bit integers come back as written, anything else as 0.
void checkInt16(const SettingsStore& store, const QString& section, const QString& key)
{
    const qint16 value = store.readInt16(section, key);
    const QString text = store.read(section, key, QString());
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul < 0) {
        FUZZ_CHECK(value == asInt16(plainInteger(text)));
    } else {
        // Qt's integer parsing stops at a NUL character, its floating-point parsing rejects
        // one; for a value with NULs (a file zero-filled by a crash) either reading will do.
        FUZZ_CHECK(value == 0 || value == asInt16(plainInteger(text.left(nul))));
    }
    // Names are matched without regard to case.
    FUZZ_CHECK(store.readInt16(section.toUpper(), key.toUpper()) == value);
}

void checkFlag(const SettingsStore& store, const QString& section, const QString& key)
{
    const bool withOn = store.readFlag(section, key, true);
    const bool withOff = store.readFlag(section, key, false);
    const std::optional<QString> text = stored(store, section, key);
    if (!text) {
        FUZZ_CHECK(withOn && !withOff); // absent: the fallback
    } else if (text->contains(QChar(0))) {
        // As with integers, a NUL leaves two readings; either will do.
    } else if (const auto n = plainInteger(*text)) {
        FUZZ_CHECK(withOn == withOff && withOn == (*n != 0));
    } else if (!text->contains(QRegularExpression(QStringLiteral("[0-9]")))) {
        FUZZ_CHECK(withOn && !withOff); // no digit at all: no number, the fallback
    }
    FUZZ_CHECK(store.readFlag(section.toUpper(), key.toUpper(), true) == withOn);
    FUZZ_CHECK(store.readFlag(section.toLower(), key.toLower(), false) == withOff);
}

struct Model {
    int count = 0;
    std::array<History::Row, History::rows> inStore{}; // what the store holds
    std::array<History::Row, History::rows> working{}; // read back when a result begins
    std::array<History::Row, History::rows> hist{};

    int filled() const { return count >= History::rows ? History::rows : count; }

    void begin()
    {
        if (count >= History::rows) {
            if (count < maxCount) ++count;
            for (int i = 0; i + 1 < History::rows; ++i)
                inStore[i] = inStore[i + 1];
        } else if (count > 0) {
            ++count;
        } else {
            count = 1;
            inStore = {};
        }
        working = {};
        for (int i = 0; i < filled(); ++i)
            working[i] = inStore[i];
    }

    void enter(const History::Row& row)
    {
        const int n = filled();
        if (n == 0) return;
        working[n - 1] = row;
        inStore[n - 1] = row;
        for (int i = 0; i < n; ++i)
            hist[i] = working[i];
    }
};

struct Case {
    SettingsStore& store;
    History history;
    Model model;
    bool ini;
    // Results begun in bulk, all told. The count's 16-bit ceiling is out of reach: 32767
    // results take far longer than a run may under the sanitizers.
    int bulkLeft;

    Case(SettingsStore& s, bool useIni)
        : store(s), history(s), ini(useIni), bulkLeft(useIni ? 6 : 200)
    {
    }

    void checkHistory()
    {
        FUZZ_CHECK(history.resultcnt() == model.count);
        FUZZ_CHECK(history.resultcnt() >= 0);
        FUZZ_CHECK(history.histdata() == model.hist);
    }

    void checkReads()
    {
        for (int slot = 1; slot <= History::rows; ++slot)
            for (int s = 0; s < 3; ++s)
                checkInt16(store, sections()[s], History::slotKey(slot));
        for (int level = 1; level <= History::levels; ++level) {
            checkInt16(store, History::bestSection, QString::number(level));
            checkInt16(store, History::dateSection, QString::number(level));
        }
        checkFlag(store, QStringLiteral("Setting"), QStringLiteral("skipspace"));
        checkFlag(store, QStringLiteral("setting"), QStringLiteral("color"));
        checkPanel();
    }

    void checkPanel()
    {
        const auto panel = history.bestPanel();
        for (int level = 1; level <= History::levels; ++level) {
            const QString key = QString::number(level);
            FUZZ_CHECK(panel[level - 1].score ==
                       store.read(History::bestSection, key, History::noBest));
            FUZZ_CHECK(panel[level - 1].date ==
                       store.read(History::dateSection, key, History::noDate));
        }
    }

    void begin()
    {
        history.beginResult();
        model.begin();
        checkHistory();
    }

    void enter(fuzz::Bytes& in)
    {
        const History::Row row{in.i16(), in.i16(), in.i16()};
        history.enterResult(row.score, row.miss, row.speed);
        model.enter(row);
        checkHistory();
        if (model.filled() > 0) {
            // The newest slot holds exactly the figures, as text.
            const QString key = History::slotKey(model.filled());
            FUZZ_CHECK(store.read(History::scoreSection, key, QString()) ==
                       QString::number(row.score));
            FUZZ_CHECK(store.read(History::missSection, key, QString()) ==
                       QString::number(row.miss));
            FUZZ_CHECK(store.read(History::speedSection, key, QString()) ==
                       QString::number(row.speed));
        }
    }

    void recordBest(fuzz::Bytes& in)
    {
        const int level = in.u8() % 6;
        const qint16 points = in.i16();
        const QString today = readText(in, dateAlphabet, std::size(dateAlphabet), 11);
        const auto before = history.bestPanel();
        const bool inRange = level >= 1 && level <= History::levels;
        const qint16 stored =
            inRange ? store.readInt16(History::bestSection, QString::number(level)) : 0;
        const bool recorded = history.recordBest(level, points, today);
        FUZZ_CHECK(recorded == (inRange && points > stored));
        const auto after = history.bestPanel();
        for (int l = 1; l <= History::levels; ++l) {
            if (recorded && l == level) {
                FUZZ_CHECK(after[l - 1].score == QString::number(points));
                FUZZ_CHECK(after[l - 1].date == today);
            } else {
                FUZZ_CHECK(after[l - 1] == before[l - 1]);
            }
        }
    }

    // A hand edit of one stored value between results.
    void rawWrite(fuzz::Bytes& in)
    {
        const int s = in.u8() % int(sections().size());
        const bool historySection = s < 3;
        const int n =
            historySection ? (in.u8() % History::rows) + 1 : (in.u8() % History::levels) + 1;
        const QString key = historySection ? History::slotKey(n) : QString::number(n);
        const QString text = readText(in, valueAlphabet, std::size(valueAlphabet), 9);
        store.write(sections()[s], key, text);
        // What is written is what is read, through any medium.
        FUZZ_CHECK(store.read(sections()[s], key, QStringLiteral("absent")) == text);
        if (historySection && model.count > 0) {
            History::Row& row = model.inStore[n - 1];
            const qint16 v = store.readInt16(sections()[s], key);
            (s == 0 ? row.score : s == 1 ? row.miss : row.speed) = v;
        }
        checkInt16(store, sections()[s], key);
    }

    void flagRoundTrip(fuzz::Bytes& in)
    {
        const uint8_t b = in.u8();
        const bool on = b & 1;
        const QString key = (b & 2) ? QStringLiteral("skipspace") : QStringLiteral("color");
        store.writeFlag(QStringLiteral("Setting"), key, on);
        FUZZ_CHECK(store.readFlag(QStringLiteral("setting"), key.toUpper(), !on) == on);
    }
};

void runOps(Case& c, fuzz::Bytes& in)
{
    // The INI medium writes the file on every change, so it gets fewer operations.
    int budget = c.ini ? 16 : 2000;
    while (!in.empty() && budget-- > 0) {
        const uint8_t op = in.u8();
        switch (op % 8) {
        case 0: c.begin(); break;
        case 1: c.enter(in); break;
        case 2:
            c.begin();
            c.enter(in);
            break;
        case 3: c.recordBest(in); break;
        case 4: c.checkReads(); break;
        case 5: c.rawWrite(in); break;
        case 6: {
            // Many results in one go, to reach the count's 16-bit ceiling.
            const int n = std::min(c.ini ? in.u8() % 3 : int(in.u16()), c.bulkLeft);
            c.bulkLeft -= n;
            for (int i = 0; i < n; ++i)
                c.begin();
            break;
        }
        case 7: c.flagRoundTrip(in); break;
        }
    }
    c.checkReads();
    c.checkHistory();
}

// "[section]" lines and "key=value" lines, straight into the in-memory medium.
void fillMemory(MemorySettingsMedium& medium, const QByteArray& text)
{
    QString section;
    for (const QString& line : QString::fromUtf8(text).split(u'\n')) {
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0) continue;
        medium.values.insert(section + u'/' + line.left(eq), line.mid(eq + 1));
    }
}

// Every name the program reads.
QList<QPair<QString, QString>> knownNames()
{
    QList<QPair<QString, QString>> names;
    for (int slot = 1; slot <= History::rows; ++slot)
        for (int s = 0; s < 3; ++s)
            names.append({sections()[s], History::slotKey(slot)});
    for (int level = 1; level <= History::levels; ++level) {
        names.append({History::bestSection, QString::number(level)});
        names.append({History::dateSection, QString::number(level)});
    }
    names.append({QStringLiteral("setting"), QStringLiteral("skipspace")});
    names.append({QStringLiteral("setting"), QStringLiteral("color")});
    return names;
}

void runIni(const QByteArray& text, fuzz::Bytes& in)
{
    // A fresh folder each time: QSettings keeps parsed files by name.
    static int serial = 0;
    const QString name = QString::number(++serial);
    QDir& base = fuzz::scratchDir();
    FUZZ_CHECK(base.mkpath(name));
    QDir dir(base.filePath(name));
    const QString path = dir.filePath(QStringLiteral("dovanel.ini"));
    const auto writeFile = [](const QString& name, const QByteArray& bytes) {
        QFile file(name);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    };
    writeFile(path, text);
    // Whether QSettings can parse the file, asked of a copy so the program's own QSettings
    // parses the original first.
    const QString probe = dir.filePath(QStringLiteral("probe.ini"));
    writeFile(probe, text);
    const bool unparsable =
        QSettings(probe, QSettings::IniFormat).status() == QSettings::FormatError;
    {
        IniSettingsMedium medium(path);
        SettingsStore store(medium);
        Case c(store, true);
        c.checkReads();
        runOps(c, in);
        // The next session reads the file as this one left it: the same numbers and flags,
        // and word for word every text of the kind the program writes. (Binary junk from a
        // hand-edited file may come back changed by QSettings' own escaping; only its
        // readings matter.) A copy under another name is parsed afresh rather than served
        // from QSettings' cache.
        const QString copyPath = dir.filePath(QStringLiteral("reread.ini"));
        FUZZ_CHECK(QFile::copy(path, copyPath));
        {
            static const QRegularExpression programText(QStringLiteral("^[-+0-9/.]*$"));
            IniSettingsMedium again(copyPath);
            SettingsStore reread(again);
            for (const auto& [section, key] : knownNames()) {
                FUZZ_CHECK(reread.readInt16(section, key) == store.readInt16(section, key));
                FUZZ_CHECK(reread.readFlag(section, key, true) ==
                           store.readFlag(section, key, true));
                FUZZ_CHECK(reread.readFlag(section, key, false) ==
                           store.readFlag(section, key, false));
                const auto before = stored(store, section, key);
                if (before && programText.match(*before).hasMatch())
                    FUZZ_CHECK(stored(reread, section, key) == before);
            }
        }
        // A file QSettings could not parse is kept as it was, once a write has replaced it.
        const QString damaged = path + QStringLiteral(".damaged");
        QFile now(path);
        FUZZ_CHECK(now.open(QIODevice::ReadOnly));
        const bool rewritten = now.readAll() != text;
        if (unparsable && rewritten) FUZZ_CHECK(QFile::exists(damaged));
        if (QFile::exists(damaged)) {
            FUZZ_CHECK(unparsable);
            QFile copy(damaged);
            FUZZ_CHECK(copy.open(QIODevice::ReadOnly));
            FUZZ_CHECK(copy.readAll() == text);
        }
    }
    FUZZ_CHECK(dir.removeRecursively());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    const uint8_t flags = in.u8();
    const QByteArray text = in.take(in.u16() % 4096);
    if (flags & UseIni) {
        runIni(text, in);
    } else {
        MemorySettingsMedium medium;
        fillMemory(medium, text);
        SettingsStore store(medium);
        Case c(store, false);
        c.checkReads();
        runOps(c, in);
    }
    return 0;
}

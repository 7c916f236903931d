// A settings file of any text (hand-edited, damaged), then results entered and values written
// through the program's own store and history. Every stored figure reads back as a 16-bit
// integer, the chart rows hold the newest results oldest first, a best only ever rises, and a
// value written reads back as written.
//
// Input: a flags byte, a length byte and that much file text, then operations.

#include "app/settingkeys.h"
#include "app/settingsstore.h"
#include "fuzz/fuzzsupport.h"
#include "results/history.h"
#include "tests/support/doubles.h"
#include "ui/settingsmedium.h"

#include <QFile>
#include <QTemporaryDir>
#include <deque>
#include <iterator>
#include <memory>

namespace {

// Numbers in every shape, and characters with a meaning of their own in INI files.
constexpr char16_t alphabet[] = {u'0', u'1', u'7', u'9', u'-',  u'+', u' ',   u',',  u'e',
                                 u'"', u';', u'=', u'/', u'\\', u'[', 0x56DE, 0x3000};
const QString sections[] = {settingkeys::scores, settingkeys::misses, settingkeys::bests,
                            settingkeys::options, QStringLiteral("setting")};

QString readText(fuzz::Bytes& in)
{
    QString text;
    for (int n = in.u8() % 12; n > 0; --n)
        text += QChar(alphabet[in.u8() % std::size(alphabet)]);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Bytes in(data, size);
    const bool onDisk = in.u8() & 1;
    QByteArray file;
    for (int n = in.u8(); n > 0; --n)
        file += char(in.u8());

    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dovanel.ini"));
    std::unique_ptr<SettingsMedium> medium;
    if (onDisk) {
        QFile::remove(path + QStringLiteral(".damaged"));
        QFile out(path);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(file);
        out.close();
        medium = std::make_unique<IniSettingsMedium>(path);
    } else {
        medium = std::make_unique<MemorySettingsMedium>();
    }
    SettingsStore store(*medium);
    History history(store);
    std::deque<History::Row> newest; // the last ten results entered

    for (int ops = 0; !in.empty() && ops < 60; ++ops) {
        if (in.u8() & 1) {
            const History::Row row{qint16(in.u16()), qint16(in.u16()), qint16(in.u16())};
            const int level = in.u8() % 6;
            const qint16 before = store.readInt16(settingkeys::bests, QString::number(level));
            history.beginResult();
            history.enterResult(row.score, row.miss, row.speed);
            newest.push_back(row);
            if (newest.size() > History::rows) newest.pop_front();
            for (size_t r = 0; r < History::rows; ++r)
                FUZZ_CHECK(history.histdata()[r] ==
                           (r < newest.size() ? newest[r] : History::Row{}));
            const bool recorded =
                history.recordBest(level, row.score, QStringLiteral("2026/12/07"));
            const qint16 best = store.readInt16(settingkeys::bests, QString::number(level));
            FUZZ_CHECK(recorded == (level >= 1 && level <= History::levels && row.score > before));
            FUZZ_CHECK(best == (recorded ? row.score : before));
        } else {
            const QString& section = sections[in.u8() % std::size(sections)];
            const QString key = readText(in), text = readText(in);
            if (key.trimmed().isEmpty()) continue; // no key to address
            store.write(section, key, text);
            FUZZ_CHECK(store.read(section.toUpper(), key, QStringLiteral("?")) == text);
        }
    }
    return 0;
}

#include "tests/support/doubles.h"
#include "tests/support/namedrow.h"
#include "ui/settingsmedium.h"
#include "ui/settingsstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void namesMatchWithoutRegardToCase()
    {
        MemorySettingsMedium medium;
        SettingsStore store(medium);
        store.writeFlag("Setting", "color", true);
        QVERIFY(store.readFlag("setting", "COLOR", false));
        store.write("setting", "Color", "0"); // one value, not two differently-cased copies
        QVERIFY(!store.readFlag("Setting", "color", true));
        // Absent values give the fallback, and reading creates nothing.
        QCOMPARE(store.read("maxtokuten", "1", "------"), QString("------"));
        QCOMPARE(medium.values.keys(), QStringList{"setting/color"});
    }

    void flagsReadZeroAsOffAndOtherNumbersAsOn()
    {
        MemorySettingsMedium medium;
        SettingsStore store(medium);
        // Stored text, fallback, flag read: a text that is no number keeps the fallback.
        for (auto [stored, fallback, flag] : {std::tuple{"0", true, false},
                                              {"1", false, true},
                                              {"-1", false, true},
                                              {"0.0", true, false},
                                              {"yes", true, true},
                                              {"yes", false, false},
                                              {"", true, true}}) {
            store.write("Setting", "skipspace", stored);
            const QString name = QStringLiteral("'%1', else %2").arg(stored).arg(fallback);
            QCOMPARE(namedRow(name, store.readFlag("Setting", "skipspace", fallback)),
                     namedRow(name, flag));
        }
    }

    void integersOutside16BitsReadAsZero()
    {
        MemorySettingsMedium medium;
        SettingsStore store(medium);
        const QList<QPair<QString, qint16>> cases{
            {"120", 120}, {"-5", -5},   {"32767", 32767}, {"-32768", -32768},
            {"32768", 0}, {"99999", 0}, {"12abc", 0},     {"1.5", 0}};
        for (const auto& [text, value] : cases) {
            store.write("tokuten", "1回目", text);
            QCOMPARE(namedRow(text, store.readInt16("tokuten", "1回目")), namedRow(text, value));
        }
    }

    void placementNumbersAsSingleText()
    {
        QCOMPARE(SettingsStore::singleText(15240.0f), QString("15240"));
        QCOMPARE(SettingsStore::singleText(-150.0f), QString("-150"));
        QCOMPARE(SettingsStore::singleText(0.0f), QString("0"));
        QCOMPARE(SettingsStore::singleText(7.5f), QString("7.5"));
    }

    void damagedFileIsKeptBeforeTheFirstWrite()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("dovanel.ini");
        const QByteArray damaged = "[maxtokuten\n1=250\n[date]\n1=2026/01/02\n";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(damaged);
        }
        IniSettingsMedium medium(path);
        SettingsStore store(medium);
        store.read("maxtokuten", "1", "");
        QVERIFY(!QFile::exists(path + ".damaged")); // reading alone changes nothing
        medium.setValue("tokuten", "1回目", "10");
        QVERIFY(medium.sync()); // the damage does not hide success
        QFile copy(path + ".damaged");
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), damaged);
    }

    void unwritableFileNeverStopsTheProgram()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath("notadir"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        IniSettingsMedium medium(dir.filePath("notadir/dovanel.ini"));
        medium.setValue("settings", "mainleft", "100");
        QVERIFY(!medium.sync()); // said, not hidden
        SettingsStore store(medium);
        QCOMPARE(store.read("Settings", "MainLeft", "none"), QString("100"));
    }
};

QTEST_GUILESS_MAIN(SettingsStoreTest)

#include "tst_settingsstore.moc"

#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "journal/journalchart.h"
#include "journal/journalcsv.h"
#include "journal/journalstore.h"
#include "journal/runcolumns.h"
#include "journal/weakkeys.h"
#include "tests/support/doubles.h"
#include "ui/messagebox.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

JournalEntry entry(int level, int score, QList<CharTally> tallies = {})
{
    return {{QStringLiteral("2026-12-06T15:04:%1+09:00").arg(score % 60, 2, 10, QChar(u'0')), level,
             61.25, 100, 110, 10, 9, 98, score},
            tallies};
}

QList<int> scores(const QList<RunFigures>& runs)
{
    QList<int> list;
    for (const RunFigures& r : runs)
        list << r.score;
    return list;
}

// What another program using the file sees or does.
QVariant pragma(const QString& path, const QString& name)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "peek");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        if (q.exec(QStringLiteral("PRAGMA %1").arg(name)) && q.next()) value = q.value(0);
    }
    QSqlDatabase::removeDatabase("peek");
    return value;
}

QByteArray bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A file of these bytes at the path, its folder made first.
void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QString cannotRead = QString::fromUtf8("journal.sqliteを読み込めません。別名で保存しました");
const QString cannotWrite = QString::fromUtf8("journal.sqliteを書き込めません");

} // namespace

class JournalTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path() const { return dir.filePath("data/dovanel/journal.sqlite"); }

private slots:
    void init() { QDir(dir.path()).removeRecursively(), QDir().mkpath(dir.path()); }

    void roundTripFromAnEmptyFile()
    {
        write(path(), {}); // an empty file is a database of version 0
        ScriptedMessageBoxes messages;
        {
            Journal journal(path(), messages);
            QSignalSpy recorded(&journal, &Journal::recorded);
            const QList<CharTally> tallies{{u' ', 0, 1}, {u'a', 12, 3}, {QChar(0xFF71), 2, 0}};
            journal.record(entry(2, 150, tallies));
            journal.record(entry(0, 90));
            journal.record(entry(2, -20, {{u'a', 8, 1}}));
            QCOMPARE(recorded.count(), 3);
            QCOMPARE(journal.pending(), 0);

            JournalStore* store = journal.store();
            QVERIFY(store);
            const QList<RunFigures> runs = store->runs(2);
            QCOMPARE(runs.size(), 2);
            QCOMPARE(runs[0], entry(2, 150).run);
            QCOMPARE(scores(runs), (QList<int>{150, -20}));
            QCOMPARE(store->levels(), (QList<int>{0, 2}));
            QCOMPARE(store->recentTallies(2, 20),
                     (QList<CharTally>{{u' ', 0, 1}, {u'a', 20, 4}, {QChar(0xFF71), 2, 0}}));
        }
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(pragma(path(), "user_version").toInt(), JournalStore::schemaVersion());
        QCOMPARE(pragma(path(), "journal_mode").toString(), QString("wal"));

        // A later execution reads what the earlier one wrote.
        Journal again(path(), messages);
        QCOMPARE(scores(again.store()->runs(0)), QList<int>{90});
    }

    void aDamagedFileIsSetAsideAndAFreshOneUsed()
    {
        const QByteArray damaged = QByteArray("this is no database, ").repeated(400);
        write(path(), damaged);

        ScriptedMessageBoxes messages;
        Journal journal(path(), messages);
        journal.record(entry(1, 50));
        journal.record(entry(1, 60));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, cannotRead);
        QCOMPARE(messages.shown[0].title, QString::fromUtf8("エラー"));
        QCOMPARE(scores(journal.store()->runs(1)), (QList<int>{50, 60}));

        const QStringList aside =
            QDir(dir.filePath("data/dovanel")).entryList({"journal-damaged-*.sqlite"}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QCOMPARE(bytes(dir.filePath("data/dovanel/" + aside[0])), damaged);
    }

    void anUnwritableFolderIsToldOnceAndTheRunsWait()
    {
        write(dir.filePath("data"), {}); // a file where the folder should be stops even root

        ScriptedMessageBoxes messages;
        Journal journal(path(), messages);
        QVERIFY(!journal.store()); // the first look at the journal
        journal.record(entry(3, 10));
        journal.record(entry(3, 20));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, cannotWrite);
        QCOMPARE(journal.pending(), 2);

        // Once the folder can be made, the next run takes the waiting ones with it.
        QVERIFY(QFile::remove(dir.filePath("data")));
        journal.record(entry(3, 30));
        QCOMPARE(journal.pending(), 0);
        QCOMPARE(scores(journal.store()->runs(3)), (QList<int>{10, 20, 30}));
        QCOMPARE(messages.shown.size(), 1);
    }

    void aNewerProgramsJournalIsLeftAsItIs()
    {
        write(path(), {});
        pragma(path(), "user_version=99");
        const QByteArray before = bytes(path());

        ScriptedMessageBoxes messages;
        Journal journal(path(), messages);
        journal.record(entry(1, 5));
        journal.record(entry(1, 6));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, cannotWrite);
        QCOMPARE(journal.pending(), 2);
        QCOMPARE(bytes(path()), before);
        QCOMPARE(QDir(dir.filePath("data/dovanel")).entryList({"*damaged*"}), QStringList());
    }

    void theWindowOffersLevelZeroOnlyWithItsRunsAndHintsWhenEmpty()
    {
        ScriptedMessageBoxes messages;
        Journal journal(path(), messages);
        frmjournal window(journal, messages);
        window.open(0);
        JournalWindow* w = window.window();
        QCOMPARE(w->cbolevel->count(), 4);
        QCOMPARE(w->cbolevel->currentText(), QString::fromUtf8("中級"));
        QVERIFY(w->lblempty->isVisible() && w->chart->widget()->isHidden() &&
                !w->cmdcsv->isEnabled());

        journal.record(entry(0, 40)); // shown at once in the open window
        QCOMPARE(w->cbolevel->count(), 5);
        window.showLevel(0);
        QCOMPARE(w->cbolevel->currentText(), QString::fromUtf8("未選択"));
        QVERIFY(w->lblempty->isHidden() && w->chart->widget()->isVisible() &&
                w->cmdcsv->isEnabled());

        QVERIFY(window.exportTo(dir.filePath("level0.csv")));
        QCOMPARE(bytes(dir.filePath("level0.csv")), journalcsv::runs({entry(0, 40).run}));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!window.exportTo(dir.filePath("level0.csv/inside.csv")));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, QString::fromUtf8("inside.csvを書き込めません"));
    }

    void theWindowListsNewestFirstAndSortsByColumn()
    {
        ScriptedMessageBoxes messages;
        Journal journal(path(), messages);
        for (int score : {30, 10, 20})
            journal.record(entry(2, score));
        frmjournal window(journal, messages);
        window.open(2);
        QAbstractItemModel* table = window.window()->grdruns->model();
        const auto column = [table](int c) {
            QStringList texts;
            for (int row = 0; row < table->rowCount(); ++row)
                texts << table->index(row, c).data().toString();
            return texts.join(' ');
        };
        QCOMPARE(column(runcolumns::Score), QString("20 10 30"));
        window.window()->grdruns->sortByColumn(runcolumns::Score, Qt::AscendingOrder);
        QCOMPARE(column(runcolumns::Score), QString("10 20 30"));
    }

    void weakestCharactersAndKeyTints()
    {
        const QList<CharTally> tallies{{u'a', 20, 5}, {u'b', 4, 1},  {u'c', 10, 0},
                                       {u' ', 0, 1},  {u'd', 10, 2}, {u'e', 100, 10},
                                       {u'f', 50, 5}, {u'g', 3, 1},  {u'A', 10, 3}};
        QString order;
        for (const CharTally& t : weakkeys::weakest(tallies))
            order += t.character;
        // A space missed and then skipped was due once; equal rates go to more misses.
        QCOMPARE(order, QString(" gAab"));
        QCOMPARE(weakkeys::caption({u' ', 0, 1}), QString::fromUtf8("スペース　100％（1/0）"));

        // Both characters of a key count for it; a key with nothing due has no rate.
        const auto rates =
            weakkeys::keyRates({{u'a', 10, 1}, {u'A', 10, 3}, {QChar(0xFF71), 5, 5}});
        QCOMPARE(rates[25], std::optional<double>(0.2));
        QCOMPARE(std::count_if(rates.begin(), rates.end(), [](auto r) { return r.has_value(); }),
                 1);

        const struct {
            double rate;
            QRgb colour;
        } tints[]{{0.0, qRgb(255, 255, 255)},
                  {weakkeys::fullRedRate / 2, qRgb(255, 128, 128)},
                  {weakkeys::fullRedRate, qRgb(255, 0, 0)},
                  {3.0, qRgb(255, 0, 0)}};
        for (const auto& t : tints)
            QCOMPARE(weakkeys::tint(t.rate).rgb(), t.colour);
    }

    void csvQuotesWhatItMust()
    {
        const struct {
            const char* text;
            const char* written;
        } fields[]{{"98", "98"},
                   {"a,b", "\"a,b\""},
                   {"say \"hi\"", "\"say \"\"hi\"\"\""},
                   {"x, \"y\"\r\nz", "\"x, \"\"y\"\"\r\nz\""}};
        for (const auto& f : fields)
            QCOMPARE(journalcsv::field(f.text), QString(f.written));

        QCOMPARE(journalcsv::document({{"a", "b,c"}, {"1"}}), QByteArray("\xEF\xBB\xBF"
                                                                         "a,\"b,c\"\r\n1\r\n"));
        const QByteArray file = journalcsv::runs({entry(2, 150).run});
        QVERIFY(file.startsWith("\xEF\xBB\xBF"));
        QVERIFY(file.endsWith("\r\n2026-12-06T15:04:30+09:00,61.25,100,110,10,9,98,150\r\n"));
    }
};

QTEST_MAIN(JournalTest)
#include "tst_journal.moc"

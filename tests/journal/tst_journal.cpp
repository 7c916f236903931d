#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "charts/journalchart.h"
#include "journal/journalcheck.h"
#include "journal/journalcsv.h"
#include "journal/journalstore.h"
#include "journal/progress.h"
#include "journal/runcolumns.h"
#include "journal/weakkeys.h"
#include "tests/support/doubles.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Status = JournalStore::Status;

namespace {

JournalEntry entry(int level, int score, QList<CharTally> tallies = {})
{
    RunFigures run{QStringLiteral("2026-12-06T15:04:%1+09:00").arg(score % 60, 2, 10, QChar(u'0')),
                   level,
                   61.25,
                   100,
                   110,
                   10,
                   9,
                   98,
                   score,
                   {},
                   0};
    return {run, tallies};
}

QList<int> scores(const QList<RunFigures>& runs)
{
    QList<int> list;
    for (const RunFigures& r : runs)
        list << r.score;
    return list;
}

// What another program using the file sees or does: the first row of the last statement.
QVariant sql(const QString& path, const QStringList& statements)
{
    QVariant value;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "peek");
        db.setDatabaseName(path);
        db.open();
        QSqlQuery q(db);
        for (const QString& statement : statements)
            if (q.exec(statement) && q.next()) value = q.value(0);
    }
    QSqlDatabase::removeDatabase("peek");
    return value;
}

int count(const QString& path)
{
    return sql(path, {"SELECT count(*) FROM runs NOT INDEXED"}).toInt();
}

// A file of these bytes at the path, its folder made first.
void write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QString cannotWrite = QString::fromUtf8("journal.sqliteを書き込めません");

} // namespace

class JournalTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString folder() const { return dir.filePath("data/dovanel"); }
    QString path() const { return folder() + "/journal.sqlite"; }
    JournalPlaces places() const { return {path(), dir.filePath("config")}; }

    // Runs of level 1 with scores 1000 on, written as a running copy would.
    void fill(int runs)
    {
        JournalStore store(path());
        QList<JournalEntry> entries;
        for (int n = 0; n < runs; ++n)
            entries.append(entry(1, 1000 + n, {{u'a', 3, 1}}));
        QCOMPARE(store.open(), Status::Ok);
        QCOMPARE(store.write(entries), Status::Ok);
    }

private slots:
    void init() { QDir(dir.path()).removeRecursively(), QDir().mkpath(dir.path()); }

    void aFirstReleaseJournalGrowsAndIsBackedUpOnceADay()
    {
        write(path(), {});
        sql(path(), {"CREATE TABLE runs (id INTEGER PRIMARY KEY, finished TEXT NOT NULL, level "
                     "INTEGER NOT NULL, seconds REAL NOT NULL, characters INTEGER NOT NULL, "
                     "keystrokes INTEGER NOT NULL, misses INTEGER NOT NULL, miss_rate INTEGER NOT "
                     "NULL, speed INTEGER NOT NULL, score INTEGER NOT NULL)",
                     "CREATE INDEX runs_by_level ON runs (level, id)",
                     "CREATE TABLE keys (run INTEGER NOT NULL REFERENCES runs (id) ON DELETE "
                     "CASCADE, character TEXT NOT NULL, due INTEGER NOT NULL, wrong INTEGER NOT "
                     "NULL, PRIMARY KEY (run, character)) WITHOUT ROWID",
                     "INSERT INTO runs VALUES (7, '2026-01-02T03:04:05+09:00', 2, 60, 1, 1, 0, 0, "
                     "1, 70)",
                     "INSERT INTO keys VALUES (7, 'a', 2, 0)", "PRAGMA user_version=1"});
        ScriptedMessageBoxes messages;
        {
            Journal journal(places(), messages);
            JournalEntry first =
                entry(2, 150, {{u' ', 0, 1}, {u'a', 12, 3}, {QChar(0xFF71), 2, 0}});
            first.run.spacesSkipped = false;
            first.run.keypadKeys = 4;
            journal.record(first);
            journal.record(entry(0, 90));
            journal.record(entry(2, -20, {{u'a', 8, 1}}));
            QCOMPARE(journal.pending(), 3); // written after the results window is up
            journal.flush();
            QCOMPARE(journal.pending(), 0);

            const QList<RunFigures> runs = journal.runs(2);
            QCOMPARE(scores(runs), (QList<int>{70, 150, -20}));
            QCOMPARE(runs[0].spacesSkipped, std::nullopt); // kept before the journal noted it
            QCOMPARE(runs[1], first.run);
            QCOMPARE(journal.levels(), (QList<int>{0, 2}));
            QCOMPARE(journal.tallies(2, 2),
                     (QList<CharTally>{{u' ', 0, 1}, {u'a', 20, 4}, {QChar(0xFF71), 2, 0}}));
            QCOMPARE(journal.tallies(2).value(1), (CharTally{u'a', 22, 4}));
            journal.settle();
        }
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(sql(path(), {"PRAGMA user_version"}).toInt(), JournalStore::schemaVersion());
        QCOMPARE(sql(path(), {"PRAGMA journal_mode"}).toString(), QString("wal"));

        // The file passed its check, so the day's backup holds it; no second one that day.
        const QString backup = JournalCheck::backupPath(path());
        QCOMPARE(count(backup), 4);
        Journal again(places(), messages);
        again.record(entry(0, 91));
        again.settle();
        QCOMPARE(scores(again.runs(0)), (QList<int>{90, 91}));
        QCOMPARE(count(backup), 4);
    }

    void aDamagedFileIsSetAsideWithEveryRunKeptOnceNoOtherCopyHasItOpen()
    {
        fill(600);
        // One leaf of the index by level zeroed: the table itself is whole.
        const int leaf = sql(path(), {"SELECT min(pageno) FROM dbstat WHERE name = "
                                      "'runs_by_level' AND pagetype = 'leaf'"})
                             .toInt();
        QFile file(path());
        QVERIFY(leaf > 1 && file.open(QIODevice::ReadWrite) && file.seek((leaf - 1) * 4096));
        file.write(QByteArray(4096, '\0'));
        file.close();

        ScriptedMessageBoxes messages;
        Journal journal(places(), messages);
        {
            // Another copy has it open, its last runs still only in its log.
            JournalStore other(path());
            QCOMPARE(other.open(), Status::Ok);
            QCOMPARE(other.write({entry(1, 1), entry(1, 2)}), Status::Ok);
            QVERIFY(journal.runs(1).isEmpty()); // the damage shows in use
            QCOMPARE(messages.shown.size(), 1);
            QVERIFY(messages.shown[0].text.contains("ほかのdovanelが開いている"));
            journal.record(entry(1, 3));
            journal.settle(); // the check finds the damage again, and the file is still held
            QCOMPARE(other.write({entry(1, 4)}), Status::Ok);
            QCOMPARE(QDir(folder()).entryList({"*damaged*"}), QStringList());
        }
        journal.record(entry(1, 5));
        journal.settle();

        const QStringList aside = QDir(folder()).entryList({"journal-damaged-*.sqlite"});
        QCOMPARE(aside.size(), 1);
        QCOMPARE(messages.shown.size(), 2);
        QCOMPARE(messages.shown[1].text,
                 QString("journal.sqliteが傷んでいたので、%1という名前で残しました。読み取れた605"
                         "回分の記録を新しいjournal.sqliteに移しました。")
                     .arg(aside[0]));
        const QList<int> kept = scores(journal.runs(1));
        QCOMPARE(kept.size(), 605);
        QCOMPARE(kept.mid(600), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(journal.tallies(1).value(0), (CharTally{u'a', 1800, 600}));
        QCOMPARE(count(folder() + '/' + aside[0]), 605);

        // The window reads the rows it shows a page at a time, wherever they are.
        frmjournal window(journal, messages);
        window.open(1);
        window.window()->grdruns->sortByColumn(runcolumns::Score, Qt::DescendingOrder);
        const QAbstractItemModel* table = window.window()->grdruns->model();
        QStringList rows;
        for (int row : {0, 604, 300, 599})
            rows << table->index(row, runcolumns::Score).data().toString();
        QCOMPARE(rows.join(' '), QString("1599 1 1299 1000"));
    }

    void runsThatCannotBeWrittenWaitBesideTheSettings()
    {
        write(dir.filePath("data"), {}); // a file where the folder should be stops even root
        ScriptedMessageBoxes messages;
        {
            Journal journal(places(), messages);
            QVERIFY(journal.runs(3).isEmpty()); // the first look at the journal
            journal.record(entry(3, 10));
            journal.flush();
            QCOMPARE(messages.shown.size(), 1);
            QCOMPARE(messages.shown[0].text, cannotWrite);
            QCOMPARE(journal.pending(), 1);
        }
        {
            Journal journal(places(), messages);
            journal.record(entry(3, 20));
            journal.flush();
            // Once the folder can be made, the next run takes every waiting one with it.
            QVERIFY(QFile::remove(dir.filePath("data")));
            journal.record(entry(3, 30));
            QCOMPARE(scores(journal.runs(3)), (QList<int>{10, 20, 30}));
        }
        QCOMPARE(messages.shown.size(), 2); // once an execution
        QCOMPARE(QDir(dir.filePath("config")).entryList(QDir::Files), QStringList());

        // Where even the settings' folder cannot be written, the loss is told at the end.
        for (const char* name : {"data", "config"})
            QDir(dir.filePath(name)).removeRecursively(), write(dir.filePath(name), {});
        {
            Journal(places(), messages).record(entry(3, 40));
        }
        QCOMPARE(messages.shown.last().text, QString("1回分の記録を残せませんでした。"));
    }

    void aNewerProgramsJournalIsReadButNeverWritten()
    {
        fill(3);
        JournalStore older(path()); // a copy already running when a newer one migrates
        QCOMPARE(older.open(), Status::Ok);
        sql(path(), {"PRAGMA user_version=99"});
        QCOMPARE(older.write({entry(1, 7)}), Status::Newer);

        ScriptedMessageBoxes messages;
        Journal journal(places(), messages);
        QCOMPARE(scores(journal.runs(1)), (QList<int>{1000, 1001, 1002}));
        journal.record(entry(1, 5));
        journal.flush();
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text,
                 QString("journal.sqliteは新しい版のdovanelが書いたものなので、読むだけにします。新"
                         "しい記録は、その版を使うまでここには残りません。"));
        QCOMPARE(journal.pending(), 1);
        QCOMPARE(count(path()), 3);
        QCOMPARE(QDir(folder()).entryList({"*damaged*"}), QStringList());
    }

    void theWindowOffersLevelZeroOnlyWithItsRunsAndExportsThem()
    {
        ScriptedMessageBoxes messages;
        Journal journal(places(), messages);
        frmjournal window(journal, messages);
        window.open(0);
        JournalWindow* w = window.window();
        QCOMPARE(w->cbolevel->count(), 4);
        QCOMPARE(w->cbolevel->currentText(), QString::fromUtf8("中級"));
        QVERIFY(w->lblempty->isVisible() && w->chart->widget()->isHidden() &&
                !w->cmdcsv->isEnabled());

        JournalEntry run = entry(0, 40, {{u'a', 3, 1}});
        run.run.spacesSkipped = true;
        journal.record(run);
        journal.flush(); // as the event loop would: shown at once in the open window
        QCOMPARE(w->cbolevel->count(), 5);
        window.showLevel(0);
        QCOMPARE(w->cbolevel->currentText(), QString::fromUtf8("未選択"));
        QVERIFY(w->lblempty->isHidden() && w->chart->widget()->isVisible() &&
                w->cmdcsv->isEnabled());

        // A name typed without the suffix gets it.
        QTimer::singleShot(0, [this] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialog->selectFile(dir.filePath("level0"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        window.cmdcsv_Click();
        QFile csv(dir.filePath("level0.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QCOMPARE(csv.readAll(), journalcsv::runs({run.run}));
        QVERIFY(window.exportTalliesTo(dir.filePath("keys.csv")));
        QVERIFY(messages.shown.isEmpty());
        QVERIFY(!window.exportTo(dir.filePath("level0.csv/inside.csv")));
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, QString::fromUtf8("inside.csvを書き込めません"));
    }

    void theWindowListsNewestFirstAndSortsFromTheKeyboard()
    {
        ScriptedMessageBoxes messages;
        Journal journal(places(), messages);
        // Recorded out of time order, as waiting runs are; one finished abroad.
        for (int score : {30, 10, 20})
            journal.record(entry(2, score));
        JournalEntry abroad = entry(2, 25);
        abroad.run.finished = "2026-12-06T07:04:25+01:00"; // 15:04:25 at +09:00
        journal.record(abroad);
        frmjournal window(journal, messages);
        window.open(2);
        JournalWindow* w = window.window();
        QAbstractItemModel* table = w->grdruns->model();
        const auto column = [table](int c) {
            QStringList texts;
            for (int row = 0; row < table->rowCount(); ++row)
                texts << table->index(row, c).data().toString();
            return texts.join(' ');
        };
        QCOMPARE(column(runcolumns::Score), QString("30 25 20 10"));
        // The chart reads the clock the table shows, whichever zone the learner is in now.
        QCOMPARE(QDateTime::fromMSecsSinceEpoch(qint64(w->chart->speedPoints()[0].x()))
                     .toString("HH:mm:ss"),
                 QString("07:04:25"));

        w->cbosort->setFocus();
        QTest::keyClick(w->cbosort, Qt::Key_Down); // 入力時間: all equal, newest first
        QTest::keyClick(w->cbosort, Qt::Key_End);  // 点数
        QCOMPARE(column(runcolumns::Score), QString("30 25 20 10"));
        QTest::keyClick(w->cmdorder, Qt::Key_Space);
        QCOMPARE(column(runcolumns::Score), QString("10 20 25 30"));
        QCOMPARE(w->cmdorder->text(), QString("小さい順・古い順"));
        journal.record(entry(2, 15)); // lands where the order puts it
        journal.flush();
        QCOMPARE(column(runcolumns::Score), QString("10 15 20 25 30"));
    }

    void weakKeysRankByARateFewKeystrokesCannotInflate()
    {
        const struct {
            int due, wrong;
            int percent; // the list's rate
            int floor;   // its lower bound, in thousandths
            bool enough; // struck often enough to be named and tinted
            int band;
        } rows[]{
            {0, 0, 0, 0, false, 0},      {5, 53, 91, 814, true, 4}, {0, 1, 100, 207, false, 4},
            {476, 95, 17, 138, true, 3}, {9, 0, 0, 0, false, 0},    {9, 1, 10, 18, true, 3},
            {98, 2, 2, 6, true, 1},      {196, 4, 2, 8, true, 1},
        };
        for (const auto& r : rows) {
            const QString name = QStringLiteral("%1/%2").arg(r.wrong).arg(r.due);
            const double rate = weakkeys::missRate(r.due, r.wrong);
            QCOMPARE(name + ' ' + QString::number(std::lround(rate * 100)),
                     name + ' ' + QString::number(r.percent));
            QCOMPARE(name + ' ' +
                         QString::number(std::lround(1000 * weakkeys::rateFloor(r.due, r.wrong))),
                     name + ' ' + QString::number(r.floor));
            QCOMPARE(weakkeys::enough(r.due, r.wrong), r.enough);
            QCOMPARE(weakkeys::band(rate), r.band);
        }
        // A key hit once and missed once is not listed; more evidence ranks first at one rate.
        QString order;
        for (const CharTally& t : weakkeys::weakest(
                 {{u'q', 0, 1}, {u'e', 476, 95}, {u'n', 5, 53}, {u' ', 98, 2}, {u'z', 196, 4}}))
            order += t.character;
        QCOMPARE(order, QString("nez "));
        QCOMPARE(weakkeys::caption({u'e', 476, 95}), QString::fromUtf8("e　17％（95/571）"));

        // Both characters of a key count for it.
        const auto keys =
            weakkeys::keyCounts({{u'a', 10, 1}, {u'A', 10, 3}, {QChar(0xFF71), 5, 5}});
        QCOMPARE(keys[25].due + keys[25].wrong, 24);
        QCOMPARE(std::count_if(keys.begin(), keys.end(), [](auto k) { return k.seen; }), 1);
    }

    void progressShowsMediansAndTheYearOverLongSpans()
    {
        const auto runs = [](int count, int hoursApart) {
            QList<RunPoint> list;
            const QDateTime start(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC);
            for (int n = 0; n < count; ++n)
                list.append({n,
                             start.addSecs(qint64(n) * hoursApart * 3600)
                                 .toString("yyyy-MM-ddTHH:mm:ss+09:00"),
                             100 + n % 10, n % 10});
            return list;
        };
        const struct {
            int count, hoursApart;
            int bucketDays, points;
            const char* format;
        } rows[]{{3, 1, 0, 3, "MM/dd HH:mm"},
                 {300, 2, 1, 25, "yyyy/MM/dd"},
                 {300, 24 * 4, 7, 172, "yyyy/MM"}};
        for (const auto& r : rows) {
            const progress::Series s = progress::series(runs(r.count, r.hoursApart));
            QCOMPARE(s.bucketDays, r.bucketDays);
            QCOMPARE(s.speed.size(), r.points);
            QCOMPARE(s.format, QString(r.format));
        }
        // A day's median: twelve runs, figures 0..9 then 0 and 1.
        const progress::Series day = progress::series(runs(300, 2));
        QCOMPARE(day.speed[0], QPointF(progress::wallClockMs("2024-01-01T12:00:00+09:00"), 103.5));
        QCOMPARE(progress::instantSeconds("2026-12-06T07:04:25+01:00"),
                 progress::instantSeconds("2026-12-06T15:04:25+09:00"));
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
        RunFigures skipped = entry(2, 150).run;
        skipped.spacesSkipped = true;
        QCOMPARE(journalcsv::runs({skipped, entry(0, 5).run}),
                 "\xEF\xBB\xBF" +
                     QString("日時,UTCとの差,レベル,入力時間(秒),文字数,打鍵数,ミス数,ミス率(％),"
                             "入力速度(文字/分),点数,スペース自動入力\r\n"
                             "2026-12-06 15:04:30,+09:00,中級,61.25,100,110,10,9,98,150,あり\r\n"
                             "2026-12-06 15:04:05,+09:00,未選択,61.25,100,110,10,9,98,5,\r\n")
                         .toUtf8());
        QVERIFY(journalcsv::tallies({{u' ', 98, 2}}).endsWith("\r\nスペース,98,2,2.0\r\n"));
    }
};

QTEST_MAIN(JournalTest)
#include "tst_journal.moc"

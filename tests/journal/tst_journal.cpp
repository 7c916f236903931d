#include "charts/journalchart.h"
#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "journal/journalcheck.h"
#include "journal/journalcsv.h"
#include "journal/journalstore.h"
#include "journal/progress.h"
#include "journal/runcolumns.h"
#include "journal/weakkeys.h"
#include "journal/weakness.h"
#include "tests/support/doubles.h"
#include "tests/support/namedrow.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QStringDecoder>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using Status = JournalStore::Status;

namespace {

JournalEntry entry(int level, int score, QList<CharTally> tallies = {},
                   RunKind kind = RunKind::Level, const QString& text = {})
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
                   0,
                   kind,
                   text};
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

// The first line of an export of runs, after the byte order mark.
const QByteArray runsHeader = "\xEF\xBB\xBF"
                              "日時,UTCとの差,レベル,入力時間(秒),文字数,打鍵数,ミス数,ミス率(％),"
                              "入力速度(文字/分),点数,スペース自動入力,種類\r\n";

// An export by lines, its byte order mark kept, so that a failed comparison shows the line.
QStringList lines(const QByteArray& csv)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return QString(utf8(csv)).split(QStringLiteral("\r\n"));
}

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
            entries.append(entry(1, 1000 + n, {{u'a', 3, 1, 900, 3}}));
        QCOMPARE(store.open(), Status::Ok);
        QCOMPARE(store.write(entries), Status::Ok);
    }

private slots:
    void init() { QDir(dir.path()).removeRecursively(), QDir().mkpath(dir.path()); }

    void aJournalOfTheReleasesBeforeGrowsAndIsBackedUpOnceADay()
    {
        // A run kept by the first release, then one by the current release (spaces and keypad).
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
                     "INSERT INTO keys VALUES (7, 'a', 2, 0)",
                     "ALTER TABLE runs ADD COLUMN spaces_skipped INTEGER",
                     "ALTER TABLE runs ADD COLUMN keypad_keys INTEGER NOT NULL DEFAULT 0",
                     "INSERT INTO runs VALUES (8, '2026-01-03T03:04:05+09:00', 3, 60, 1, 1, 0, 0, "
                     "1, 80, 1, 2)",
                     "PRAGMA user_version=2"});
        ScriptedMessageBoxes messages;
        {
            Journal journal(places(), messages);
            JournalEntry first =
                entry(2, 150, {{u' ', 0, 1}, {u'a', 12, 3, 3600, 11}, {QChar(0xFF71), 2, 0}});
            first.run.spacesSkipped = false;
            first.run.keypadKeys = 4;
            journal.record(first);
            journal.record(entry(0, 90));
            journal.record(entry(2, -20, {{u'a', 8, 1, 2000, 8}}, RunKind::WeakKeys));
            journal.record(entry(0, 95, {{u'b', 5, 0}}, RunKind::Text, "notes.txt"));
            QCOMPARE(journal.pending(), 4); // written after the results window is up
            journal.flush();
            QCOMPARE(journal.pending(), 0);

            const QList<RunFigures> runs = journal.runs(RunSet(2));
            QCOMPARE(scores(runs), (QList<int>{70, 150, -20}));
            QCOMPARE(runs[0].spacesSkipped, std::nullopt); // kept before the journal noted it
            QCOMPARE(runs[0].kind, RunKind::Level);
            QCOMPARE(runs[1], first.run);
            const RunFigures current = journal.runs(RunSet(3)).value(0);
            QVERIFY(current.spacesSkipped == true && current.keypadKeys == 2);
            // Each kind apart; a text's runs under its name, not among a level's.
            QCOMPARE(scores(journal.runs(RunSet(2, RunKind::WeakKeys))), QList<int>{-20});
            QCOMPARE(scores(journal.runs(RunSet(2, RunKind::Level))), (QList<int>{70, 150}));
            QCOMPARE(scores(journal.runs(RunSet(0))), QList<int>{90});
            QCOMPARE(journal.runs(RunSet::ofText("notes.txt")).value(0).textName, "notes.txt");
            QCOMPARE(journal.levels(), (QList<int>{0, 2, 3}));
            QCOMPARE(journal.texts(), QStringList{"notes.txt"});
            QCOMPARE(
                journal.tallies(RunSet(2), 2),
                (QList<CharTally>{{u' ', 0, 1}, {u'a', 20, 4, 5600, 19}, {QChar(0xFF71), 2, 0}}));
            QCOMPARE(journal.tallies(RunSet(2)).value(1), (CharTally{u'a', 22, 4, 5600, 19}));
            journal.settle();
        }
        QVERIFY(messages.shown.isEmpty());
        QCOMPARE(sql(path(), {"PRAGMA user_version"}).toInt(), JournalStore::schemaVersion());
        QCOMPARE(sql(path(), {"PRAGMA journal_mode"}).toString(), QString("wal"));

        // The file passed its check, so the day's backup holds it; no second one that day.
        const QString backup = JournalCheck::backupPath(path());
        QCOMPARE(count(backup), 6);
        Journal again(places(), messages);
        again.record(entry(0, 91));
        again.settle();
        QCOMPARE(scores(again.runs(RunSet(0))), (QList<int>{90, 91}));
        QCOMPARE(count(backup), 6);
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
            QVERIFY(journal.runs(RunSet(1)).isEmpty()); // the damage shows in use
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
        const QList<int> kept = scores(journal.runs(RunSet(1)));
        QCOMPARE(kept.size(), 605);
        QCOMPARE(kept.mid(600), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(journal.tallies(RunSet(1)).value(0), (CharTally{u'a', 1800, 600, 540000, 1800}));
        QCOMPARE(count(folder() + '/' + aside[0]), 605);

        // The window reads the rows it shows a page at a time, wherever they are.
        frmjournal window(journal, messages);
        window.open(RunSet(1));
        window.window()->grdruns->sortByColumn(runcolumns::Score, Qt::DescendingOrder);
        const QAbstractItemModel* table = window.window()->grdruns->model();
        QStringList rows;
        for (int row : {0, 604, 300, 599})
            rows << table->index(row, runcolumns::Score).data().toString();
        QCOMPARE(rows.join(' '), QString("1599 1 1299 1000"));
    }

    void aFileSetAsideTakesTheRunsStillOnlyInItsLog()
    {
        // The files as a copy that crashed with three runs committed leaves them.
        const QString crashed = dir.filePath("crashed/journal.sqlite");
        fill(2);
        {
            JournalStore writer(path());
            QCOMPARE(writer.open(), Status::Ok);
            QCOMPARE(writer.write({entry(1, 1), entry(1, 2), entry(1, 3)}), Status::Ok);
            QDir().mkpath(QFileInfo(crashed).path());
            for (const char* companion : {"", "-wal"})
                QVERIFY(QFile::copy(path() + companion, crashed + companion));
        }
        const QString aside =
            JournalStore::setAside(crashed, QDateTime(QDate(2026, 12, 6), QTime(15, 4)));
        QCOMPARE(QFileInfo(aside).fileName(), QString("journal-damaged-20261206-150400.sqlite"));
        QCOMPARE(count(aside), 5);
    }

    void runsThatCannotBeWrittenWaitBesideTheSettings()
    {
        write(dir.filePath("data"), {}); // a file where the folder should be stops even root
        ScriptedMessageBoxes messages;
        {
            Journal journal(places(), messages);
            QVERIFY(journal.runs(RunSet(3)).isEmpty()); // the first look at the journal
            journal.record(entry(3, 10, {{u'a', 1, 0, 300, 1}}, RunKind::WeakKeys));
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
            QCOMPARE(scores(journal.runs(RunSet(3))), (QList<int>{10, 20, 30}));
            QCOMPARE(scores(journal.runs(RunSet(3, RunKind::WeakKeys))), QList<int>{10});
            QCOMPARE(journal.tallies(RunSet(3)), (QList<CharTally>{{u'a', 1, 0, 300, 1}}));
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
        QCOMPARE(scores(journal.runs(RunSet(1))), (QList<int>{1000, 1001, 1002}));
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
        window.open(RunSet(0));
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
        window.show(RunSet(0));
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
        QCOMPARE(lines(csv.readAll()),
                 lines(runsHeader +
                       "2026-12-06 15:04:40,+09:00,未選択,61.25,100,110,10,9,98,40,あり,通常\r\n"));
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
        window.open(RunSet(2));
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
        QTest::keyClick(w->cbosort, Qt::Key_End);  // 種類
        QTest::keyClick(w->cbosort, Qt::Key_Up);   // 点数
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
            QCOMPARE(namedRow(name, std::lround(rate * 100),
                              std::lround(1000 * weakkeys::rateFloor(r.due, r.wrong)),
                              weakkeys::enough(r.due, r.wrong), weakkeys::band(rate)),
                     namedRow(name, r.percent, r.floor, r.enough, r.band));
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

    void weaknessWeighsMissesAndSlownessAgainstTheLearnersOwn()
    {
        // A learner of 100,000 keystrokes: 5 % missed, 300 ms from key to key. Each row's
        // character joins them alone; its weakness worked out by hand from the formula.
        QList<CharTally> learner;
        for (QChar c : QString("abcde"))
            learner.append({c, 19000, 1000, 19000 * 300, 19000});
        const struct {
            const char* name;
            CharTally tally;
            int hundredths; // its weakness
            bool weak;      // 10 % above the typical key's, 1.50
        } rows[]{
            {"typical", {u'f', 190, 10, 190 * 300, 190}, 150, false},
            {"never seen", {u'g', 0, 0, 0, 0}, -1, false},
            {"one miss in one keystroke", {u'q', 0, 1, 0, 0}, 195, true},
            {"slow but accurate", {u'p', 100, 0, 60000, 100}, 191, true},
            {"fast but wrong", {u'r', 80, 20, 80 * 240, 80}, 259, true},
            {"missed, kept without times", {u'm', 80, 20, 0, 0}, 275, true},
            {"a little slow", {u's', 100, 5, 100 * 330, 100}, 156, false},
        };
        QList<CharTally> all = learner;
        for (const auto& r : rows) {
            QList<CharTally> with = learner;
            with << r.tally;
            const QList<weakness::Weakness> ranked = weakness::rank(with);
            const auto found = std::find_if(ranked.begin(), ranked.end(), [&](const auto& w) {
                return w.character == r.tally.character;
            });
            const int got = found == ranked.end() ? -1 : int(std::lround(found->score * 100));
            const bool weak =
                weakness::weakest(with, 9, [](QChar) { return true; }).contains(r.tally.character);
            QCOMPARE(QStringLiteral("%1: %2 %3").arg(r.name).arg(got).arg(weak),
                     QStringLiteral("%1: %2 %3").arg(r.name).arg(r.hundredths).arg(r.weak));
            all << r.tally;
        }
        // A key seen once does not top keys missed and slow over many; only those asked for.
        QCOMPARE(weakness::weakest(all, 3, [](QChar) { return true; }), QString("mrq"));
        QCOMPARE(weakness::weakest(all, 3, [](QChar c) { return c != u'm'; }), QString("rqp"));

        // The runs judged by: the last 30 days, at least the newest 50, at most 300.
        const QDateTime now(QDate(2026, 12, 6), QTime(12, 0), Qt::OffsetFromUTC, 9 * 3600);
        const auto newest = [&now](int count, int recent) {
            QList<RunPoint> list;
            for (int n = 0; n < count; ++n)
                list.append(
                    {count - n, journalentry::isoLocal(now.addDays(n < recent ? -29 : -31))});
            return list;
        };
        QCOMPARE(weakness::recentRuns(newest(80, 40), now).size(), 50);
        QCOMPARE(weakness::recentRuns(newest(80, 70), now).size(), 70);
        QCOMPARE(weakness::recentRuns(newest(400, 400), now).size(), 300);
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
            const QString name =
                QStringLiteral("%1 runs %2 h apart").arg(r.count).arg(r.hoursApart);
            QCOMPARE(namedRow(name, s.bucketDays, s.speed.size(), s.format),
                     namedRow(name, r.bucketDays, r.points, QString(r.format)));
        }
        // A day's median: twelve runs, figures 0..9 then 0 and 1.
        const progress::Series day = progress::series(runs(300, 2));
        const QDateTime noon(QDate(2024, 1, 1), QTime(12, 0), Qt::UTC); // as the clock showed it
        QCOMPARE(day.speed[0], QPointF(noon.toMSecsSinceEpoch(), 103.5));
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
            QCOMPARE(namedRow(f.text, journalcsv::field(f.text)),
                     namedRow(f.text, QString(f.written)));

        QCOMPARE(journalcsv::document({{"a", "b,c"}, {"1"}}), QByteArray("\xEF\xBB\xBF"
                                                                         "a,\"b,c\"\r\n1\r\n"));
        // A text's runs under its name; the kind, which came later, last.
        RunFigures skipped = entry(2, 150).run;
        skipped.spacesSkipped = true;
        QCOMPARE(
            lines(
                journalcsv::runs({skipped, entry(0, 5).run, entry(3, 7, {}, RunKind::WeakKeys).run,
                                  entry(0, 8, {}, RunKind::Text, "notes.txt").run})),
            lines(runsHeader +
                  "2026-12-06 15:04:30,+09:00,中級,61.25,100,110,10,9,98,150,あり,通常\r\n"
                  "2026-12-06 15:04:05,+09:00,未選択,61.25,100,110,10,9,98,5,,通常\r\n"
                  "2026-12-06 15:04:07,+09:00,上級,61.25,100,110,10,9,98,7,,苦手キー\r\n"
                  "2026-12-06 15:04:08,+09:00,notes.txt,61.25,100,110,10,9,98,8,,テキスト\r\n"));
        QVERIFY(journalcsv::tallies({{u' ', 98, 2}}).endsWith("\r\nスペース,98,2,2.0\r\n"));
    }
};

QTEST_MAIN(JournalTest)
#include "tst_journal.moc"

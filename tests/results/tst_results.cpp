#include "charts/barchart.h"
#include "results/history.h"
#include "results/resultrecord.h"
#include "results/scoring.h"
#include "tests/support/doubles.h"
#include "ui/fonts.h"
#include "ui/settingsmedium.h"
#include "ui/settingsstore.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

BarChart::Table bothSeries(std::initializer_list<qint16> figures)
{
    BarChart::Table table{};
    int r = 0;
    for (qint16 figure : figures)
        table[r++] = {figure, figure};
    return table;
}

} // namespace

class TestResults : public QObject {
    Q_OBJECT
    MemorySettingsMedium medium;
    SettingsStore store{medium};

    // Result n of a series: score 10n, miss n, speed 100 + n.
    static void enter(History& h, int n) { h.beginResult(), h.enterResult(10 * n, n, 100 + n); }
    QStringList storedSlots() const // "score/miss/speed" of each slot
    {
        QStringList texts;
        for (int n = 1; n <= 10; ++n) {
            const QString slot = QStringLiteral("%1回目").arg(n);
            texts << QStringList{store.read("tokuten", slot, "?"), store.read("miss", slot, "?"),
                                 store.read("sokudo", slot, "?")}
                         .join('/');
        }
        return texts;
    }

private slots:
    void initTestCase() { fonts::installSubstitutions(); }
    void init() { medium.values.clear(); }

    void score()
    {
        const struct {
            const char* name;
            float start, finish;
            qint16 mojicnt, misscnt, inputcnt;
            const char* texts;
        } rows[]{
            {"hundredths dropped", 100, 160.004f, 100, 0, 100, "60秒 0％ 100文字/分 100点"},
            {"speed 1.5 to even", 0, 40, 1, 0, 1, "40秒 0％ 2文字/分 2点"},
            {"speed 2.5 to even", 0, 24, 1, 0, 1, "24秒 0％ 2文字/分 2点"},
            {"misses cost points", 0, 60, 20, 1, 10, "60秒 10％ 20文字/分 -50点"},
            {"up to a whole second", 0, 0.996f, 3, 0, 3, "1秒 0％ 180文字/分 180点"},
            {"miss 12.5 to even", 0, 60, 60, 1, 8, "60秒 12％ 60文字/分 -24点"},
            {"miss 37.5 to even", 0, 60, 60, 3, 8, "60秒 38％ 60文字/分 -206点"},
            {"tenths", 0, 60.5f, 121, 0, 121, "60.5秒 0％ 120文字/分 120点"},
            {"whole", 0, 61, 61, 0, 61, "61秒 0％ 60文字/分 60点"},
            {"below one", 0, 0.25f, 1, 0, 1, "0.25秒 0％ 240文字/分 240点"},
            {"across midnight", 86399.5f, 0.5f, 2, 1, 8, "1秒 12％ 120文字/分 36点"},
            {"no time, no inputs", 500, 500, 3, 5, 0, "0.01秒 0％ 18000文字/分 18000点"},
            {"speed clamped", 0, 1, 32767, 0, 1, "1秒 0％ 32767文字/分 32767点"},
            {"points clamped", 0, 1, 0, 32767, 1, "1秒 32767％ 0文字/分 -32767点"},
        };
        for (const auto& r : rows) {
            const Score s = scoring::score(r.start, r.finish, r.mojicnt, r.misscnt, r.inputcnt);
            const QStringList got{r.name, s.timeText, s.missText, s.speedText, s.pointText};
            QCOMPARE(got.join(' '), QString(r.name) + ' ' + r.texts);
        }
    }

    void slotsFillRollAndStartAfreshEachExecution()
    {
        {
            History history(store);
            for (int n = 1; n <= 10; ++n)
                enter(history, n);
            QStringList expected;
            for (int n = 1; n <= 10; ++n)
                expected << QString("%1/%2/%3").arg(10 * n).arg(n).arg(100 + n);
            QCOMPARE(storedSlots(), expected);
            store.write("miss", "2回目", "x"); // hand-edited: no number counts as 0
            enter(history, 11);
            QCOMPARE(history.resultcnt(), qint16(11));
            expected.removeFirst();
            expected[0] = "20/0/102";
            QCOMPARE(storedSlots(), expected << "110/11/111");
            QCOMPARE(history.histdata()[0], (History::Row{20, 0, 102}));
            QVERIFY(history.recordBest(2, 30, "2026/12/01"));
        }
        // The next execution's first result clears the slots; the bests stay.
        History after(store);
        enter(after, 12);
        QCOMPARE(after.resultcnt(), qint16(1));
        QCOMPARE(storedSlots(), QStringList{"120/12/112"} + QStringList(9, "0/0/0"));
        QCOMPARE(after.histdata()[0], (History::Row{120, 12, 112}));
        QCOMPARE(after.histdata()[1], History::Row{});
        QCOMPARE(after.bestPanel()[1], (History::Best{"30", "2026/12/01"}));
    }

    void bestScores()
    {
        History history(store);
        const History::Best none{"------", "----------"};
        QVERIFY(history.recordBest(1, 120, "2026/12/06"));
        QVERIFY(!history.recordBest(1, 120, "2026/12/07")); // a tie is no record
        QCOMPARE(history.bestPanel()[0], (History::Best{"120", "2026/12/06"}));
        QVERIFY(history.recordBest(1, 121, "2026/12/08"));
        QCOMPARE(history.bestPanel()[0], (History::Best{"121", "2026/12/08"}));
        QVERIFY(!history.recordBest(2, 0, "2026/12/06")); // a first best must be above zero
        QCOMPARE(history.bestPanel()[1], none);
        store.write("maxtokuten", "3", "abc"); // hand-edited: shown, and beaten by any score
        QCOMPARE(history.bestPanel()[2].score, QString("abc"));
        QVERIFY(history.recordBest(3, 1, "2026/12/09"));
        QVERIFY(!history.recordBest(0, 500, "2026/12/06")); // no level chosen: no row for it
        QCOMPARE(medium.values.keys(),
                 (QStringList{"date/1", "date/3", "maxtokuten/1", "maxtokuten/3"}));
    }

    void aRunIsEnteredOnceAndASecondCopyNeverLowersTheBest()
    {
        // One copy runs on the file; another copy, in a process of its own, stores 1877.
        // (QSettings objects of one process share what they read, so that copy writes as a
        // process of its own would: the file.)
        QTemporaryDir dir;
        const QString path = dir.filePath("dovanel.ini");
        const auto storedByAnotherCopy = [&path](const QByteArray& text) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        storedByAnotherCopy("[maxtokuten]\n2=1500\n");
        IniSettingsMedium file(path);
        SettingsStore running(file);
        ResultRecord record(running);
        QCOMPARE(running.read("maxtokuten", "2", ""), QString("1500"));
        storedByAnotherCopy("[date]\n2=2026/12/06\n[maxtokuten]\n2=1877\n");
        const FinishedRun run{0, 6, 172, 0, 172, 7}; // 1720 points
        QVERIFY(record.enter(run, 2, "2026/12/07"));
        QCOMPARE(record.score().points, qint16(1720));
        QCOMPARE(record.panel()[1], (History::Best{"1877", "2026/12/06"}));
        QVERIFY(!record.enter(run, 2, "2026/12/07")); // shown again, not entered again
        QCOMPARE(record.history().resultcnt(), qint16(1));
        running.reload();
        QCOMPARE(running.read("maxtokuten", "2", ""), QString("1877"));
    }

    void chartKeepsEveryRowAndScales()
    {
        BarChart chart;
        QVERIFY(chart.valueAxisMax() > chart.valueAxisMin()); // a scale even with no figures
        // Repeated and empty labels must not merge rows on the axis.
        const QStringList labels{"2回前", "1回前", "今回", "", "", "", "", "", "今回", ""};
        for (int r = 1; r <= 10; ++r)
            chart.setRowLabel(r, labels[r - 1]);
        QStringList seen = chart.categories();
        QCOMPARE(QSet<QString>(seen.begin(), seen.end()).size(), 10);
        QCOMPARE(seen.replaceInStrings(QString(QChar(0x200B)), ""), labels);
        chart.setData(bothSeries({-75, 120}));
        QVERIFY(chart.valueAxisMin() <= -75 && chart.valueAxisMin() > -150);
        QVERIFY(chart.valueAxisMax() >= 120 && chart.valueAxisMax() < 240);
        chart.setData(bothSeries({300, 390})); // bars grow from zero
        QCOMPARE(chart.valueAxisMin(), 0.0);
        chart.setData(bothSeries({-30000, 32767}));
        QVERIFY(chart.valueAxisMin() <= -30000 && chart.valueAxisMax() >= 32767);
    }
};

QTEST_MAIN(TestResults)
#include "tst_results.moc"

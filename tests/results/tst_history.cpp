#include "app/settingsstore.h"
#include "results/history.h"
#include "ui/settingsmedium.h"

#include <QSet>
#include <QTest>

namespace {

// One result through the steps the results window takes.
void enter(History& history, int score, int miss, int speed)
{
    history.beginResult();
    history.enterResult(qint16(score), qint16(miss), qint16(speed));
}

// Result n of a series: score 10n, miss n, speed 100 + n.
void enterNumbered(History& history, int n)
{
    enter(history, 10 * n, n, 100 + n);
}

} // namespace

class HistoryTest : public QObject {
    Q_OBJECT
    MemorySettingsMedium medium;
    SettingsStore store{medium};

    QString slot(const QString& section, int n) const
    {
        return store.read(section, History::slotKey(n), QStringLiteral("absent"));
    }
    QStringList slotTexts(const QString& section) const
    {
        QStringList texts;
        for (int n = 1; n <= History::rows; ++n)
            texts << slot(section, n);
        return texts;
    }

private slots:
    void init() { medium.values.clear(); }

    void firstResultClearsTheLastExecutionsSlots()
    {
        for (int n = 1; n <= 10; ++n)
            for (const char* section : {"tokuten", "miss", "sokudo"})
                store.write(section, QString::number(n) + "回目", "55");
        store.write("maxtokuten", "1", "80");
        store.write("date", "1", "2026/01/01");

        History history(store);
        enter(history, 120, 5, 130);

        QCOMPARE(history.resultcnt(), qint16(1));
        const QStringList rest(9, "0");
        QCOMPARE(slotTexts("tokuten"), QStringList{"120"} + rest);
        QCOMPARE(slotTexts("miss"), QStringList{"5"} + rest);
        QCOMPARE(slotTexts("sokudo"), QStringList{"130"} + rest);
        QCOMPARE(history.histdata()[0], (History::Row{120, 5, 130}));
        for (int r = 1; r < History::rows; ++r)
            QCOMPARE(history.histdata()[r], History::Row{});
        QCOMPARE(store.read("maxtokuten", "1", ""), QString("80"));
        QCOMPARE(store.read("date", "1", ""), QString("2026/01/01"));
    }

    void resultsFillTheSlotsInTurn()
    {
        History history(store);
        for (int n = 1; n <= 3; ++n)
            enterNumbered(history, n);
        QCOMPARE(history.resultcnt(), qint16(3));
        QCOMPARE(slotTexts("tokuten"),
                 (QStringList{"10", "20", "30", "0", "0", "0", "0", "0", "0", "0"}));
        QCOMPARE(history.histdata()[2], (History::Row{30, 3, 103}));
        QCOMPARE(history.histdata()[3], History::Row{});

        for (int n = 4; n <= 10; ++n)
            enterNumbered(history, n);
        QCOMPARE(history.resultcnt(), qint16(10));
        QCOMPARE(slotTexts("tokuten"),
                 (QStringList{"10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
        QCOMPARE(slot("sokudo", 10), QString("110"));
        for (int r = 0; r < History::rows; ++r)
            QCOMPARE(history.histdata()[r],
                     (History::Row{qint16(10 * (r + 1)), qint16(r + 1), qint16(101 + r)}));
    }

    void afterTenTheOldestMovesOut()
    {
        History history(store);
        for (int n = 1; n <= 10; ++n)
            enterNumbered(history, n);
        store.write("miss", "2回目", "x"); // hand-edited: no number counts as 0

        enterNumbered(history, 11);
        QCOMPARE(history.resultcnt(), qint16(11));
        QCOMPARE(slotTexts("tokuten"),
                 (QStringList{"20", "30", "40", "50", "60", "70", "80", "90", "100", "110"}));
        QCOMPARE(slotTexts("miss"),
                 (QStringList{"0", "3", "4", "5", "6", "7", "8", "9", "10", "11"}));
        QCOMPARE(history.histdata()[0], (History::Row{20, 0, 102}));
        QCOMPARE(history.histdata()[9], (History::Row{110, 11, 111}));

        enterNumbered(history, 12);
        QCOMPARE(history.resultcnt(), qint16(12));
        QCOMPARE(slot("tokuten", 1), QString("30"));
        QCOMPARE(slot("sokudo", 10), QString("112"));
    }

    void countStopsAtTheTop()
    {
        History history(store);
        for (int n = 1; n <= 32768; ++n)
            enter(history, n % 1000, 0, 0);
        QCOMPARE(history.resultcnt(), qint16(32767));
        QCOMPARE(slot("tokuten", 10), QString::number(32768 % 1000));
    }

    void newExecutionStartsAFreshHistoryButKeepsBests()
    {
        {
            History before(store);
            for (int n = 1; n <= 3; ++n)
                enterNumbered(before, n);
            QVERIFY(before.recordBest(2, 30, "2026/12/01"));
        }
        History after(store);
        enter(after, 50, 2, 60);
        QCOMPARE(after.resultcnt(), qint16(1));
        QCOMPARE(slotTexts("tokuten"),
                 (QStringList{"50", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
        QCOMPARE(after.bestPanel()[1], (History::Best{"30", "2026/12/01"}));
    }

    void bestScores()
    {
        History history(store);
        const History::Best none{"------", "----------"};
        for (const auto& row : history.bestPanel())
            QCOMPARE(row, none);

        QVERIFY(history.recordBest(1, 120, "2026/12/06"));
        QVERIFY(!history.recordBest(1, 120, "2026/12/07")); // a tie is no record
        QVERIFY(!history.recordBest(1, 80, "2026/12/07"));
        QCOMPARE(history.bestPanel()[0], (History::Best{"120", "2026/12/06"}));
        QVERIFY(history.recordBest(1, 121, "2026/12/08"));
        QCOMPARE(history.bestPanel()[0], (History::Best{"121", "2026/12/08"}));

        // Without a best, only a score above zero counts.
        QVERIFY(!history.recordBest(2, -5, "2026/12/06"));
        QVERIFY(!history.recordBest(2, 0, "2026/12/06"));
        // No level chosen, or none that exists: no best at all.
        QVERIFY(!history.recordBest(0, 500, "2026/12/06"));
        QVERIFY(!history.recordBest(5, 500, "2026/12/06"));
        QCOMPARE(history.bestPanel()[1], none);
        QCOMPARE(history.bestPanel()[3], none);

        // A hand-edited best is shown as written and beaten by any score above zero.
        store.write("maxtokuten", "3", "abc");
        QCOMPARE(history.bestPanel()[2].score, QString("abc"));
        QVERIFY(history.recordBest(3, 1, "2026/12/09"));
        QCOMPARE(history.bestPanel()[2], (History::Best{"1", "2026/12/09"}));
    }

    void storeHoldsOnlyFiguresAndRecords()
    {
        History history(store);
        enter(history, 120, 5, 130);
        history.recordBest(3, 120, "2026/12/06");
        history.recordBest(4, -1, "2026/12/06");

        QSet<QString> expected{"maxtokuten/3", "date/3"};
        for (int n = 1; n <= 10; ++n)
            for (const char* section : {"tokuten", "miss", "sokudo"})
                expected << QString(section) + "/" + QString::number(n) + "回目";
        const QStringList keys = medium.values.keys();
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()), expected);
        for (const QString& text : medium.values)
            QVERIFY(!text.startsWith("--"));
    }
};

int runHistoryTests(int argc, char** argv)
{
    HistoryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_history.moc"

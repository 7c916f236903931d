#include "results/scoring.h"

#include <QTest>

class ScoringTest : public QObject {
    Q_OBJECT
private slots:
    void takeTime_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<float>("finish");
        QTest::addColumn<float>("expected");
        QTest::newRow("a minute") << 100.0f << 160.004f << 60.004f;
        QTest::newRow("across midnight") << 86399.5f << 0.5f << 1.0f;
        QTest::newRow("no time at all") << 500.0f << 500.0f << 0.0f;
    }
    void takeTime()
    {
        QFETCH(float, start);
        QFETCH(float, finish);
        QFETCH(float, expected);
        QVERIFY(std::abs(scoring::takeTime(start, finish) - expected) < 1e-4f);
    }

    void shownSeconds_data()
    {
        QTest::addColumn<float>("taketime");
        QTest::addColumn<float>("expected");
        QTest::newRow("hundredths dropped") << 60.004f << 60.0f;
        QTest::newRow("kept") << 60.5f << 60.5f;
        QTest::newRow("up to a whole second") << 0.996f << 1.0f;
        QTest::newRow("half goes to even, down") << 0.125f << 0.12f;
        QTest::newRow("half goes to even, up") << 0.375f << 0.38f;
        QTest::newRow("zero becomes a hundredth") << 0.0f << 0.01f;
        QTest::newRow("rounds to zero") << 0.004f << 0.01f;
    }
    void shownSeconds()
    {
        QFETCH(float, taketime);
        QFETCH(float, expected);
        QCOMPARE(scoring::shownSeconds(taketime), expected);
    }

    void missRate_data()
    {
        QTest::addColumn<int>("misscnt");
        QTest::addColumn<int>("inputcnt");
        QTest::addColumn<int>("expected");
        QTest::newRow("12.5 to even") << 1 << 8 << 12;
        QTest::newRow("37.5 to even") << 3 << 8 << 38;
        QTest::newRow("a third") << 1 << 3 << 33;
        QTest::newRow("two thirds") << 2 << 3 << 67;
        QTest::newRow("no misses") << 0 << 50 << 0;
        QTest::newRow("no inputs") << 5 << 0 << 0;
        QTest::newRow("held to 16 bits") << 32767 << 1 << 32767;
    }
    void missRate()
    {
        QFETCH(int, misscnt);
        QFETCH(int, inputcnt);
        QFETCH(int, expected);
        QCOMPARE(int(scoring::missRate(qint16(misscnt), qint16(inputcnt))), expected);
    }

    void speed_data()
    {
        QTest::addColumn<int>("mojicnt");
        QTest::addColumn<float>("seconds");
        QTest::addColumn<int>("expected");
        QTest::newRow("a hundred in a minute") << 100 << 60.0f << 100;
        QTest::newRow("1.5 to even") << 1 << 40.0f << 2;
        QTest::newRow("2.5 to even") << 1 << 24.0f << 2;
        QTest::newRow("three in a second") << 3 << 1.0f << 180;
        QTest::newRow("a hundredth") << 3 << 0.01f << 18000;
        QTest::newRow("beyond 16 bits") << 32767 << 1.0f << 32767;
        QTest::newRow("nothing typed") << 0 << 12.5f << 0;
    }
    void speed()
    {
        QFETCH(int, mojicnt);
        QFETCH(float, seconds);
        QFETCH(int, expected);
        QCOMPARE(int(scoring::speed(qint16(mojicnt), seconds)), expected);
    }

    void points_data()
    {
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("miss");
        QTest::addColumn<int>("expected");
        QTest::newRow("no misses") << 100 << 0 << 100;
        QTest::newRow("below zero") << 20 << 10 << -50;
        QTest::newRow("penalty held to 16 bits") << 32767 << 5000 << 0;
        QTest::newRow("penalty at its limit") << 0 << 32767 << -32767;
        QTest::newRow("held at the bottom") << -100 << 32767 << -32768;
    }
    void points()
    {
        QFETCH(int, speed);
        QFETCH(int, miss);
        QFETCH(int, expected);
        QCOMPARE(int(scoring::points(qint16(speed), qint16(miss))), expected);
    }

    void secondsText_data()
    {
        QTest::addColumn<float>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("tenths") << 60.5f << "60.5";
        QTest::newRow("whole") << 61.0f << "61";
        QTest::newRow("below one") << 0.25f << "0.25";
        QTest::newRow("smallest") << 0.01f << "0.01";
        QTest::newRow("seven digits") << 86399.99f << "86399.99";
    }
    void secondsText()
    {
        QFETCH(float, seconds);
        QFETCH(QString, expected);
        QCOMPARE(scoring::secondsText(seconds), expected);
    }

    void score_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<float>("finish");
        QTest::addColumn<int>("mojicnt");
        QTest::addColumn<int>("misscnt");
        QTest::addColumn<int>("inputcnt");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("clean minute") << 100.0f << 160.004f << 100 << 0 << 100
                                      << QStringList{"60秒", "0％", "100文字/分", "100点"};
        QTest::newRow("misses cost points")
            << 0.0f << 60.0f << 20 << 1 << 10 << QStringList{"60秒", "10％", "20文字/分", "-50点"};
        QTest::newRow("half a second") << 0.0f << 60.5f << 121 << 0 << 121
                                       << QStringList{"60.5秒", "0％", "120文字/分", "120点"};
        QTest::newRow("across midnight")
            << 86399.5f << 0.5f << 2 << 1 << 8 << QStringList{"1秒", "12％", "120文字/分", "36点"};
        QTest::newRow("no time") << 500.0f << 500.0f << 3 << 0 << 0
                                 << QStringList{"0.01秒", "0％", "18000文字/分", "18000点"};
        QTest::newRow("too fast to count") << 0.0f << 1.0f << 32767 << 0 << 32767
                                           << QStringList{"1秒", "0％", "32767文字/分", "32767点"};
    }
    void score()
    {
        QFETCH(float, start);
        QFETCH(float, finish);
        QFETCH(int, mojicnt);
        QFETCH(int, misscnt);
        QFETCH(int, inputcnt);
        QFETCH(QStringList, texts);
        const Score s =
            scoring::score(start, finish, qint16(mojicnt), qint16(misscnt), qint16(inputcnt));
        QCOMPARE((QStringList{s.timeText, s.missText, s.speedText, s.pointText}), texts);
        QCOMPARE(s.taketime, scoring::takeTime(start, finish));
    }
};

int runScoringTests(int argc, char** argv)
{
    ScoringTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_scoring.moc"

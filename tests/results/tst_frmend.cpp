#include "app/settingsstore.h"
#include "results/frmend.h"
#include "ui/barchart.h"
#include "ui/clock.h"
#include "ui/settingsmedium.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class FakeHost : public ResultsHost {
public:
    FinishedRun finishedRun() const override { return run; }
    int level() const override { return chosenLevel; }
    void setTaketime(float taketime) override { taketimes.append(taketime); }
    void restartFromResults() override { ++restarts; }
    void quitFromResults() override { ++quits; }
    void enableTimer1() override { ++timers; }

    FinishedRun run;
    int chosenLevel = 1;
    QList<float> taketimes;
    int restarts = 0;
    int quits = 0;
    int timers = 0;
};

// One program's worth of results window, with its store and host.
struct Rig {
    MemorySettingsMedium medium;
    SettingsStore store{medium};
    SettableClock clock;
    FakeHost host;
    frmend end{host, store, clock};

    // A new run of `seconds` from midnight, then the results window for it.
    void finishRun(float seconds, int mojicnt, int misscnt = 0, int inputcnt = 10)
    {
        host.run = {
            0.0f, seconds, qint16(mojicnt), qint16(misscnt), qint16(inputcnt), host.run.serial + 1};
        end.open();
    }
    void closeNow()
    {
        end.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    template <class T = QLabel> T* control(const QString& name) const
    {
        T* found = end.window()->findChild<T*>(name);
        if (!found) qFatal("no control %s", qPrintable(name));
        return found;
    }
    QString text(const QString& name) const { return control(name)->text(); }
    BarChart* chart() const { return control<BarChart>("chart"); }
    QStringList rowLabels() const
    {
        QStringList labels;
        for (int r = 1; r <= 10; ++r)
            labels << chart()->rowLabel(r);
        return labels;
    }
    QStringList panel() const
    {
        QStringList texts;
        for (int i = 0; i < 4; ++i)
            texts << text(QString("lbltokuten(%1)").arg(i)) << text(QString("lbldate(%1)").arg(i));
        return texts;
    }
    QStringList figures() const
    {
        return {text("lbltaketime"), text("lblmiss"), text("lblsokudo"), text("lblpoint")};
    }
};

BarChart::Table bothSeries(std::initializer_list<qint16> figures)
{
    BarChart::Table table{};
    int r = 0;
    for (qint16 figure : figures)
        table[r++] = {figure, figure};
    return table;
}

const QString noBest = "------";
const QString noDate = "----------";

} // namespace

class FrmendTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheRunAndRecordsBests()
    {
        Rig rig;
        rig.host.chosenLevel = 2;
        rig.finishRun(60.0f, 20, 1, 10);
        QCOMPARE(rig.end.window()->windowTitle(), QString("結果"));
        QCOMPARE(rig.figures(), (QStringList{"60秒", "10％", "20文字/分", "-50点"}));
        QCOMPARE(rig.text("lblsetumei"),
                 QString("終了しました。もう一度するにはキーボードのRを終了するにはQを"
                         "レベルを変更するにはLを押してください。"));
        QCOMPARE(rig.host.taketimes, QList<float>{60.0f});
        QCOMPARE(rig.chart()->title(), QString("最近10回の得点"));
        QCOMPARE(rig.end.chartmode(), 1);
        QCOMPARE(rig.panel(),
                 (QStringList{noBest, noDate, noBest, noDate, noBest, noDate, noBest, noDate}));
        rig.closeNow();

        rig.clock.date = "2026/12/07";
        rig.finishRun(60.0f, 120);
        QCOMPARE(rig.panel(), (QStringList{noBest, noDate, "120", "2026/12/07", noBest, noDate,
                                           noBest, noDate}));
        QCOMPARE(rig.store.read("maxtokuten", "2", ""), QString("120"));
        rig.closeNow();

        // No level chosen yet: the score counts in the history but as nobody's best.
        rig.host.chosenLevel = 0;
        rig.clock.date = "2026/12/08";
        const auto before = rig.medium.values.size();
        rig.finishRun(60.0f, 500);
        QCOMPARE(rig.text("lblpoint"), QString("500点"));
        QCOMPARE(rig.panel(), (QStringList{noBest, noDate, "120", "2026/12/07", noBest, noDate,
                                           noBest, noDate}));
        QCOMPARE(rig.medium.values.size(), before);
        QCOMPARE(rig.end.history().resultcnt(), qint16(3));
    }

    void rowLabelsCountBack()
    {
        Rig rig;
        for (int n = 1; n <= 3; ++n) {
            rig.finishRun(60.0f, 10 * n);
            if (n < 3) rig.closeNow();
        }
        QCOMPARE(rig.rowLabels(),
                 (QStringList{"2回前", "1回前", "今回", "", "", "", "", "", "", ""}));
        QCOMPARE(rig.chart()->data(), bothSeries({10, 20, 30}));
        rig.closeNow();

        for (int n = 4; n <= 12; ++n) {
            rig.finishRun(60.0f, 10 * n);
            if (n < 12) rig.closeNow();
        }
        QCOMPARE(rig.rowLabels(), (QStringList{"9回前", "8回前", "7回前", "6回前", "5回前", "4回前",
                                               "3回前", "2回前", "1回前", "今回"}));
        QCOMPARE(rig.chart()->data(), bothSeries({30, 40, 50, 60, 70, 80, 90, 100, 110, 120}));
    }

    void chartButtonsCycle()
    {
        Rig rig;
        rig.finishRun(60.0f, 100, 1, 4); // miss 25, speed 100, points -75
        rig.closeNow();
        rig.finishRun(60.0f, 120, 0, 5); // miss 0, speed 120, points 120
        QWidget* window = rig.end.window();
        QVERIFY(QTest::qWaitForWindowActive(window));
        auto* cmdtokuten = rig.control<QPushButton>("cmdtokuten");
        auto* cmdmiss = rig.control<QPushButton>("cmdmiss");
        auto* cmdsokudo = rig.control<QPushButton>("cmdsokudo");
        QCOMPARE(QApplication::focusWidget(), cmdmiss);
        QCOMPARE(rig.chart()->data(), bothSeries({-75, 120}));

        QTest::keyClick(cmdmiss, Qt::Key_Space);
        QCOMPARE(rig.end.chartmode(), 2);
        QCOMPARE(rig.chart()->title(), QString("最近10回のミス率"));
        QCOMPARE(rig.chart()->data(), bothSeries({25, 0}));
        QCOMPARE(QApplication::focusWidget(), cmdsokudo);

        QTest::keyClick(cmdsokudo, Qt::Key_Space);
        QCOMPARE(rig.end.chartmode(), 3);
        QCOMPARE(rig.chart()->title(), QString("最近10回の入力速度"));
        QCOMPARE(rig.chart()->data(), bothSeries({100, 120}));
        QCOMPARE(rig.rowLabels()[0], QString("1回前"));
        QCOMPARE(QApplication::focusWidget(), cmdtokuten);

        QTest::keyClick(cmdtokuten, Qt::Key_Space);
        QCOMPARE(rig.end.chartmode(), 1);
        QCOMPARE(rig.chart()->title(), QString("最近10回の得点"));
        QCOMPARE(rig.chart()->data(), bothSeries({-75, 120}));
        QCOMPARE(QApplication::focusWidget(), cmdmiss);

        // The chart already shown: the button does nothing and keeps the focus.
        QTest::mouseClick(cmdtokuten, Qt::LeftButton);
        QCOMPARE(rig.end.chartmode(), 1);
        QCOMPARE(QApplication::focusWidget(), cmdtokuten);

        // Tab order: cmdmiss, cmdsokudo, cmdtokuten.
        cmdmiss->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), cmdsokudo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), cmdtokuten);
    }

    void keys()
    {
        Rig rig;
        rig.finishRun(60.0f, 100);
        QVERIFY(QTest::qWaitForWindowActive(rig.end.window()));

        // Caps Lock: the capitals do nothing.
        for (char capital : {'R', 'L', 'Q'}) {
            QTest::keyClick(QApplication::focusWidget(), capital);
            QVERIFY(rig.end.isOpen());
            QCOMPARE(rig.host.restarts + rig.host.timers + rig.host.quits, 0);
        }

        QTest::keyClick(QApplication::focusWidget(), 'q');
        QCOMPARE(rig.host.quits, 1);
        QCOMPARE(rig.host.restarts + rig.host.timers, 0);

        QTest::keyClick(rig.control<QPushButton>("cmdsokudo"), 'r');
        QCOMPARE(rig.host.restarts, 1);
        QVERIFY(!rig.end.isOpen());
        QVERIFY(!rig.end.flglevel);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!rig.end.window());

        rig.finishRun(60.0f, 100);
        QTest::keyClick(rig.end.window(), 'l');
        QCOMPARE(rig.host.timers, 1);
        QVERIFY(rig.end.flglevel);
        QVERIFY(!rig.end.isOpen());
        QCOMPARE(rig.host.restarts, 1);
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!top->isVisible());
    }

    void aRunIsEnteredOnce()
    {
        Rig rig;
        rig.host.chosenLevel = 1;
        rig.finishRun(60.0f, 100, 1, 10); // points 30, a first best
        const QStringList figures = rig.figures();
        const QStringList panel = rig.panel();
        const auto stored = rig.medium.values;

        // Opening while open only brings the window forward.
        QWidget* window = rig.end.window();
        rig.end.open();
        QCOMPARE(rig.end.window(), window);
        rig.closeNow();

        rig.clock.date = "2026/12/31";
        rig.end.open(); // the same finished run again
        QCOMPARE(rig.end.history().resultcnt(), qint16(1));
        QCOMPARE(rig.medium.values, stored);
        QCOMPARE(rig.host.taketimes.size(), 1);
        QCOMPARE(rig.figures(), figures);
        QCOMPARE(rig.panel(), panel);
        QCOMPARE(rig.panel()[1], QString("2026/12/06"));
        QCOMPARE(rig.rowLabels()[0], QString("今回"));
        QCOMPARE(rig.chart()->data(), bothSeries({30}));
        rig.closeNow();

        rig.finishRun(60.0f, 100, 1, 10); // a new run with the same figures counts
        QCOMPARE(rig.end.history().resultcnt(), qint16(2));
        QCOMPARE(rig.chart()->data(), bothSeries({30, 30}));
    }
};

int runFrmendTests(int argc, char** argv)
{
    FrmendTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frmend.moc"

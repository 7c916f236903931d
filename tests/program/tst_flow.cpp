#include "tests/program/session.h"

#include "charts/barchart.h"
#include "dialogs/frmlevel.h"
#include "dialogs/frmoption.h"
#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "keyboard/keyboardwidgets.h"
#include "results/frmend.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList tiny{"ab", "c", "d", "e", "f", "g"};

// Types a whole block of single-line words from a fresh start.
void finishRun(Session& s, float from, float to)
{
    s.clock.seconds = from;
    s.type("ab");
    s.clock.seconds = to;
    s.type("cdef");
}

QLabel* resultLabel(Session& s, const char* name)
{
    return s.program->end->window()->findChild<QLabel*>(name);
}

} // namespace

class FlowTest : public QObject {
    Q_OBJECT
private slots:
    void blankLinesAreSkippedOrAskedAbout()
    {
        Session s;
        s.writeText("middle.txt", {"", "", "Hi", "x", "y"});
        s.begin();
        QCOMPARE(s.focused(), s.main().txtin(2));   // the first tick passes leading blank lines
        QCOMPARE(s.main().guide.Index, qint16(30)); // "H"
        // A block of blank lines asks to read again: Yes loads anew, No ends the program.
        s.writeText("middle.txt", {"", "", "", "", ""});
        s.messages.answers = {true, false};
        s.main().retry_Click();
        s.tick();
        QCOMPARE(s.messages.shown.size(), 1); // the timer waited while the question was open
        QCOMPARE(s.messages.shown[0].text,
                 QString("空白の行が続いています。もう一度読み直しますか？"));
        QVERIFY(s.messages.shown[0].question && s.main().isVisible());
        s.tick();
        QCOMPARE(s.messages.shown.size(), 2);
        QVERIFY(!s.messages.shown[1].nested && !s.main().isVisible());
    }

    void aMissingLevelFileLeavesTheWindowUsable()
    {
        Session s;
        s.writeText("middle.txt", tiny);
        s.begin(3); // advance.txt is missing
        QCOMPARE(s.messages.shown.size(), 1);
        QCOMPARE(s.messages.shown[0].text, QString("advance.txtファイルが見つかりません"));
        QCOMPARE(s.messages.shown[0].title, QString("エラー"));
        QVERIFY(!s.main().Timer1->isActive()); // no question about blank lines
        QVERIFY(s.main().isVisible());
        s.type("ab\b"); // refused without a count, a beep or a character in the box
        QCOMPARE(s.run().inputcnt, qint16(0));
        QCOMPARE(s.beep.count, 0);
        QVERIFY(s.main().txtin(0)->text().isEmpty());
        s.main().changeleve_Click();
        QVERIFY(s.program->level->isOpen());
        QTest::keyClicks(s.program->level->window()->Text1, "2");
        QTest::keyClick(s.program->level->window()->Text1, Qt::Key_Return);
        s.tick();
        s.type("ab");
        QCOMPARE(s.run().nowcnt, qint16(1));
    }

    void resultsThatCannotBeStoredAreReportedOnce()
    {
        Session s;
        s.writeText("middle.txt", tiny);
        s.settings.failWrites = true;
        s.begin();
        QVERIFY(s.messages.shown.isEmpty());
        finishRun(s, 0.0f, 30.0f);
        QApplication::processEvents(); // said once the results are on screen
        QCOMPARE(s.settings.syncs, 1); // the whole result written out together
        QCOMPARE(s.messages.shown.size(), 1);
        QCOMPARE(s.messages.shown[0].text, QString("dovanel.iniを書き込めません"));
        QCOMPARE(s.messages.shown[0].title, QString("エラー"));
        QCOMPARE(resultLabel(s, "lblsokudo")->text(), QString("12文字/分"));
        QTest::keyClick(s.program->end->window()->focusWidget(), 'r');
        s.tick();
        finishRun(s, 0.0f, 30.0f);
        QCOMPARE(s.program->end->history().resultcnt(), qint16(2));
        s.main().close();
        QCOMPARE(s.messages.shown.size(), 1); // once a program execution
    }

    void theResultsWindowScoresEachRunOnceChartsItAndTakesItsKeys()
    {
        Session s;
        s.writeText("middle.txt", tiny);
        s.begin(2);
        finishRun(s, 100.0f, 160.004f);
        QCOMPARE(resultLabel(s, "lbltaketime")->text(), QString("60秒"));
        QCOMPARE(resultLabel(s, "lblsokudo")->text(), QString("6文字/分"));
        QCOMPARE(s.settings.values.value("maxtokuten/2"), QString("6"));
        // The best-score panel: a row per level, this level's new best with today's date.
        QStringList panel;
        for (int level = 0; level < 4; ++level)
            panel << resultLabel(s, qPrintable(QString("lbltokuten(%1)").arg(level)))->text()
                  << resultLabel(s, qPrintable(QString("lbldate(%1)").arg(level)))->text();
        QCOMPARE(panel, (QStringList{"------", "----------", "6", "2026/12/06", "------",
                                     "----------", "------", "----------"}));

        // Closed and brought back by a key: the same run, not a second result or journal entry.
        s.program->end->close();
        s.type("z");
        QVERIFY(s.program->end->isOpen());
        QCOMPARE(s.program->end->history().resultcnt(), qint16(1));
        s.program->journal->settle();
        QCOMPARE(s.program->journal->runs(RunSet(2)).size(), 1);
        // The journal is a key away.
        QVERIFY(QTest::qWaitForWindowActive(s.program->end->window()));
        QTest::keyClick(s.program->end->window()->focusWidget(), Qt::Key_J, Qt::ControlModifier);
        QVERIFY(s.program->journalWindow->isOpen());
        s.program->journalWindow->close();

        // "R" (Caps Lock) does nothing, "r" starts a new block of the same level.
        QTest::keyClick(s.program->end->window()->focusWidget(), 'R', Qt::ShiftModifier);
        QTest::keyClick(s.program->end->window()->focusWidget(), 'r');
        QVERIFY(!s.program->end->isOpen());
        QVERIFY(s.main().txtin(0)->text().isEmpty());
        s.tick();
        s.type("x"); // a miss: 1 in 7 keys
        finishRun(s, 10.0f, 40.0f);

        // Ten rows from the first result on, labelled back from this one.
        auto* chart = s.program->end->window()->findChild<BarChart*>("chart");
        QCOMPARE(chart->categories().size(), 10);
        QCOMPARE(chart->rowLabel(1), QString("1回前"));
        QCOMPARE(chart->rowLabel(2), QString("今回"));
        QCOMPARE(chart->rowLabel(3), QString());
        // Each chart button shows its figure and hands the focus on; Enter presses it too.
        const auto button = [&s](const char* name) {
            return s.program->end->window()->findChild<QPushButton*>(name);
        };
        QVERIFY(QTest::qWaitForWindowActive(s.program->end->window()));
        QCOMPARE(QApplication::focusWidget(), button("cmdmiss"));
        QTest::keyClick(button("cmdmiss"), Qt::Key_Return);
        QCOMPARE(chart->title(), QString("最近10回のミス率"));
        QCOMPARE(chart->data()[1], (std::array<qint16, 2>{14, 14}));
        QCOMPARE(QApplication::focusWidget(), button("cmdsokudo"));
        QTest::keyClick(button("cmdsokudo"), Qt::Key_Space);
        QCOMPARE(chart->title(), QString("最近10回の入力速度"));
        QCOMPARE(QApplication::focusWidget(), button("cmdtokuten"));
        QTest::mouseClick(button("cmdsokudo"), Qt::LeftButton); // already shown: nothing
        QCOMPARE(s.program->end->chartmode(), int(frmend::SpeedChart));

        // "l": the level dialog opens at the next tick, not at once.
        QTest::keyClick(s.program->end->window()->focusWidget(), 'l');
        QVERIFY(!s.program->end->isOpen() && !s.program->level->isOpen());
        s.tick();
        QVERIFY(s.program->level->isOpen());
    }

    void optionsApplyAtOnceAndLastUntilTheNextRunUnlessStored()
    {
        Session s;
        s.writeText("middle.txt", {"a b", "c", "d", "e", "f"});
        s.begin();
        QTest::keyClick(s.main().txtin(0), Qt::Key_O, Qt::ControlModifier);
        OptionWindow* window = s.program->option->window();
        QVERIFY(window->chkspace->isChecked()); // a fresh store skips spaces
        window->chkspace->setChecked(false);
        window->chkcolor->setChecked(true);
        window->cmdok->click();
        QPushButton* tag = s.main().keyboard().cmdcolor();
        QCOMPARE(tag->text(), QString("A")); // shown at once, at the next character
        s.type("a");
        QCOMPARE(s.main().txtin(0)->text(), QString("a")); // the space is not filled in
        QCOMPARE(tag->text(), QString("SP"));
        // Not stored: the next run reads the store again, the colour flag stays in memory.
        s.main().retry_Click();
        QVERIFY(s.program->option->flgspace && tag->isVisibleTo(&s.main()));
        s.settings.values.insert("setting/skipspace", "0");
        s.main().retry_Click();
        QVERIFY(!s.program->option->flgspace);
    }
};

QTEST_MAIN(FlowTest)

#include "tst_flow.moc"

#include "tests/program/session.h"

#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "journal/journalchart.h"
#include "journal/journalstore.h"
#include "journal/runcolumns.h"
#include "journal/weakkeyboard.h"
#include "keyboard/keytable.h"
#include "results/frmend.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTableView>
#include <QTest>

class JournalFlowTest : public QObject {
    Q_OBJECT
private slots:
    void aRunIsJournalledAsTheResultsShowIt()
    {
        Session s;
        s.writeText("middle.txt", {"Ab", "c", "d", "e", "f", "g"});
        s.begin(2);
        QVERIFY(!QFile::exists(s.journalPath())); // nothing of the journal before a run ends
        s.clock.seconds = 100.0f;
        s.type("Axb");
        s.clock.seconds = 160.004f;
        s.type("cdef");
        QVERIFY(s.program->end->isOpen());

        JournalStore* store = s.program->journal->store();
        QVERIFY(store && store->runs(2).size() == 1);
        const RunFigures row = store->runs(2)[0];
        const auto shown = [&s](const char* name) {
            return s.program->end->window()->findChild<QLabel*>(name)->text();
        };
        const QStringList kept{
            QString::number(row.seconds) + "秒", QString::number(row.missRate) + "％",
            QString::number(row.speed) + "文字/分", QString::number(row.score) + "点"};
        QCOMPARE(kept, (QStringList{shown("lbltaketime"), shown("lblmiss"), shown("lblsokudo"),
                                    shown("lblpoint")}));
        QCOMPARE(row, (RunFigures{"2026-12-06T15:04:05+09:00", 2, 60.0, 6, 7, 1, 14, 6, -92}));
        QCOMPARE(store->recentTallies(2, 20).mid(0, 2),
                 (QList<CharTally>{{u'A', 1, 0}, {u'b', 1, 1}}));

        // The results brought back by a key show the same run; it is not kept twice.
        s.program->end->close();
        s.type("z");
        QVERIFY(s.program->end->isOpen());
        QCOMPARE(store->runs(2).size(), 1);

        // Ctrl+J from an input box opens the journal at the level being practised.
        s.program->end->close();
        QVERIFY(s.activate());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_J, Qt::ControlModifier);
        frmjournal& journal = *s.program->journalWindow;
        QVERIFY(journal.isOpen());
        JournalWindow* w = journal.window();
        QCOMPARE(w->cbolevel->currentText(), QString("中級"));
        QCOMPARE(w->cbolevel->count(), 4); // no choice for level 0 without such runs
        QCOMPARE(w->grdruns->model()->rowCount(), 1);
        QCOMPARE(w->grdruns->model()->index(0, runcolumns::Score).data().toString(),
                 QString("-92"));
        QCOMPARE(w->chart->speedPoints().size(), 1);
        QVERIFY(w->lblempty->isHidden());
        QCOMPARE(w->keyboard->keyFill(keyForCode('b')), QColor(Qt::red));
        QCOMPARE(w->keyboard->keyFill(keyForCode('c')), QColor(Qt::white));
        QCOMPARE(w->lblweak->text(), QString("b　100％（1/1）"));

        // Another level has nothing yet; Escape closes the window.
        journal.showLevel(4);
        QCOMPARE(w->grdruns->model()->rowCount(), 0);
        QVERIFY(w->lblempty->isVisible());
        QTest::keyClick(w, Qt::Key_Escape);
        QVERIFY(!journal.isOpen());
        QVERIFY(s.messages.shown.isEmpty());
    }
};

QTEST_MAIN(JournalFlowTest)

#include "tst_journal.moc"

#include "tests/program/session.h"

#include "journal/frmjournal.h"
#include "results/frmend.h"

#include <QLabel>
#include <QTest>

// The program without its chart library beside it.
class NoChartTest : public QObject {
    Q_OBJECT
private slots:
    void chartAreasSayTheChartIsMissing()
    {
        Session s;
        s.writeText("middle.txt", {"ab", "c", "d", "e", "f", "g"});
        s.begin();
        s.type("abcdef");
        auto* notice = s.program->end->window()->findChild<QLabel*>("chart");
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(notice->text(), QString("グラフを表示できません"));
        s.main().mnuToolsJournal_Click();
        QLabel* lblempty = s.program->journalWindow->window()->lblempty;
        QVERIFY(lblempty->isVisible());
        QCOMPARE(lblempty->text(), notice->text());
    }
};

QTEST_MAIN(NoChartTest)

#include "tst_nochart.moc"

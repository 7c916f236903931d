#include "tests/program/session.h"

#include "app/mainlayout.h"
#include "dialogs/frmlevel.h"
#include "dialogs/frmoption.h"
#include "keyboard/keyboardwidgets.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList middle{"Kyou wa hare.", "It is sunny.", "Ame ga furu.", "Good night.",
                         "Oyasumi nasai."};

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void startShowsTheIntermediateBlockWithFreshOptions()
    {
        Session s;
        s.writeText("middle.txt", middle);
        s.writeText("beginner.txt", {"asdf", "jkl;"});
        s.program->option->flgspace = false;
        s.program->option->flgcolor = true;
        s.start();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(s.main().lblin(i)->text(), middle[i]);
        QCOMPARE(s.main().guide.Index, qint16(32)); // "K", framed before the level is chosen
        // A fresh store switches skipping on and leaves the colour flag as it was.
        QVERIFY(s.program->option->flgspace && s.program->option->flgcolor);
        s.settings.values.insert("setting/color", "0");
        s.main().Form_Load();
        QVERIFY(!s.main().keyboard().cmdcolor()->isVisibleTo(&s.main()));

        // A shorter block leaves no line of the one before behind.
        s.program->level->level = 1;
        s.main().Form_Load();
        QVERIFY(s.run().linetext[2].isEmpty() && s.main().lblin(2)->text().isEmpty());
        QCOMPARE(s.run().mojicnt, qint16(8));

        // 165 twips, 11 px, a character over a whole line: the tag stays under the next one.
        const QString line = QStringLiteral("The quick brown fox; 1234 @[]:\\ ~|_ jumps over.");
        for (QWidget* w : std::initializer_list<QWidget*>{s.main().txtin(0), s.main().lblin(0)})
            QCOMPARE(QFontMetricsF(w->font()).horizontalAdvance(line), 11.0 * line.size());
    }

    void aDarkDesktopSchemeLeavesEveryCaptionReadable()
    {
        const QPalette light = QApplication::palette();
        QPalette dark = light;
        for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(40, 40, 40));
        for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, QColor(230, 230, 230));
        QApplication::setPalette(dark);
        {
            Session s;
            s.writeText("middle.txt", middle);
            s.begin();
            s.type("Ky");
            s.main().timercount_Timer();
            s.main().txtin(0)->clearFocus(); // the caret is not a caption
            // Controls with a light background of their own must write in a dark ink.
            KeyboardWidgets& keys = s.main().keyboard();
            for (QWidget* w :
                 {static_cast<QWidget*>(s.main().txtin(0)),
                  static_cast<QWidget*>(s.main().lbltime()), static_cast<QWidget*>(keys.cmd(25)),
                  static_cast<QWidget*>(keys.lblyubi(0))}) {
                const QImage image = w->grab().toImage();
                int ink = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        ink += qGray(image.pixel(x, y)) < 80;
                // A caption's strokes, not just the dark corners of a border.
                QVERIFY2(ink > 40, w->metaObject()->className());
            }
        }
        QApplication::setPalette(light);
    }

    void retryInMidRunResetsTheRunButKeepsTheTimeDisplay()
    {
        Session s;
        s.writeText("middle.txt", middle);
        s.begin();
        s.type("Kyoz");
        s.main().timercount_Timer();
        s.main().timercount_Timer();
        QCOMPARE(s.main().lbltime()->text(), QString("2"));
        s.main().txtin(3)->setFocus();
        s.main().retry_Click();
        QVERIFY(s.run().inputcnt == 0 && s.run().misscnt == 0 && s.run().pos == 1);
        QVERIFY(s.run().flgstart && s.run().timecnt == 1 && !s.main().timercount->isActive());
        QCOMPARE(s.main().lbltime()->text(), QString("2")); // until the new run's first second
        QVERIFY(s.main().txtin(0)->text().isEmpty() && s.main().Timer1->isActive());
        QCOMPARE(s.focused(), s.main().txtin(0));
    }

    void quittingClosesEverythingAndStoresThePlacementUnlessMinimised()
    {
        for (bool minimised : {false, true}) {
            Session s;
            s.writeText("middle.txt", middle);
            s.start();
            s.tick(); // the level dialog opens
            if (minimised) {
                s.main().setWindowState(Qt::WindowMinimized);
                s.main().close();
            } else {
                QVERIFY(s.activate());
                QTest::keyClick(s.main().txtin(0), Qt::Key_Q, Qt::ControlModifier);
            }
            QVERIFY(!s.main().isVisible() && !s.program->level->isOpen());
            // The outer bounds in twips; a minimised window stores nothing.
            const QString width = s.settings.values.value("settings/mainwidth");
            QCOMPARE(width, minimised ? QString()
                                      : QString::number(s.main().frameGeometry().width() * 15));
        }
    }
};

QTEST_MAIN(StartupTest)

#include "tst_startup.moc"

#include "tests/program/session.h"

#include "dialogs/frmoption.h"
#include "keyboard/keyboardwidgets.h"
#include "results/frmend.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QList<float> frameOf(const Frame& frame)
{
    QList<float> points;
    for (const FrameLine& l : frame.lines)
        points << l.X1 << l.Y1 << l.X2 << l.Y2 << l.visible;
    return points;
}

} // namespace

class TypingTest : public QObject {
    Q_OBJECT
private slots:
    void wrongKeysAreRefusedCountedAndBeeped()
    {
        Session s;
        s.writeText("middle.txt", {"Abc", "de", "f", "g", "h", "i"});
        s.begin();
        QCOMPARE(s.focused(), s.main().txtin(0));
        const QList<float> frame = frameOf(s.main().guide.moji);
        s.type("a"); // case matters
        QCOMPARE(s.run().misscnt, qint16(1));
        QCOMPARE(s.run().inputcnt, qint16(1));
        QCOMPARE(s.beep.count, 1);
        QVERIFY(s.main().timercount->isActive()); // a wrong first key starts the clock
        s.main().timercount_Timer();
        QCOMPARE(s.main().lbltime()->text(), QString("1"));
        QCOMPARE(s.run().pos, qint16(1));
        QVERIFY(s.main().txtin(0)->text().isEmpty());
        QCOMPARE(frameOf(s.main().guide.moji), frame);

        s.type("A");
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Escape})
            QTest::keyClick(s.main().txtin(0), key);
        QCOMPARE(s.main().txtin(0)->text(), QString("A"));
        QCOMPARE(s.run().misscnt, qint16(4));
        QCOMPARE(s.run().inputcnt, qint16(5));
        QCOMPARE(s.beep.count, 4);
    }

    void aLineWithOneMissMovesToTheNextLine()
    {
        Session s;
        s.writeText("middle.txt", {"xyz", "", "", "qq", "", "end"});
        s.begin();
        s.type("xyKz");
        QCOMPARE(s.main().txtin(0)->text(), QString("xyz"));
        QCOMPARE(s.run().inputcnt, qint16(4));
        QCOMPARE(s.run().misscnt, qint16(1));
        QCOMPARE(s.run().nowcnt, qint16(3));
        QCOMPARE(s.run().pos, qint16(1));
        QCOMPARE(s.focused(), s.main().txtin(3));
        QCOMPARE(s.main().guide.Index, qint16(13)); // "q"
        // The last line ends the run; its character stays in the box.
        s.clock.seconds = 42.0f;
        s.type("qq");
        QCOMPARE(s.run().nowcnt, qint16(5));
        QCOMPARE(s.main().txtin(3)->text(), QString("qq"));
        QVERIFY(s.run().flgresult);
        QCOMPARE(s.run().finish, 42.0f);
        QVERIFY(!s.main().timercount->isActive());
        QVERIFY(s.program->end->isOpen());
    }

    void aHeldKeyRepeatsButSkipsNoSpace()
    {
        Session s;
        s.writeText("middle.txt", {"1 1 1", "x", "y", "z", "w"});
        s.begin();
        QLineEdit* box = s.main().txtin(0);
        auto send = [box](QEvent::Type type, bool repeat) {
            QKeyEvent key(type, Qt::Key_1, Qt::NoModifier, "1", repeat);
            QApplication::sendEvent(box, &key);
        };
        // X11 sends a release before every repeated press while the key is held.
        send(QEvent::KeyPress, false);
        for (int repeat = 0; repeat < 3; ++repeat) {
            send(QEvent::KeyRelease, true);
            send(QEvent::KeyPress, true);
        }
        QCOMPARE(box->text(), QString("1"));
        QCOMPARE(s.run().misscnt, qint16(3)); // each repeat met the space
        send(QEvent::KeyRelease, false);
        QCOMPARE(box->text(), QString("1 ")); // letting go skips the one space
        QCOMPARE(s.run().pos, qint16(3));
        s.type("1");
        QCOMPARE(box->text(), QString("1 1 ")); // typed on after the filled-in space
    }

    void keysOfJisLayoutsAndTheTabAreJudgedAsTheTextHasThem()
    {
        Session s;
        s.writeText("middle.txt", {"\\~|\tb", "b", "c", "d", "e"});
        s.begin();
        QCOMPARE(s.main().guide.Index, qint16(12));
        // The yen sign and overline of some JIS layouts are the code page's backslash and tilde.
        s.type(QString(QChar(0x00A5)) + QChar(0x203E) + "|");
        QTest::keyClick(s.main().txtin(0), Qt::Key_Tab);
        QCOMPARE(s.run().misscnt, qint16(0));
        QCOMPARE(s.main().txtin(0)->text(), QString("\\~|\t"));
    }

    void clicksAndActivationGiveTheFocusBackToTheLine()
    {
        Session s;
        s.writeText("middle.txt", {"a", "bcd", "e", "f", "g"});
        s.begin();
        s.type("a");
        for (auto [name, button] : {std::pair{"left", Qt::LeftButton},
                                    {"right", Qt::RightButton},
                                    {"middle", Qt::MiddleButton}}) {
            QTest::mouseClick(s.main().txtin(3), button);
            QVERIFY2(s.focused() == s.main().txtin(1), name);
        }
        s.main().keyboard().cmd(20)->click();
        QCOMPARE(s.focused(), s.main().txtin(1));
        // Back from another window the line has the keyboard, wherever the focus was left.
        s.program->option->open();
        QVERIFY(QTest::qWaitForWindowActive(s.program->option->window()));
        s.main().txtin(4)->setFocus();
        s.program->option->close();
        QVERIFY(s.activate());
        QCOMPARE(QApplication::focusWidget(), s.main().txtin(1));
    }

    void onlyTypingPutsTextIntoABoxAndShortcutsWinOverIt()
    {
        Session s;
        s.writeText("middle.txt", {"abc", "b", "c", "d", "e"});
        s.begin();
        QLineEdit* box = s.main().txtin(0);
        QApplication::clipboard()->setText("abc");
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::mouseClick(box, Qt::MiddleButton);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, {5, 5},
                               box->mapToGlobal(QPoint(5, 5))); // no edit menu to paste from
        QApplication::sendEvent(box, &menu);
        QVERIFY(!QApplication::activePopupWidget());
        for (Qt::Key key : {Qt::Key_Shift, Qt::Key_Left, Qt::Key_F5, Qt::Key_Delete})
            QTest::keyClick(box, key); // typing nothing, judged not
        QVERIFY(box->text().isEmpty() && s.run().inputcnt == 0);

        s.type("ab");
        QTest::keyClick(box, Qt::Key_R, Qt::ControlModifier); // a new block, not a key
        QVERIFY(box->text().isEmpty() && s.run().inputcnt == 0);
        bool aboutOpened = false;
        QTimer::singleShot(0, [&] {
            aboutOpened = QApplication::activeModalWidget() != nullptr;
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        QTest::keyClick(box, Qt::Key_H, Qt::ControlModifier); // not the line edit's delete
        QVERIFY(aboutOpened && s.run().inputcnt == 0);
    }
};

QTEST_MAIN(TypingTest)

#include "tst_typing.moc"

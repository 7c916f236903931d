#include "dialogs/dialoghosts.h"
#include "dialogs/frmlevel.h"
#include "ui/messagebox.h"

#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

struct FakeLevelHost : LevelHost {
    void startLevelRun() override
    {
        ++runs;
        formOpenAtRun = form->isOpen();
        levelAtRun = form->level;
    }
    frmlevel* form = nullptr;
    int runs = 0;
    bool formOpenAtRun = false;
    int levelAtRun = -1;
};

// Keys for plain ASCII; anything else arrives the way an input method commits it.
void type(QWidget* target, const QString& text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() >= 0x20 && c.unicode() < 0x7f;
    if (ascii) return QTest::keyClicks(target, text);
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
}

} // namespace

class TestLevel : public QObject {
    Q_OBJECT
    ScriptedMessageBoxes messages;
    FakeLevelHost host;
    frmlevel* form = nullptr;
    QWidget* focused() const { return form->window()->focusWidget(); }

private slots:
    void init()
    {
        messages = {};
        host = {};
        form = new frmlevel(host, messages);
        host.form = form;
    }
    void cleanup()
    {
        delete form;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void windowAtOpening()
    {
        QCOMPARE(form->level, qint16(0));
        form->open();
        QCOMPARE(form->level, qint16(2)); // the first load picks the intermediate level
        LevelWindow* w = form->window();
        QCOMPARE(w->size(), QSize(364, 220)); // 5460 x 3300 twips
        QVERIFY(
            !(w->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        QVERIFY(!w->parentWidget() && !w->isModal());
        QCOMPARE(focused(), w->Text1);
        QVERIFY(w->Text1->text().isEmpty());
        QVERIFY(!w->cmdok->autoDefault() && !w->cmdok->isDefault());
        // Every label shows its whole text inside the window, the long fourth one included.
        for (QLabel* label : w->findChildren<QLabel*>()) {
            const QSize need = label->sizeHint();
            QVERIFY2(need.width() <= label->width() && need.height() <= label->height() &&
                         w->rect().contains(label->geometry()),
                     qPrintable(label->text()));
        }
    }

    void closingWithoutChoice_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("Escape") << true;
        QTest::newRow("close box") << false;
    }
    void closingWithoutChoice()
    {
        QFETCH(bool, byEscape);
        form->open();
        type(focused(), "3");
        if (byEscape)
            QTest::keyClick(focused(), Qt::Key_Escape);
        else
            form->window()->close();
        QVERIFY(!form->isOpen());
        QCOMPARE(form->level, qint16(2));
        QCOMPARE(host.runs, 0);
        QVERIFY(messages.shown.isEmpty());
    }

    void acceptedLevel_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("byButton");
        QTest::newRow("3 and Enter") << "3" << false;
        QTest::newRow("1 and Enter") << "1" << false;
        QTest::newRow("4 and OK") << "4" << true;
    }
    void acceptedLevel()
    {
        QFETCH(QString, typed);
        QFETCH(bool, byButton);
        form->open();
        type(focused(), typed);
        if (byButton)
            QTest::mouseClick(form->window()->cmdok, Qt::LeftButton);
        else
            QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(form->level, qint16(typed.toInt()));
        QVERIFY(!form->isOpen());
        // One run, started with the window gone and the level already set.
        QCOMPARE(host.runs, 1);
        QVERIFY(!host.formOpenAtRun);
        QCOMPARE(host.levelAtRun, typed.toInt());
        QVERIFY(messages.shown.isEmpty());
    }

    void refusedText_data()
    {
        QTest::addColumn<QString>("typed");
        for (const char* text : {"5", "0", "a", " 2", "2 ", "02", "12"})
            QTest::newRow(text) << QString::fromLatin1(text);
        QTest::newRow("full-width digit") << "２";
    }
    void refusedText()
    {
        QFETCH(QString, typed);
        form->open();
        type(focused(), typed);
        QCOMPARE(form->window()->Text1->text(), typed);
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(messages.shown[0].text, QStringLiteral("半角の数字の1から4を入力してください"));
        QCOMPARE(messages.shown[0].title, QStringLiteral("dovanel"));
        QVERIFY(!messages.shown[0].question);
        QVERIFY(form->isOpen());
        QCOMPARE(form->window()->Text1->text(), typed);
        QCOMPARE(focused(), form->window()->Text1);
        QCOMPARE(form->level, qint16(2));
        QCOMPARE(host.runs, 0);
    }

    void emptyEntryAsksForLevel()
    {
        form->open();
        QTest::mouseClick(form->window()->cmdok, Qt::LeftButton);
        QTest::keyClick(focused(), Qt::Key_Return);
        QCOMPARE(messages.shown.size(), 2);
        for (const auto& shown : messages.shown) {
            QCOMPARE(shown.text, QStringLiteral("レベルを選択してください"));
            QCOMPARE(shown.title, QStringLiteral("dovanel"));
        }
        QVERIFY(form->isOpen());
        QCOMPARE(host.runs, 0);
    }

    void reopening()
    {
        form->open();
        QPointer<LevelWindow> first = form->window();
        type(focused(), "4");
        form->level = 0; // a second load would turn this into 2
        form->open();
        QCOMPARE(form->window(), first.data());
        QCOMPARE(first->Text1->text(), QStringLiteral("4"));
        QCOMPARE(form->level, qint16(0));

        // Closed, the controls are discarded; the next opening starts empty.
        form->close();
        QVERIFY(!form->isOpen() && !form->window());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());
        form->level = 3;
        form->open();
        QVERIFY(form->window()->Text1->text().isEmpty());
        QCOMPARE(form->level, qint16(3));
    }
};

int runLevelTests(int argc, char** argv)
{
    TestLevel t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_frmlevel.moc"

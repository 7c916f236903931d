#include "dialogs/dialoghosts.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmlevel.h"
#include "dialogs/frmoption.h"
#include "dialogs/supportpage.h"
#include "tests/support/doubles.h"
#include "ui/browser.h"
#include "ui/fonts.h"
#include "ui/messagebox.h"
#include "ui/settingsmedium.h"
#include "ui/settingsstore.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Plain ASCII as keys; anything else as a key whose layout types it.
void type(QWidget* target, const QString& text)
{
    if (text.toLatin1() == text.toUtf8()) return QTest::keyClicks(target, text);
    QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, text, Qt::NoModifier);
}

bool labelsFit(QWidget* w) // every label shows its whole text inside the window
{
    for (QLabel* l : w->findChildren<QLabel*>()) {
        const QSize need = l->wordWrap() ? QSize(0, l->heightForWidth(l->width())) : l->sizeHint();
        if (need.width() > l->width() || need.height() > l->height() ||
            !w->rect().contains(l->geometry()))
            return false;
    }
    return true;
}

} // namespace

class TestDialogs : public QObject, LevelHost, OptionHost {
    Q_OBJECT
    ScriptedMessageBoxes messages;
    RecordingBrowser browser;
    MemorySettingsMedium medium;
    SettingsStore store{medium};
    frmlevel* level = nullptr;
    int runs = 0, ranLevel = -1;
    bool ranOpen = false;
    QList<bool> applied;

    void startLevelRun() override { ++runs, ranOpen = level->isOpen(), ranLevel = level->level; }
    void applyColourTag(bool show) override { applied.append(show); }

    // Runs `whileOpen` inside the modal About box, then closes it unless that did; false when
    // the box stayed open and the watchdog had to close it.
    bool runAbout(frmAbout& form, QWidget* owner,
                  const std::function<void(AboutWindow*)>& whileOpen)
    {
        QObject guard; // the timers end with this call
        bool stuck = false;
        QTimer::singleShot(5000, &guard, [&] { stuck = true, form.close(); });
        QTimer::singleShot(0, &guard, [&] { whileOpen(form.window()), form.close(); });
        form.open(owner);
        return !stuck && !form.isOpen();
    }

private slots:
    void initTestCase() { fonts::installSubstitutions(); } // the real fonts' widths
    void init()
    {
        messages.shown.clear(), browser = {}, medium = {}, applied = {};
        runs = 0, ranLevel = -1, ranOpen = false;
    }

    void levelEntry_data()
    {
        // How the entry is confirmed: a key, the OK button (0) or the close box (-1).
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("message");
        const int enter = Qt::Key_Return;
        QTest::addRow("Enter") << "3" << enter << 3 << "";
        QTest::addRow("OK") << "4" << 0 << 4 << "";
        QTest::addRow("Escape") << "3" << int(Qt::Key_Escape) << 2 << "";
        QTest::addRow("close box") << "3" << -1 << 2 << "";
        QTest::addRow("nothing typed") << "" << 0 << 2 << "レベルを選択してください";
        for (const char* text : {"5", "0", "a", " 2", "2 ", "02", "12", "２"})
            QTest::addRow("refused '%s'", text)
                << text << enter << 2 << "半角の数字の1から4を入力してください";
    }
    void levelEntry()
    {
        QFETCH(QString, typed);
        QFETCH(int, how);
        QFETCH(int, chosen);
        QFETCH(QString, message);
        frmlevel form(*this, messages);
        level = &form;
        form.open();
        LevelWindow* w = form.window();
        type(w->Text1, typed);
        if (how == 0)
            QTest::mouseClick(w->cmdok, Qt::LeftButton);
        else if (how == -1)
            w->close();
        else
            QTest::keyClick(w->focusWidget(), Qt::Key(how));
        QCOMPARE(form.level, qint16(chosen));
        // Refused: open, entry kept. Accepted: one run, window gone and level set first.
        QCOMPARE(form.isOpen(), !message.isEmpty());
        QCOMPARE(messages.shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(messages.shown[0].text, message);
            QCOMPARE(w->Text1->text(), typed);
        }
        QCOMPARE(runs, chosen == 2 ? 0 : 1);
        QVERIFY(!ranOpen);
        QCOMPARE(ranLevel, chosen == 2 ? -1 : chosen);
    }

    void levelOpening()
    {
        frmlevel form(*this, messages);
        QCOMPARE(form.level, qint16(0));
        form.open();
        QCOMPARE(form.level, qint16(2)); // the first load picks the intermediate level
        QPointer<LevelWindow> w = form.window();
        QVERIFY(!w->parentWidget() && !w->isModal());
        QCOMPARE(w->focusWidget(), w->Text1);
        QVERIFY(labelsFit(w));
        type(w->Text1, "4");
        form.level = 0; // a second load would turn this into 2
        form.open();    // while open: the same window, as it was
        QCOMPARE(form.window(), w.data());
        QCOMPARE(w->Text1->text(), QStringLiteral("4"));
        QCOMPARE(form.level, qint16(0));
        form.close(); // closed, the controls go; the next opening starts empty
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
        form.open();
        QVERIFY(form.window()->Text1->text().isEmpty());
    }

    void optionClosing_data()
    {
        // Named for the button clicked or the key.
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("stored");
        QTest::addRow("cmdok") << true << false;
        QTest::addRow("Enter") << true << false;
        QTest::addRow("Enter on Cancel") << true << false; // the form sees Enter first
        QTest::addRow("cmdset") << true << true;
        QTest::addRow("cmdcnacel") << false << false;
        QTest::addRow("Escape") << false << false;
        QTest::addRow("close box") << false << false;
    }
    void optionClosing()
    {
        QFETCH(bool, accepted);
        QFETCH(bool, stored);
        frmoption form(*this, store);
        form.flgcolor = true;
        form.open();
        OptionWindow* w = form.window();
        QTest::keyClick(w->focusWidget(), Qt::Key_Space); // unticks chkcolor, which has the focus
        QTest::keyClick(w->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(w->focusWidget(), Qt::Key_Space); // ticks chkspace
        const QString how = QTest::currentDataTag();
        if (how == "Enter on Cancel") w->cmdcnacel->setFocus();
        if (auto* button = w->findChild<QPushButton*>(how))
            QTest::mouseClick(button, Qt::LeftButton);
        else if (how == "close box")
            w->close();
        else
            QTest::keyClick(w->focusWidget(), how == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
        QVERIFY(!form.isOpen());
        QCOMPARE(form.flgcolor, !accepted);
        QCOMPARE(form.flgspace, accepted);
        QCOMPARE(applied, accepted ? QList<bool>{false} : QList<bool>{});
        QCOMPARE(store.read("SETTING", "SkipSpace", "none"), stored ? "1" : "none");
        QCOMPARE(store.read("setting", "COLOR", "none"), stored ? "0" : "none");
    }

    void aboutBox()
    {
        QWidget owner;
        owner.show();
        frmAbout form(browser, messages);
        QString caption[2], shown[2];
        for (int i = 0; i < 2; ++i) {
            browser.succeeds = i == 0; // the second time no browser starts
            QVERIFY(runAbout(form, &owner, [&](AboutWindow* w) {
                caption[i] = w->lblDescription->caption();
                shown[i] = w->lblDescription->text();
                QCOMPARE(w->lblVersion->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.0"));
                QVERIFY(w->isModal() && w->parentWidget() == &owner);
                QCOMPARE(w->focusWidget(), w->cmdOK);
                QVERIFY(labelsFit(w));
                // The box shows the very page a click opens, if need be without its middle.
                const QString page = supportpage::address().toLocalFile();
                const QStringList ends = w->Label1->text().split(QChar(0x2026));
                QVERIFY(page.startsWith(ends.first()) && page.endsWith(ends.last()));
                QCOMPARE(w->Label1->toolTip(), page);
                QTest::mouseClick(w->Label1, Qt::LeftButton);
                QVERIFY(form.isOpen()); // the link leaves the box open
                QTest::keyClick(w->focusWidget(), i == 0 ? Qt::Key_Return : Qt::Key_Escape);
                QVERIFY(!form.isOpen());
            }));
        }
        // Built once per opening: each sentence once, each part on its own line.
        const QString design = "ｱﾌﾟﾘｹｰｼｮﾝの説明", first = "キーボードの練習ソフトです",
                      second =
                          "サーポートは以下のアドレスで受け付けます。バグの報告はありがたいです。";
        QCOMPARE(caption[0], design + "\n\n\r" + first + "\n\r" + second);
        QCOMPARE(caption[1], caption[0]);
        QCOMPARE(shown[1], shown[0]);
        QCOMPARE(shown[0].split('\n'), (QStringList{design, QString(), first, second}));

        const QUrl page = supportpage::address();
        QCOMPARE(browser.opened, (QList<QUrl>{page, page}));
        QCOMPARE(messages.shown.size(), 1); // the failed launch only
        QVERIFY(messages.shown[0].text.startsWith("ブラウザーを起動できませんでした。"));
        QVERIFY(messages.shown[0].text.contains(page.toLocalFile()));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"

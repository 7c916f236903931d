#include "dialogs/frmabout.h"
#include "dialogs/supportpage.h"
#include "ui/browser.h"
#include "ui/messagebox.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

class TestAbout : public QObject {
    Q_OBJECT
    RecordingBrowser browser;
    ScriptedMessageBoxes messages;
    frmAbout* form = nullptr;
    QWidget* owner = nullptr;

    // Opens the modal box and runs `whileOpen` inside it, then closes it when asked. False
    // when the box was still open and the watchdog had to close it.
    bool runOpen(const std::function<void(AboutWindow*)>& whileOpen, bool closeAfter = true)
    {
        bool watchdogFired = false;
        QTimer watchdog; // ends with this call, so it never outlives what it uses
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [&] {
            watchdogFired = true;
            form->close();
        });
        watchdog.start(5000);
        QTimer::singleShot(0, [&] {
            whileOpen(form->window());
            if (closeAfter) form->close();
        });
        form->open(owner);
        return !watchdogFired && !form->isOpen();
    }

private slots:
    void init()
    {
        browser = {};
        messages = {};
        form = new frmAbout(browser, messages);
        owner = new QWidget;
        owner->setGeometry(100, 80, 900, 700);
        owner->show();
    }
    void cleanup()
    {
        delete form;
        delete owner;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void identityAndFrame()
    {
        QString title, version, heading;
        bool modalOverOwner = false, maximisable = true, okHasFocus = false;
        QSize size;
        QPoint offCentre;
        QStringList cutOff;
        QVERIFY(runOpen([&](AboutWindow* w) {
            title = w->windowTitle();
            version = w->lblVersion->text();
            heading = w->lblTitle->text();
            modalOverOwner = w->isModal() && w->parentWidget() == owner;
            maximisable =
                w->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
            size = w->size();
            offCentre = w->geometry().center() - owner->geometry().center();
            okHasFocus = w->focusWidget() == w->cmdOK && w->cmdOK->isDefault();
            for (QLabel* label : w->findChildren<QLabel*>()) {
                const QSize need =
                    label->wordWrap() ? QSize(label->width(), label->heightForWidth(label->width()))
                                      : label->sizeHint();
                if (need.width() > label->width() || need.height() > label->height() ||
                    !w->rect().contains(label->geometry()))
                    cutOff.append(label->objectName());
            }
        }));
        QCOMPARE(title, QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報 dovanel"));
        QCOMPARE(version, QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.0"));
        QCOMPARE(heading, QStringLiteral("dovanel"));
        QVERIFY(modalOverOwner);
        QVERIFY(!maximisable);
        QCOMPARE(size, QSize(372, 235)); // 5580 x 3525 twips
        QVERIFY(offCentre.manhattanLength() <= 4);
        QVERIFY(okHasFocus);
        QCOMPARE(cutOff, QStringList());
    }

    void descriptionIsBuiltOncePerOpening()
    {
        const QString design = QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明");
        const QString first = QStringLiteral("キーボードの練習ソフトです");
        const QString second = QStringLiteral(
            "サーポートは以下のアドレスで受け付けます。バグの報告はありがたいです。");
        QString caption[2], shown[2];
        for (int i = 0; i < 2; ++i) {
            QVERIFY(runOpen([&](AboutWindow* w) {
                caption[i] = w->lblDescription->caption();
                shown[i] = w->lblDescription->text();
            }));
        }
        QCOMPARE(caption[0], design + "\n\n\r" + first + "\n\r" + second);
        QCOMPARE(caption[1], caption[0]);
        QCOMPARE(shown[1], shown[0]);
        // Each part on its own line, a blank line after the design text, no CR left over.
        QCOMPARE(shown[0].split('\n'), (QStringList{design, QString(), first, second}));
    }

    void link_data()
    {
        QTest::addColumn<bool>("launches");
        QTest::newRow("browser starts") << true;
        QTest::newRow("no browser") << false;
    }
    void link()
    {
        QFETCH(bool, launches);
        browser.succeeds = launches;
        bool stillOpen = false;
        QVERIFY(runOpen([&](AboutWindow* w) {
            QTest::mouseClick(w->Label1, Qt::LeftButton);
            stillOpen = form->isOpen();
        }));
        QVERIFY(stillOpen);
        const QUrl page = supportpage::address();
        QVERIFY(page.isLocalFile());
        QCOMPARE(browser.opened, QList<QUrl>{page});
        QCOMPARE(messages.shown.size(), launches ? 0 : 1);
        if (!launches) {
            QVERIFY(messages.shown[0].text.startsWith(
                QStringLiteral("ブラウザーを起動できませんでした。")));
            QVERIFY(messages.shown[0].text.contains(page.toLocalFile()));
            QCOMPARE(messages.shown[0].title, QStringLiteral("dovanel"));
        }
    }

    void closingKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }
    void closingKeys()
    {
        QFETCH(int, key);
        bool closedByKey = false;
        QVERIFY(runOpen(
            [&](AboutWindow* w) {
                QTest::keyClick(w->focusWidget(), Qt::Key(key));
                closedByKey = !form->isOpen();
            },
            false));
        QVERIFY(closedByKey);
        QVERIFY(browser.opened.isEmpty());
    }
};

int runAboutTests(int argc, char** argv)
{
    TestAbout t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_frmabout.moc"

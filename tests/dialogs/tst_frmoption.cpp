#include "app/settingsstore.h"
#include "dialogs/dialoghosts.h"
#include "dialogs/frmoption.h"
#include "ui/settingsmedium.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace {

struct FakeOptionHost : OptionHost {
    void applyColorTag(bool show) override { calls.append(show); }
    QList<bool> calls;
};

// Keeps the order of the writes.
struct RecordingMedium : MemorySettingsMedium {
    void setValue(const QString& section, const QString& key, const QString& text) override
    {
        written.append(key);
        MemorySettingsMedium::setValue(section, key, text);
    }
    QStringList written;
};

} // namespace

class TestOption : public QObject {
    Q_OBJECT
    FakeOptionHost host;
    RecordingMedium medium;
    SettingsStore store{medium};
    frmoption* form = nullptr;
    OptionWindow* w() const { return form->window(); }
    QWidget* focused() const { return form->window()->focusWidget(); }

private slots:
    void init()
    {
        host = {};
        medium = {};
        form = new frmoption(host, store);
    }
    void cleanup()
    {
        delete form;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void windowAtOpening()
    {
        QVERIFY(!form->flgcolor && !form->flgspace);
        form->open();
        QCOMPARE(w()->size(), QSize(312, 140)); // 4680 x 2100 twips
        QVERIFY(!w()->parentWidget() && !w()->isModal());
        for (QPushButton* b : {w()->cmdok, w()->cmdcnacel, w()->cmdset})
            QVERIFY(!b->autoDefault() && !b->isDefault());
        QCOMPARE(focused(), w()->chkcolor);
        for (QCheckBox* c : {w()->chkcolor, w()->chkspace}) {
            const QSize need = c->sizeHint();
            QVERIFY2(need.width() <= c->width() && need.height() <= c->height() &&
                         w()->rect().contains(c->geometry()),
                     qPrintable(c->text()));
        }
    }

    void loadTicksFromFlags()
    {
        for (int flags = 0; flags < 4; ++flags) {
            form->flgcolor = flags & 1;
            form->flgspace = flags & 2;
            form->open();
            QCOMPARE(w()->chkcolor->isChecked(), bool(flags & 1));
            QCOMPARE(w()->chkspace->isChecked(), bool(flags & 2));
            form->close();
        }
        QVERIFY(host.calls.isEmpty()); // opening and closing apply nothing
    }

    void okAppliesWithoutStoring_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"OK button", "Enter in a check box", "Enter on Cancel"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void okAppliesWithoutStoring()
    {
        QFETCH(QString, how);
        form->flgcolor = true;
        form->open();
        QTest::keyClick(focused(), Qt::Key_Space); // unticks chkcolor, which has the focus
        QTest::keyClick(focused(), Qt::Key_Tab);
        QTest::keyClick(focused(), Qt::Key_Space); // ticks chkspace
        if (how == "OK button") {
            QTest::mouseClick(w()->cmdok, Qt::LeftButton);
        } else {
            // The form sees Enter first, whichever control has the focus.
            if (how == "Enter on Cancel") w()->cmdcnacel->setFocus();
            QTest::keyClick(focused(), Qt::Key_Return);
        }
        QVERIFY(!form->isOpen());
        QVERIFY(!form->flgcolor && form->flgspace);
        QCOMPARE(host.calls, QList<bool>{false});
        QVERIFY(medium.written.isEmpty());
    }

    void setAppliesAndStores_data()
    {
        QTest::addColumn<bool>("color");
        QTest::addColumn<QString>("colorText");
        QTest::addColumn<QString>("spaceText");
        QTest::newRow("colour ticked") << true << "1"
                                       << "0";
        QTest::newRow("space ticked") << false << "0"
                                      << "1";
    }
    void setAppliesAndStores()
    {
        QFETCH(bool, color);
        QFETCH(QString, colorText);
        QFETCH(QString, spaceText);
        form->open();
        QTest::mouseClick(color ? w()->chkcolor : w()->chkspace, Qt::LeftButton);
        QTest::mouseClick(w()->cmdset, Qt::LeftButton);
        QVERIFY(!form->isOpen());
        QCOMPARE(form->flgcolor, color);
        QCOMPARE(form->flgspace, !color);
        QCOMPARE(host.calls, QList<bool>{color});
        QCOMPARE(store.read("SETTING", "SkipSpace", QString()), spaceText);
        QCOMPARE(store.read("setting", "COLOR", QString()), colorText);
        QCOMPARE(medium.written, (QStringList{"skipspace", "color"}));
    }

    void cancelChangesNothing_data()
    {
        QTest::addColumn<QString>("how");
        for (const char* how : {"Cancel", "Escape", "close box"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void cancelChangesNothing()
    {
        QFETCH(QString, how);
        form->flgspace = true;
        form->open();
        QTest::mouseClick(w()->chkcolor, Qt::LeftButton);
        QTest::mouseClick(w()->chkspace, Qt::LeftButton);
        if (how == "Cancel") {
            QTest::mouseClick(w()->cmdcnacel, Qt::LeftButton);
        } else if (how == "Escape") {
            QTest::keyClick(focused(), Qt::Key_Escape);
        } else {
            w()->close();
        }
        QVERIFY(!form->isOpen());
        QVERIFY(!form->flgcolor && form->flgspace);
        QVERIFY(host.calls.isEmpty());
        QVERIFY(medium.written.isEmpty());
    }

    void boxesAreSetOnlyAtOpening()
    {
        form->open();
        OptionWindow* first = w();
        form->flgcolor = true;
        form->open();
        QCOMPARE(w(), first);
        QVERIFY(!w()->chkcolor->isChecked());
        form->close();
        form->open();
        QVERIFY(w()->chkcolor->isChecked());
    }
};

int runOptionTests(int argc, char** argv)
{
    TestOption t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_frmoption.moc"

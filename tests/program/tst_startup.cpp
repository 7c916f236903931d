#include "tests/program/session.h"
#include "tests/support/namedrow.h"

#include "app/mainlayout.h"
#include "dialogs/frmlevel.h"
#include "dialogs/frmoption.h"
#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "keyboard/keyboardwidgets.h"
#include "results/frmend.h"

#include <QComboBox>
#include <QFile>
#include <QFontMetricsF>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QUrl>

namespace {

const QStringList middle{"Kyou wa hare.", "It is sunny.", "Ame ga furu.", "Good night.",
                         "Oyasumi nasai."};

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QStringList shownLines(Session& s)
{
    QStringList lines;
    for (int i = 0; i < blockLines; ++i)
        lines << s.main().lblin(i)->text();
    return lines;
}

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
        QCOMPARE(shownLines(s), middle);
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
        QCOMPARE(QFontMetricsF(s.main().txtin(0)->font()).horizontalAdvance(line),
                 11.0 * line.size());
        QCOMPARE(QFontMetricsF(s.main().lblin(0)->font()).horizontalAdvance(line),
                 11.0 * line.size());
    }

    void aTextFromTheCommandLineIsPractisedUntilALevelIsChosen()
    {
        // English, full-width letters and a kanji line, in UTF-8, elsewhere than the levels.
        QTemporaryDir texts;
        const QString notes = texts.filePath("notes.txt");
        writeBytes(notes, "Hello there\n\xEF\xBC\xA1\xEF\xBC\xA2 c\n\xE6\x97\xA5\n");
        const QStringList block{"Hello there", "AB c", "", "", ""};
        QMap<QString, QString> stored;
        {
            Session s;
            s.program->level->level = 3; // as when a text is opened after a level
            s.start(notes);
            QCOMPARE(shownLines(s), block);
            QCOMPARE(s.main().windowTitle(), QString("notes.txt - dovanel"));
            s.tick();
            QVERIFY(!s.program->level->isOpen());
            QCOMPARE(s.messages.shown.size(), 1);
            QVERIFY(s.messages.shown[0].text.contains(u" 1 行"));
            s.type("HellothereABc");
            // Scored and charted as usual, with no level and so no best.
            QVERIFY(s.program->end->isOpen());
            QCOMPARE(s.program->end->history().resultcnt(), qint16(1));
            QCOMPARE(s.main().level(), 0);
            for (const QString& key : s.settings.values.keys())
                QVERIFY2(!key.startsWith("maxtokuten"), qPrintable(key));
            stored = s.settings.values;
            // Kept as a run of the text, by its name, which the journal opens on.
            QTest::keyClick(s.program->end->window(), Qt::Key_J, Qt::ControlModifier);
            JournalWindow* journal = s.program->journalWindow->window();
            QCOMPARE(journal->cbolevel->currentText(), QString("notes.txt"));
            QCOMPARE(journal->grdruns->model()->rowCount(), 1);
            QCOMPARE(s.program->journal->runs(RunSet(0)).size(), 0);
        }
        {
            // The next start continues with it; a file that cannot be opened keeps the block, a
            // dropped file replaces it, and a level chosen forgets the text.
            Session s;
            s.writeText("middle.txt", middle);
            s.settings.values = stored;
            s.start();
            QCOMPARE(shownLines(s), block);
            s.main().openText(texts.filePath("missing.txt"));
            QCOMPARE(s.messages.shown.last().text, QString("missing.txt が見つかりません。"));
            QCOMPARE(shownLines(s), block);
            writeBytes(texts.filePath("other.txt"), "one\ntwo\nthree\nfour\nfive\nsix\n");
            QMimeData file;
            file.setUrls({QUrl::fromLocalFile(texts.filePath("other.txt"))});
            QDragEnterEvent enter({1, 1}, Qt::CopyAction, &file, Qt::LeftButton, {});
            QApplication::sendEvent(&s.main(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop({1, 1}, Qt::CopyAction, &file, Qt::LeftButton, {});
            QApplication::sendEvent(&s.main(), &drop);
            s.tick();
            QCOMPARE(s.main().lblin(4)->text(), QString("five"));
            s.program->level->level = 2;
            s.main().startLevelRun();
            QCOMPARE(shownLines(s), middle);
            QVERIFY(s.settings.values.value("text/path").isEmpty());
            QCOMPARE(s.main().level(), 2);
        }
        // Gone by the next start: the level dialog asks, with nothing to say about it.
        QVERIFY(QFile::remove(notes));
        Session s;
        s.writeText("middle.txt", middle);
        s.settings.values = stored;
        s.start();
        s.tick();
        QVERIFY(s.program->level->isOpen() && s.messages.shown.isEmpty());
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
            const QString how = minimised ? "minimised" : "Ctrl+Q";
            QVERIFY2(!s.main().isVisible() && !s.program->level->isOpen(), qPrintable(how));
            // The outer width in twips: 1016 pixels inside and the offscreen platform's frame of
            // two either side, 15 twips each. A minimised window stores nothing.
            QCOMPARE(namedRow(how, s.settings.values.value("settings/mainwidth")),
                     namedRow(how, QString(minimised ? "" : "15300")));
        }
    }
};

QTEST_MAIN(StartupTest)

#include "tst_startup.moc"

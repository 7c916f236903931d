#include "tests/program/session.h"

#include "app/mainlayout.h"
#include "dialogs/frmlevel.h"
#include "journal/journal.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QFile>
#include <QTest>

Session::Session()
{
    fonts::installSubstitutions(); // the real fonts' widths
    // A user reads a box for a while: every timer's interval passes meanwhile.
    messages.whileOpen = [this] { tickers.elapseAll(); };
    program = std::make_unique<Program>(
        platform, dir.path(), JournalPlaces{journalPath(), dir.filePath(QStringLiteral("config"))});
}

void Session::tick()
{
    tickers.elapse(mainlayout::timer1Interval);
    QApplication::processEvents(); // ticks that waited for a message box
}

Session::~Session()
{
    program.reset();
    QApplication::processEvents();
}

QString Session::journalPath() const
{
    return dir.filePath(QStringLiteral("data-home/dovanel/journal.sqlite"));
}

void Session::writeText(const QString& name, const QStringList& lines)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(name));
    for (const QString& line : lines)
        file.write(line.toLatin1() + "\r\n");
}

void Session::start(const QString& textFile)
{
    program->start(textFile);
    if (!activate()) qWarning("main window not active");
}

void Session::begin(int level)
{
    start();
    tick(); // opens the level dialog
    program->level->close();
    program->level->level = qint16(level);
    main().startLevelRun();
    tick();
    if (!activate()) qWarning("main window not active");
}

QWidget* Session::focused() const
{
    return main().focusWidget();
}

void Session::type(const QString& text)
{
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : focused();
        if (c.unicode() < 128 && c.isPrint())
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

bool Session::activate()
{
    main().activateWindow();
    return QTest::qWaitForWindowActive(&main());
}

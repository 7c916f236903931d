#include "app/program.h"
#include "charts/resultschart.h"
#include "journal/journal.h"
#include "ui/beep.h"
#include "ui/browser.h"
#include "ui/clock.h"
#include "ui/fonts.h"
#include "ui/keyrepeat.h"
#include "ui/messagebox.h"
#include "ui/programidentity.h"
#include "ui/randomsource.h"
#include "ui/settingsmedium.h"
#include "ui/ticker.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

// The program's start: the levels' practice texts are found by bare name in the working
// directory; a text file may be named after the program (what QApplication left of the
// arguments), as a file manager's "open with" does.
int main(int argc, char* argv[])
{
    // No desktop-wide menu bar: the window's own menu is part of its design.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);
    QApplication::setApplicationName(identity::title);
    QApplication::setOrganizationName(identity::title);
    QApplication::setApplicationVersion(identity::versionText());
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.dovanel"));
    fonts::installSubstitutions();
    keyrepeat::releaseOnlyWhenLetGo();

    SystemClock clock;
    SoundBeep beep;
    QtMessageBoxes messages;
    DesktopBrowser browser;
    SystemRandom random;
    IniSettingsMedium settings;
    QtTickers tickers(messages);
    Platform platform{clock, beep, messages, browser, random, settings, tickers};

    Program program(platform, QDir::currentPath(), JournalPlaces::standard());
    const QStringList arguments = QApplication::arguments();
    program.start(arguments.size() > 1 ? arguments.at(1) : QString());
    // Long before the learner can finish a block, and after the first screen is up.
    QTimer::singleShot(1000, [] { ResultsChart::warmUp(); });
    return app.exec();
}

#include "app/program.h"

#include "app/mainwindow.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmlevel.h"
#include "dialogs/frmoption.h"
#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "results/frmend.h"
#include "ui/clock.h"
#include "ui/placement.h"

Program::Program(Platform& p, const QString& dir, const QString& journalPath)
    : platform(p), store(p.settings), directory(dir)
{
    journal = std::make_unique<Journal>(journalPath, platform.messages);
    journalWindow = std::make_unique<frmjournal>(*journal, platform.messages);
    main = std::make_unique<mainwindow>(*this);
    option = std::make_unique<frmoption>(*main, store);
    level = std::make_unique<frmlevel>(*main, platform.messages);
    end = std::make_unique<frmend>(*main, store, platform.clock);
    about = std::make_unique<frmAbout>(platform.browser, platform.messages);
}

Program::~Program()
{
    // The dialogs close before the window they call into goes.
    journalWindow.reset();
    about.reset();
    end.reset();
    level.reset();
    option.reset();
    main.reset();
}

void Program::start()
{
    end->flglevel = true;
    main->Form_Load();
    centreOnScreen(main.get());
    main->show();
}

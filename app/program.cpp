#include "app/program.h"

#include "app/mainwindow.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmlevel.h"
#include "dialogs/frmoption.h"
#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "results/frmend.h"
#include "ui/clock.h"
#include "ui/messagebox.h"
#include "ui/placement.h"
#include "ui/settingkeys.h"
#include "ui/settingsmedium.h"

#include <QFileInfo>
#include <QTimer>

Program::Program(Platform& p, const QString& dir, const JournalPlaces& journalPlaces)
    : platform(p), store(p.settings), directory(dir)
{
    // Results, bests and options the user believes kept must not vanish unnoticed. Said once
    // the action that wrote is over, so the results it shows stand beside the message.
    store.reportWriteFailure = [this] {
        QTimer::singleShot(0, main.get(), [this] {
            platform.messages.inform(settingsFileName + errortext::cannotWrite, errortext::title);
        });
    };
    journal = std::make_unique<Journal>(journalPlaces, platform.messages);
    journalWindow = std::make_unique<frmjournal>(*journal, platform.messages);
    main = std::make_unique<mainwindow>(*this);
    option = std::make_unique<frmoption>(*main, store);
    level = std::make_unique<frmlevel>(*main, platform.messages);
    end = std::make_unique<frmend>(*main, store, platform.clock);
    about = std::make_unique<frmAbout>(platform.browser, platform.messages);
    // From the journal window the learner goes straight to practice, or reads why not.
    QObject::connect(journalWindow.get(), &frmjournal::weakKeysAsked, main.get(), [this] {
        if (main->practiseWeakKeys()) journalWindow->close();
    });
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

void Program::start(const QString& textFile)
{
    QString text = textFile;
    // The text practised last, unless it has gone (a removed stick, a deleted file), which is
    // no news to tell.
    if (text.isEmpty()) {
        const QString remembered = store.read(settingkeys::text, settingkeys::textPath, {});
        if (QFileInfo::exists(remembered)) text = remembered;
    }
    const bool onText = !text.isEmpty() && main->useText(text);
    end->flglevel = !onText;
    main->Form_Load();
    centreOnScreen(main.get());
    main->show();
    if (onText) main->tellLeftOut();
}

#include "app/mainwindow.h"

#include "app/mainlayout.h"
#include "app/owntext.h"
#include "app/practicetext.h"
#include "app/program.h"
#include "app/weakblock.h"
#include "dialogs/frmabout.h"
#include "dialogs/frmlevel.h"
#include "dialogs/frmoption.h"
#include "journal/frmjournal.h"
#include "journal/journal.h"
#include "journal/weakkeys.h"
#include "journal/weakness.h"
#include "keyboard/colourguide.h"
#include "keyboard/keyboardwidgets.h"
#include "keyboard/keytable.h"
#include "practice/sources.h"
#include "results/frmend.h"
#include "ui/beep.h"
#include "ui/clock.h"
#include "ui/fonts.h"
#include "ui/messagebox.h"
#include "ui/programidentity.h"
#include "ui/randomsource.h"
#include "ui/settingkeys.h"
#include "ui/settingsstore.h"
#include "ui/ticker.h"
#include "ui/twips.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>

namespace {

// The one local file a drag carries, or nothing.
QString droppedFile(const QMimeData* data)
{
    const QList<QUrl> urls = data->urls();
    return urls.size() == 1 && urls.first().isLocalFile() ? urls.first().toLocalFile() : QString();
}

} // namespace

mainwindow::mainwindow(Program& program) : program_(program), engine_(run, *this)
{
    setWindowTitle(identity::title);
    setAcceptDrops(true);
    buildControls();
    buildMenu();

    Tickers& tickers = program_.platform.tickers;
    Timer1 = tickers.make(mainlayout::timer1Interval, [this] { Timer1_Timer(); });
    timercount = tickers.make(mainlayout::timercountInterval, [this] { timercount_Timer(); });
}

mainwindow::~mainwindow() = default;

void mainwindow::buildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(twips::toPixels(mainlayout::clientWidth),
                         twips::toPixels(mainlayout::clientHeight));
    setCentralWidget(client);

    QFont lineFont(fonts::gothic);
    lineFont.setPixelSize(mainlayout::linePixelSize);
    lineFont.setStyleHint(QFont::Monospace);
    for (int i = 0; i < blockLines; ++i) {
        auto* label = new QLabel(client);
        label->setGeometry(twips::rect(mainlayout::lblinLeft,
                                       mainlayout::lblinTop + mainlayout::linePitch * i,
                                       mainlayout::lblinWidth, mainlayout::lblinHeight));
        label->setFont(lineFont);
        label->setTextFormat(Qt::PlainText);
        lblin_[i] = label;

        auto* box = new InputBox(i, *this, client);
        box->setGeometry(
            twips::rect(txtinLeft(i), txtinTop(i), txtinLayout.width, txtinLayout.height));
        box->setFont(lineFont);
        // The typed text stands exactly under the practice text above it.
        box->setFrame(false);
        box->setTextMargins(twips::toPixels(mainlayout::lblinLeft - txtinLayout.left), 0, 0, 0);
        box->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #7a7a7a; padding: 0; "
                                          "background: white; color: black; }"));
        txtin_[i] = box;
    }

    lbltime_ = new QLabel(client);
    lbltime_->setGeometry(twips::rect(mainlayout::lbltimeLeft, mainlayout::lbltimeTop,
                                      mainlayout::lbltimeWidth, mainlayout::lbltimeHeight));
    lbltime_->setFont(fonts::design(fonts::proportionalGothic, mainlayout::lbltimePoints));
    lbltime_->setAutoFillBackground(true);
    // Its own background, so its own text colour: a dark scheme's light text would vanish.
    QPalette white = lbltime_->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    lbltime_->setPalette(white);
    lbltime_->setAlignment(Qt::AlignCenter);

    keyboard_ = new KeyboardWidgets(client, guide);
    connect(keyboard_, &KeyboardWidgets::keyClicked, this, &mainwindow::cmd_Click);
    connect(keyboard_, &KeyboardWidgets::cmdcolorClicked, this, &mainwindow::cmdcolor_Click);
    keyboard_->raiseOverlays();

    setTabOrder(txtin_[0], txtin_[1]);
    for (int i = 1; i + 1 < blockLines; ++i)
        setTabOrder(txtin_[i], txtin_[i + 1]);
}

void mainwindow::buildMenu()
{
    // What each item of the menu table runs, in its order.
    using Click = void (mainwindow::*)();
    const std::array<Click, mainlayout::menuItems.size()> clicks{
        &mainwindow::mnuFileOpenText_Click,
        &mainwindow::mnuFileExit_Click,
        &mainwindow::retry_Click,
        &mainwindow::changeleve_Click,
        &mainwindow::mnuToolsWeakKeys_Click,
        &mainwindow::mnuToolsOptions_Click,
        &mainwindow::mnuToolsJournal_Click,
        &mainwindow::mnuHelpAbout_Click};
    QMenu* menu = nullptr;
    for (std::size_t i = 0; i < clicks.size(); ++i) {
        const mainlayout::MenuItem& item = mainlayout::menuItems[i];
        if (item.menu) menu = menuBar()->addMenu(QString::fromUtf8(item.menu));
        QAction* act = menu->addAction(QString::fromUtf8(item.caption));
        act->setShortcut(QKeySequence(Qt::CTRL | item.ctrlKey));
        act->setShortcutContext(Qt::WindowShortcut);
        connect(act, &QAction::triggered, this, clicks[i]);
        if (clicks[i] == &mainwindow::mnuToolsJournal_Click) journalAction_ = act;
    }
}

void mainwindow::Form_Load()
{
    timercount->stop();
    Timer1->start();

    guide.resetForLoad();
    keyboard_->refreshFrames();
    run.resetForLoad();
    for (int i = 0; i < blockLines; ++i) {
        lblin_[i]->clear();
        txtin_[i]->clear();
    }
    // The first box holds the focus when the window is shown.
    txtin_[0]->setFocus(Qt::OtherFocusReason);

    frmoption& option = *program_.option;
    option.flgspace = program_.store.readFlag(settingkeys::options, settingkeys::skipspace, true);
    option.flgcolor =
        program_.store.readFlag(settingkeys::options, settingkeys::color, option.flgcolor);
    applyColourTag(option.flgcolor);

    loadText();

    if (!run.flgnotext && !run.linetext[run.nowcnt].isEmpty()) engine_.guide();
}

void mainwindow::loadText()
{
    RandomSource& random = program_.platform.random;
    // An opened text was read when it was opened; a level's file is read for every block.
    LoadResult loaded;
    if (source_.isText())
        loaded.block =
            practicetext::pickBlock(textLines_, random.next(), practicetext::LastLine::Drawn);
    else if (source_.isWeakKeys())
        loaded = weakblock::load(practisedLevel(), program_.directory, source_.keys, random,
                                 mainlayout::lineChars);
    else
        loaded = practicetext::load(program_.level->level, program_.directory, random);
    // Every slot is replaced, so no text of an earlier block can be judged against.
    static_cast<PracticeBlock&>(run) = loaded.block;
    if (loaded.problem != LoadProblem::None) {
        program_.platform.messages.inform(practicetext::problemText(loaded), errortext::title);
        run.flgnotext = true;
        return;
    }
    for (int i = 0; i < blockLines; ++i)
        lblin_[i]->setText(run.linetext[i]);
}

bool mainwindow::useText(const QString& path)
{
    const owntext::Text text = owntext::read(path, mainlayout::lineChars);
    if (text.refusal != owntext::Refusal::None) {
        program_.platform.messages.inform(owntext::refusalText(text.refusal, path),
                                          errortext::title);
        return false;
    }
    textLines_ = text.lines;
    textLeftOut_ = text.leftOut;
    setSource(PracticeSource::text(QFileInfo(path).absoluteFilePath()));
    return true;
}

void mainwindow::openText(const QString& path)
{
    if (!useText(path)) return;
    // Whatever was waiting for the old block gives way, as for a new block of a level.
    program_.end->flglevel = false;
    program_.level->close();
    if (run.flgresult) program_.end->close();
    startAgain();
    tellLeftOut();
}

void mainwindow::tellLeftOut()
{
    if (textLeftOut_ == 0) return;
    // After the block has been painted, so the learner sees what the message is about.
    QTimer::singleShot(0, this, [this, lines = textLeftOut_] {
        program_.platform.messages.inform(owntext::leftOutText(lines), identity::title);
    });
}

void mainwindow::setSource(const PracticeSource& source)
{
    source_ = source;
    SettingsStore& store = program_.store;
    if (store.read(settingkeys::text, settingkeys::textPath, {}) != source.path)
        store.write(settingkeys::text, settingkeys::textPath, source.path);
    // What is practised, before the program's name.
    QString what;
    if (source.isText()) what = QFileInfo(source.path).fileName();
    if (source.isWeakKeys()) {
        QStringList names;
        for (QChar key : source.keys)
            names << weakkeys::characterName(key);
        what = maintext::weakKeysTitle.arg(names.join(maintext::weakKeysApart));
    }
    setWindowTitle(what.isEmpty() ? identity::title
                                  : what + QStringLiteral(" - ") + identity::title);
}

int mainwindow::practisedLevel() const
{
    return practice::level(program_.level->level).number;
}

QString mainwindow::chooseWeakKeys(bool tell)
{
    const Journal::Recent recent = program_.journal->recent(program_.platform.clock.dateTime());
    const int level = practisedLevel();
    const QString keys =
        recent.runs < weakness::fewestRuns
            ? QString()
            : weakness::weakest(recent.tallies, weakblock::trained,
                                [level](QChar c) { return weakblock::usable(level, c); });
    if (keys.isEmpty() && tell)
        program_.platform.messages.inform(
            recent.runs < weakness::fewestRuns
                ? maintext::tooFewRuns.arg(weakness::fewestRuns - recent.runs)
                : maintext::noWeakKeys,
            identity::title);
    return keys;
}

bool mainwindow::practiseWeakKeys()
{
    const QString keys = chooseWeakKeys(true);
    if (keys.isEmpty()) return false;
    // Whatever was waiting for the old block gives way, as for an opened text.
    program_.end->flglevel = false;
    program_.level->close();
    if (run.flgresult) program_.end->close();
    setSource(PracticeSource::weakKeys(keys));
    startAgain();
    return true;
}

void mainwindow::renewWeakKeys()
{
    if (!source_.isWeakKeys()) return;
    // Keys the journal no longer names (it could not be read) are trained on.
    if (const QString keys = chooseWeakKeys(false); !keys.isEmpty())
        setSource(PracticeSource::weakKeys(keys));
}

void mainwindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void mainwindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    // Not inside the drop: a message box must not open while the source still waits.
    QTimer::singleShot(0, this, [this, path] { openText(path); });
}

void mainwindow::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

void mainwindow::Form_Unload()
{
    Timer1->stop();
    timercount->stop();
    program_.about->close();
    program_.journalWindow->close();
    program_.end->close();
    program_.option->close();
    program_.level->close();
    if (isMinimized()) return;
    const QRect outer = frameGeometry();
    // Nobody waits for the placement: a failure at quit is not worth a message.
    const int pixels[] = {outer.x(), outer.y(), outer.width(), outer.height()};
    for (std::size_t i = 0; i < settingkeys::bounds.size(); ++i)
        program_.store.tryWrite(settingkeys::placement, settingkeys::bounds[i],
                                SettingsStore::singleText(float(twips::fromPixels(pixels[i]))));
}

bool mainwindow::event(QEvent* e)
{
    // Back from a dialog, the results or another program: typing goes on at once.
    if (e->type() == QEvent::WindowActivate && !run.isDone() && !run.flgnotext)
        txtin_[run.nowcnt]->setFocus(Qt::ActiveWindowFocusReason);
    return QMainWindow::event(e);
}

void mainwindow::Timer1_Timer()
{
    if (program_.end->flglevel) {
        program_.end->flglevel = false;
        program_.level->open();
        Timer1->stop();
        return;
    }
    // Nothing to guide: the block was finished before this tick, or no text was found (asking
    // to read the same missing file again would lock the user out of the level dialog).
    if (run.isDone() || run.flgnotext) {
        Timer1->stop();
        return;
    }
    if (!engine_.guideFirstLine()) {
        if (program_.platform.messages.askYesNo(maintext::blankLinesQuestion, errortext::title))
            Form_Load();
        else
            close();
        return;
    }
    Timer1->stop();
}

void mainwindow::timercount_Timer()
{
    lbltime_->setText(QString::number(run.timecnt));
    increment(run.timecnt);
}

void mainwindow::retry_Click()
{
    if (run.flgresult) program_.end->close();
    renewWeakKeys();
    startAgain();
}

void mainwindow::startAgain()
{
    Form_Load();
    if (colourTagVisible()) Color();
    // Also when asked from another window: the keyboard comes back here, not just the caret.
    activateWindow();
    focusCurrentLine();
    Timer1->start();
}

void mainwindow::changeleve_Click()
{
    program_.level->open();
    if (run.flgresult) program_.end->close();
    if (colourTagVisible()) Color();
}

void mainwindow::cmd_Click(int)
{
    focusCurrentLine();
}

void mainwindow::cmdcolor_Click()
{
    focusCurrentLine();
}

void mainwindow::mnuFileOpenText_Click()
{
    const QString start =
        source_.isText() ? QFileInfo(source_.path).absolutePath() : QDir::homePath();
    const QString path =
        QFileDialog::getOpenFileName(this, maintext::openTextTitle, start, maintext::textFilter);
    if (!path.isEmpty()) openText(path);
}

void mainwindow::mnuFileExit_Click()
{
    close();
}

void mainwindow::mnuToolsWeakKeys_Click()
{
    practiseWeakKeys();
}

void mainwindow::mnuToolsOptions_Click()
{
    program_.option->open();
}

void mainwindow::mnuToolsJournal_Click()
{
    const journalentry::Origin practised = origin();
    program_.journalWindow->open(RunSet::of(practised.kind, practised.level, practised.textName));
}

void mainwindow::mnuHelpAbout_Click()
{
    program_.about->open(this);
}

void mainwindow::focusCurrentLine()
{
    if (!run.isDone()) txtin_[run.nowcnt]->setFocus(Qt::OtherFocusReason);
}

bool mainwindow::colourTagVisible() const
{
    return keyboard_->cmdcolor()->isVisibleTo(this);
}

void mainwindow::round(int inputcode)
{
    guide.round(inputcode);
    keyboard_->refreshFrames();
}

void mainwindow::Color()
{
    if (const auto tag =
            ::Color(guide.Index, run.nowcnt, run.pos, txtinLeft(run.nowcnt), txtinTop(run.nowcnt)))
        keyboard_->applyColour(*tag);
}

// Input boxes

bool mainwindow::txtin_KeyPress(int, QChar typed, bool keypad)
{
    return engine_.txtin_KeyPress(typed, keypad);
}

void mainwindow::txtin_KeyUp(int)
{
    engine_.txtin_KeyUp();
}

void mainwindow::txtin_Click(int index)
{
    if (!run.flgnotext && !run.isDone() && index != run.nowcnt) focusCurrentLine();
}

// What the judging asks of the window

float mainwindow::now() const
{
    return program_.platform.clock.secondsSinceMidnight();
}

qint64 mainwindow::steadyMs() const
{
    return program_.platform.clock.steadyMs();
}

bool mainwindow::flgspace() const
{
    return program_.option->flgspace;
}

void mainwindow::beep()
{
    program_.platform.beep.beep();
}

void mainwindow::runTimeDisplay(bool on)
{
    if (on)
        timercount->start();
    else
        timercount->stop();
}

void mainwindow::focusLine(int line)
{
    txtin_[line]->setFocus(Qt::OtherFocusReason);
}

void mainwindow::openResults()
{
    program_.end->open();
}

void mainwindow::skipSpace(int line)
{
    InputBox* box = txtin_[line];
    box->setText(TypingEngine::Skipspace(box->text()));
    box->setCursorPosition(box->text().size());
}

// The other windows' calls

FinishedRun mainwindow::finishedRun() const
{
    return {run.start, run.finish, run.mojicnt, run.misscnt, run.inputcnt, run.finishedRuns};
}

int mainwindow::level() const
{
    return source_.keepsBest() ? program_.level->level : 0;
}

void mainwindow::runScored(const Score& score)
{
    run.taketime = score.taketime;
    program_.journal->record(journalentry::make(program_.platform.clock.dateTime(), origin(),
                                                finishedRun(), score, run.tally, flgspace()));
}

journalentry::Origin mainwindow::origin() const
{
    // A level's run before a level was chosen is kept without one.
    if (source_.isText()) return {source_.kind, 0, QFileInfo(source_.path).fileName()};
    return {source_.kind, source_.isWeakKeys() ? practisedLevel() : program_.level->level, {}};
}

void mainwindow::restartFromResults()
{
    renewWeakKeys();
    startAgain();
}

void mainwindow::quitFromResults()
{
    close();
    run.flgresult = false;
}

void mainwindow::enableTimer1()
{
    Timer1->start();
}

void mainwindow::startLevelRun()
{
    if (source_.isText()) {
        textLines_.clear();
        setSource({});
    }
    startAgain();
}

void mainwindow::applyColourTag(bool show)
{
    if (show) Color();
    keyboard_->setColourTagVisible(show);
}

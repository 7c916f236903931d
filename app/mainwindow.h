#pragma once

#include "app/inputbox.h"
#include "dialogs/dialoghosts.h"
#include "journal/journalentry.h"
#include "keyboard/keyguide.h"
#include "practice/sources.h"
#include "results/resultshost.h"
#include "typing/runstate.h"
#include "typing/typingengine.h"
#include "typing/typingview.h"

#include <QMainWindow>
#include <array>
#include <memory>

class Program;
class KeyboardWidgets;
class QLabel;
class QAction;
class Ticker;

// The practice window: five lines with their input boxes, the on-screen keyboard, the
// elapsed-time display, two timers and the menu. It owns the run's state.
class mainwindow : public QMainWindow,
                   private InputBoxHandler,
                   private TypingView,
                   public ResultsHost,
                   public LevelHost,
                   public OptionHost {
    Q_OBJECT
public:
    explicit mainwindow(Program& program);
    ~mainwindow() override;

    // Prepares a new run: counters reset, options re-read, a new block loaded.
    void Form_Load();

    void Timer1_Timer();
    void timercount_Timer();
    void retry_Click();
    void changeleve_Click();
    void cmd_Click(int index);
    void cmdcolor_Click();
    void mnuFileOpenText_Click();
    void mnuFileExit_Click();
    void mnuToolsWeakKeys_Click();
    void mnuToolsOptions_Click();
    void mnuToolsJournal_Click();
    void mnuHelpAbout_Click();

    // Makes the text file the practice source, or says why it cannot be and changes nothing.
    bool useText(const QString& path);
    // From the menu or a drop: the text's first block at once, or the current block kept.
    void openText(const QString& path);
    // Once the block is up: how many of the text's lines no key can type.
    void tellLeftOut();
    // A block of the learner's weak keys at the level practised, or, when the journal cannot
    // name any yet, a message and the current block kept.
    bool practiseWeakKeys();
    const PracticeSource& source() const { return source_; }

    // Frames the key of a character code and moves the colour tag.
    void round(int inputcode) override;
    void Color() override;

    // The run's variables, shared with the other windows.
    RunState run;
    KeyGuide guide;

    std::unique_ptr<Ticker> Timer1;
    std::unique_ptr<Ticker> timercount;

    InputBox* txtin(int i) const { return txtin_[i]; }
    QLabel* lblin(int i) const { return lblin_[i]; }
    QLabel* lbltime() const { return lbltime_; }
    KeyboardWidgets& keyboard() const { return *keyboard_; }

    // ResultsHost
    FinishedRun finishedRun() const override;
    int level() const override;
    void runScored(const Score& score) override;
    void restartFromResults() override;
    void quitFromResults() override;
    void enableTimer1() override;
    QAction* journalAction() const override { return journalAction_; }

    // LevelHost
    void startLevelRun() override;

    // OptionHost
    void applyColourTag(bool show) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void Form_Unload();
    void loadText();
    void setSource(const PracticeSource& source);
    // The level chosen, or the one practised until a level is chosen.
    int practisedLevel() const;
    // The weak keys the journal names for the level, weakest first; when there are none, empty,
    // and said why when `tell`.
    QString chooseWeakKeys(bool tell);
    // A new weak-key block goes by what the runs since have shown.
    void renewWeakKeys();
    // What is practised, as the journal keeps a run of it.
    journalentry::Origin origin() const;
    void focusCurrentLine();
    // A new block of the level, from the menu, the results window or the level dialog.
    void startAgain();
    bool colourTagVisible() const;

    // InputBoxHandler
    bool txtin_KeyPress(int index, QChar typed, bool keypad) override;
    void txtin_KeyUp(int index) override;
    void txtin_Click(int index) override;

    // TypingView
    float now() const override;
    qint64 steadyMs() const override;
    bool flgspace() const override;
    void beep() override;
    void runTimeDisplay(bool on) override;
    void focusLine(int line) override;
    void openResults() override;
    void skipSpace(int line) override;

    Program& program_;
    TypingEngine engine_;
    std::array<InputBox*, blockLines> txtin_{};
    std::array<QLabel*, blockLines> lblin_{};
    QLabel* lbltime_ = nullptr;
    KeyboardWidgets* keyboard_ = nullptr;
    QAction* journalAction_ = nullptr;

    PracticeSource source_;
    QStringList textLines_; // the opened text's, drawn from for every block
    int textLeftOut_ = 0;
};

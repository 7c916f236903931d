#pragma once

#include "typing/runstate.h"

class TypingView;

// Judges every keystroke in the input boxes and moves the cursor through the block.
class TypingEngine {
public:
    TypingEngine(RunState& run, TypingView& view) : run_(run), view_(view) {}

    // Returns whether the typed character may enter the input box. `keypad`: the key was on
    // the numeric keypad, which the journal notes.
    bool txtin_KeyPress(QChar typed, bool keypad = false);
    void txtin_KeyUp();

    // The tick after a load: past leading blank lines to the first line to type, focused
    // and guided. False when the block holds nothing but blank lines.
    bool guideFirstLine();
    // Frames the key of the character to type next.
    void guide();

    bool check(const QString& inputcode, QChar keyboadcode);
    static QString Skipspace(const QString& moto);

private:
    bool endRun(bool accepted);
    // Counts a wrong key against the character it was meant for.
    void tallyWrong(const QString& inputcode, QChar wanted, QChar typed);

    RunState& run_;
    TypingView& view_;
};

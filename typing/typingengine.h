#pragma once

#include "typing/runstate.h"

class TypingView;

// Judges every keystroke in the input boxes and moves the cursor through the block.
class TypingEngine {
public:
    TypingEngine(RunState& run, TypingView& view) : run_(run), view_(view) {}

    // Returns whether the typed character may enter the input box.
    bool txtin_KeyPress(QChar typed);
    void txtin_KeyUp();

    bool check(const QString& inputcode, QChar keyboadcode);
    static QString Skipspace(const QString& moto);

    // The character a typed key stands for: some JIS layouts type the yen sign and the
    // overline where the code page has the backslash and the tilde.
    static QChar typedCharacter(QChar typed);

private:
    void endRun();
    int codeAt(int line) const;

    RunState& run_;
    TypingView& view_;
};

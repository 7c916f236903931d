#include "typing/typingengine.h"

#include "keyboard/keytable.h"
#include "typing/typingview.h"

namespace {
constexpr QChar space = u' ';
}

bool TypingEngine::check(const QString& inputcode, QChar keyboadcode)
{
    const QChar wanted = characterAt(inputcode, run_.pos);
    if (!wanted.isNull() && wanted == codePageCharacter(keyboadcode)) {
        run_.tally.countDue(wanted, run_.rightKeyTime(view_.steadyMs()));
        increment(run_.pos);
        return true;
    }
    tallyWrong(inputcode, wanted, codePageCharacter(keyboadcode));
    increment(run_.misscnt);
    view_.beep();
    return false;
}

void TypingEngine::guide()
{
    const QChar next = run_.expected();
    view_.round(next.isNull() ? -1 : charCode(next));
}

bool TypingEngine::guideFirstLine()
{
    if (!run_.skipBlankLines()) return false;
    view_.focusLine(run_.nowcnt);
    guide();
    view_.Color();
    return true;
}

void TypingEngine::tallyWrong(const QString& inputcode, QChar wanted, QChar typed)
{
    // A key judged against a blank line had no character to miss.
    if (wanted.isNull()) return;
    if (wanted != space || !view_.flgspace()) {
        run_.tally.countWrong(wanted);
        return;
    }
    // A space its release will skip was never the learner's to type: the key was meant for
    // the character after it, and that very key was only pressed before the last let go.
    int next = run_.pos;
    while (characterAt(inputcode, next) == space)
        ++next;
    const QChar meant = characterAt(inputcode, next);
    if (!meant.isNull() && meant != typed) run_.tally.countWrong(meant);
}

bool TypingEngine::txtin_KeyPress(QChar typed, bool keypad)
{
    if (run_.flgnotext) return false;
    if (run_.isDone()) {
        view_.openResults();
        run_.flgresult = true;
        return false;
    }
    increment(run_.inputcnt);
    if (keypad) run_.tally.countKeypad();
    if (run_.flgstart) {
        run_.start = view_.now();
        run_.flgstart = false;
        view_.runTimeDisplay(true);
    }
    const bool accepted = check(run_.linetext[run_.nowcnt], typed);

    const bool lineDone = run_.pos - 1 == run_.linelen[run_.nowcnt];
    if (lineDone) {
        run_.pos = 1;
        ++run_.nowcnt;
        run_.lastRightMs = RunState::noKey; // the next line's first key waits for the eyes
    }
    const bool blankAhead = !run_.isDone() && run_.linetext[run_.nowcnt].isEmpty();
    if (!run_.skipBlankLines()) return endRun(accepted);
    if (lineDone || blankAhead) view_.focusLine(run_.nowcnt);

    // A space that skipping will pass is guided when the key comes up; after blank lines
    // its key is framed at once, the tag still waits.
    const bool heldForRelease = run_.expected() == space && view_.flgspace();
    if (blankAhead || !heldForRelease) guide();
    if (!heldForRelease) view_.Color();
    return accepted;
}

void TypingEngine::txtin_KeyUp()
{
    if (!view_.flgspace() || run_.expected() != space) return;
    view_.skipSpace(run_.nowcnt);
    increment(run_.pos);
    // A count that stopped at its limit can have fewer characters left than spaces to skip.
    if (run_.mojicnt > 0) --run_.mojicnt;
    guide();
    view_.Color();
}

QString TypingEngine::Skipspace(const QString& moto)
{
    return moto + space;
}

bool TypingEngine::endRun(bool accepted)
{
    run_.finish = view_.now();
    ++run_.finishedRuns;
    run_.flgresult = true;
    view_.runTimeDisplay(false);
    view_.openResults();
    return accepted;
}

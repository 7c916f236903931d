#include "typing/typingengine.h"

#include "keyboard/keytable.h"
#include "typing/typingview.h"

namespace {
constexpr QChar space = u' ';
}

QChar TypingEngine::typedCharacter(QChar typed)
{
    if (typed == QChar(0x00A5)) return u'\\';
    if (typed == QChar(0x203E)) return u'~';
    return typed;
}

bool TypingEngine::check(const QString& inputcode, QChar keyboadcode)
{
    const QChar wanted =
        run_.pos >= 1 && run_.pos <= inputcode.size() ? inputcode.at(run_.pos - 1) : QChar();
    if (!wanted.isNull() && wanted == typedCharacter(keyboadcode)) {
        run_.tally.countDue(wanted);
        increment(run_.pos);
        return true;
    }
    // A key judged against a blank line had no character to miss.
    if (!wanted.isNull()) run_.tally.countWrong(wanted);
    increment(run_.misscnt);
    view_.beep();
    return false;
}

int TypingEngine::codeAt(int line) const
{
    const QString& text = run_.linetext[line];
    return run_.pos >= 1 && run_.pos <= text.size() ? charCode(text.at(run_.pos - 1)) : -1;
}

bool TypingEngine::txtin_KeyPress(QChar typed)
{
    if (run_.flgnotext) return false;
    if (run_.isDone()) {
        view_.openResults();
        run_.flgresult = true;
        return false;
    }
    increment(run_.inputcnt);
    if (run_.flgstart) {
        run_.start = view_.now();
        run_.flgstart = false;
        view_.startTimeDisplay();
    }
    const bool accepted = check(run_.linetext[run_.nowcnt], typed);

    if (run_.pos - 1 == run_.linelen[run_.nowcnt]) {
        run_.pos = 1;
        ++run_.nowcnt;
        if (run_.nowcnt == 5) {
            endRun();
            return accepted;
        }
        view_.focusLine(run_.nowcnt);
    }

    QChar next;
    if (run_.linetext[run_.nowcnt].isEmpty()) {
        do {
            ++run_.nowcnt;
            if (run_.nowcnt == 5) {
                endRun();
                return accepted;
            }
            view_.focusLine(run_.nowcnt);
        } while (run_.linetext[run_.nowcnt].isEmpty());
        next = run_.expected();
        view_.round(codeAt(run_.nowcnt));
    } else {
        next = run_.expected();
        // A space that skipping will pass is guided when the key comes up.
        if (next != space || !view_.flgspace()) view_.round(codeAt(run_.nowcnt));
    }
    if (next != space || !view_.flgspace()) view_.Color();
    return accepted;
}

void TypingEngine::txtin_KeyUp()
{
    if (!view_.flgspace()) return;
    if (run_.expected() != space) return;
    const int line = run_.nowcnt;
    view_.setBoxText(line, Skipspace(view_.boxText(line)));
    increment(run_.pos);
    // A count that stopped at its limit can have fewer characters left than spaces to skip.
    if (run_.mojicnt > 0) --run_.mojicnt;
    view_.moveCaretToEnd(line);
    view_.round(codeAt(line));
    view_.Color();
}

QString TypingEngine::Skipspace(const QString& moto)
{
    return moto + space;
}

void TypingEngine::endRun()
{
    run_.finish = view_.now();
    ++run_.finishedRuns;
    run_.flgresult = true;
    view_.endRun();
}

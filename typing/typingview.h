#pragma once

#include <QtGlobal>

// What the judging asks of the window it runs in.
class TypingView {
public:
    virtual ~TypingView() = default;
    virtual float now() const = 0;       // seconds since midnight
    virtual qint64 steadyMs() const = 0; // milliseconds on a clock that never jumps
    virtual bool flgspace() const = 0;   // spaces are filled in on key release
    virtual void beep() = 0;
    virtual void runTimeDisplay(bool on) = 0; // the elapsed seconds
    virtual void focusLine(int line) = 0;
    virtual void round(int inputcode) = 0; // frame the key of the next character
    virtual void Color() = 0;              // move the colour tag
    virtual void openResults() = 0;
    virtual void skipSpace(int line) = 0; // one space into the box, the caret after it
};

#pragma once

#include <QString>

// What the judging asks of the window it runs in.
class TypingView {
public:
    virtual ~TypingView() = default;
    virtual float now() const = 0;     // seconds since midnight
    virtual bool flgspace() const = 0; // spaces are filled in on key release
    virtual void beep() = 0;
    virtual void startTimeDisplay() = 0;
    virtual void focusLine(int line) = 0;
    virtual void round(int inputcode) = 0; // frame the key of the next character
    virtual void Color() = 0;              // move the colour tag
    virtual void endRun() = 0;             // stop the display and open the results
    virtual void openResults() = 0;
    virtual QString boxText(int line) const = 0;
    virtual void setBoxText(int line, const QString& text) = 0;
    virtual void moveCaretToEnd(int line) = 0;
};

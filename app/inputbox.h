#pragma once

#include "ui/directkeyedit.h"

class InputBoxHandler {
public:
    virtual ~InputBoxHandler() = default;
    // True lets the character into the box; `keypad`: typed on the numeric keypad.
    virtual bool txtin_KeyPress(int index, QChar typed, bool keypad) = 0;
    virtual void txtin_KeyUp(int index) = 0;
    virtual void txtin_Click(int index) = 0;
};

// One practice input line: every keystroke goes to the judge, and nothing else may put text
// into it — no input method, paste, drag, undo or context menu.
class InputBox : public DirectKeyEdit {
    Q_OBJECT
public:
    InputBox(int index, InputBoxHandler& handler, QWidget* parent);

    int index() const { return index_; }

    // The character a key press stands for, or a null QChar for keys that type nothing.
    static QChar keyCharacter(const QKeyEvent& event);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    int index_;
    InputBoxHandler& handler_;
};

#pragma once

#include <QLineEdit>

// A line edit whose every key reaches the program as the key it is, whatever state the
// learner left the input method in. Qt's input contexts (fcitx5, IBus, a Wayland compositor's
// text input) take the keys of any focus object that answers Qt::ImEnabled with true, and a
// QLineEdit answers true even with Qt::WA_InputMethodEnabled off: a switched-on Japanese
// engine then composes every key and the line never sees one. Other fields, such as a file
// dialog's name, keep the input method.
class DirectKeyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DirectKeyEdit(QWidget* parent = nullptr);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
};

#pragma once

#include <QList>
#include <QString>

class QWidget;

// Texts several parts of the program use in their messages.
namespace messagetext {
inline const QString errorTitle = QStringLiteral("エラー");
inline const QString cannotWrite = QStringLiteral("を書き込めません"); // after a file name
} // namespace messagetext

// Messages the user must see.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // One OK button.
    virtual void inform(const QString& text, const QString& title) = 0;
    // Yes and No with a question icon; true for Yes.
    virtual bool askYesNo(const QString& text, const QString& title) = 0;
};

class QtMessageBoxes : public MessageBoxes {
public:
    void inform(const QString& text, const QString& title) override;
    bool askYesNo(const QString& text, const QString& title) override;
};

// Records what was shown and answers questions from a script.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        bool question;
    };
    void inform(const QString& text, const QString& title) override
    {
        shown.append({text, title, false});
    }
    bool askYesNo(const QString& text, const QString& title) override
    {
        shown.append({text, title, true});
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QList<Shown> shown;
    QList<bool> answers;
};

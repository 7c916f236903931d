#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

// Words the error messages share.
namespace errortext {
inline const QString title = QStringLiteral("エラー");
inline const QString cannotWrite = QStringLiteral("を書き込めません"); // after a file name
} // namespace errortext

// Messages the user must see. While one is open its own event loop runs, so the program's
// timers wait (see ticker.h) until the last box has closed and its asker has returned.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // One OK button.
    void inform(const QString& text, const QString& title);
    // Yes and No with a question icon; true for Yes.
    bool askYesNo(const QString& text, const QString& title);

    int openBoxes() const { return open_; }
    // Runs `then` from the event loop once no box is open any more.
    void afterClose(std::function<void()> then);

protected:
    virtual void showInform(const QString& text, const QString& title) = 0;
    virtual bool showQuestion(const QString& text, const QString& title) = 0;

private:
    class Open;
    void post();
    void runWaiting();

    int open_ = 0;
    std::vector<std::function<void()>> waiting_;
    QObject context_; // posted work dies with the boxes
};

class QtMessageBoxes : public MessageBoxes {
protected:
    void showInform(const QString& text, const QString& title) override;
    bool showQuestion(const QString& text, const QString& title) override;
};

// Records what was shown and answers questions from a script. `whileOpen` stands for the
// time a user takes to read a box: a real box runs the event loop meanwhile.
class ScriptedMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        QString text;
        QString title;
        bool question;
        bool nested; // shown while another box was open
    };
    QList<Shown> shown;
    QList<bool> answers;
    std::function<void()> whileOpen;

protected:
    void showInform(const QString& text, const QString& title) override
    {
        show(text, title, false);
    }
    bool showQuestion(const QString& text, const QString& title) override
    {
        show(text, title, true);
        return answers.isEmpty() ? false : answers.takeFirst();
    }

private:
    void show(const QString& text, const QString& title, bool question)
    {
        shown.append({text, title, question, openBoxes() > 1});
        if (whileOpen && openBoxes() == 1) whileOpen();
    }
};

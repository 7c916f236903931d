#pragma once

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

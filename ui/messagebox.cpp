#include "ui/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

QWidget* owner()
{
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

} // namespace

class MessageBoxes::Open {
public:
    explicit Open(MessageBoxes& boxes) : boxes_(boxes) { ++boxes_.open_; }
    ~Open()
    {
        if (--boxes_.open_ == 0) boxes_.post();
    }
    Open(const Open&) = delete;
    Open& operator=(const Open&) = delete;

private:
    MessageBoxes& boxes_;
};

void MessageBoxes::inform(const QString& text, const QString& title)
{
    const Open open(*this);
    showInform(text, title);
}

bool MessageBoxes::askYesNo(const QString& text, const QString& title)
{
    const Open open(*this);
    return showQuestion(text, title);
}

void MessageBoxes::afterClose(std::function<void()> then)
{
    waiting_.push_back(std::move(then));
    if (open_ == 0) post();
}

void MessageBoxes::post()
{
    // Not at once: the procedure that asked must finish before anything else runs.
    if (!waiting_.empty()) QTimer::singleShot(0, &context_, [this] { runWaiting(); });
}

void MessageBoxes::runWaiting()
{
    if (open_ > 0) return; // another box opened meanwhile; its closing posts again
    auto waiting = std::exchange(waiting_, {});
    for (auto& then : waiting)
        then();
}

void QtMessageBoxes::showInform(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner());
    box.exec();
}

bool QtMessageBoxes::showQuestion(const QString& text, const QString& title)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No,
                    owner());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

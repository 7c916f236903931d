#pragma once

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <utility>

class QKeyEvent;
class QWidget;

// Helpers shared by the program's windows: design geometry in twips, captions with Windows
// line breaks, keys seen by the form first, and windows that outlive their controls.
namespace formsupport {

// A caption as a Qt label shows it: CR LF and lone LF break the line, a CR that does not
// introduce a LF breaks nothing and must not show as a glyph.
QString labelText(const QString& caption);

// Title bar with a close box only, and the client area fixed at the design size.
void fixDialogFrame(QWidget* dialog, double widthTwips, double heightTwips);

// Bring an open window to the front and give it the keyboard.
void bringForward(QWidget* window);

// Let a one-line control grow to the size its text needs (the fonts here are wider and
// taller than the ones the design was measured with), but not past the client area.
void fitToText(QWidget* control, QSize client);

// Whether a key press is Enter, from either Enter key.
bool isEnter(const QKeyEvent* event);

// Enter and Escape act for the whole window, whichever control has the focus.
void onEnterAndEscape(QWidget* window, std::function<void()> enter, std::function<void()> escape);

} // namespace formsupport

// Shows every key press meant for a window to a handler before the focused control gets it.
// Returning true from the handler swallows the key, so Enter reaches the form's handler even
// on a focused push button. Install it after the controls exist.
class KeyPreview : public QObject {
public:
    using Handler = std::function<bool(QKeyEvent*)>;
    KeyPreview(QWidget* window, Handler handler);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    Handler handler_;
};

// The lasting part of a window: the object lives as long as the program and keeps its
// variables, while the controls live only from an opening to the next closing, or, for a
// window that costs more to fill than to keep, from its first opening on, hidden when closed.
template <class Window> class FormHolder {
public:
    enum class Closing { Discards, Hides };
    explicit FormHolder(Closing closing = Closing::Discards) : closing_(closing) {}
    ~FormHolder() { delete window_.data(); }
    FormHolder(const FormHolder&) = delete;
    FormHolder& operator=(const FormHolder&) = delete;

    bool isOpen() const { return window_ && window_->isVisible(); }
    Window* window() const { return isOpen() ? window_.data() : nullptr; }
    void close()
    {
        if (isOpen()) window_->close();
    }

protected:
    // The controls for an opening: fresh ones, or the kept ones of a window that hides; null
    // when the window is already open, which only brings it forward.
    template <class... Args> Window* build(Args&&... args)
    {
        if (isOpen()) {
            formsupport::bringForward(window_);
            return nullptr;
        }
        if (window_ && closing_ == Closing::Hides) return window_;
        window_ = new Window(std::forward<Args>(args)...);
        if (closing_ == Closing::Discards) window_->setAttribute(Qt::WA_DeleteOnClose);
        return window_;
    }

    QPointer<Window> window_;

private:
    Closing closing_;
};

// A label that keeps the caption it was given, Windows line breaks and all, and shows it
// the way a Qt label can.
class CaptionLabel : public QLabel {
public:
    explicit CaptionLabel(const QString& caption, QWidget* parent = nullptr);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

private:
    QString caption_;
};

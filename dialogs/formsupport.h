#pragma once

#include <QLabel>
#include <QObject>
#include <QRect>
#include <QString>
#include <functional>

class QKeyEvent;
class QWidget;

// Helpers shared by the small windows: they all follow the same pattern of design
// geometry in twips, captions with Windows line breaks and keys seen by the form first.
namespace formsupport {

// A control's place in a window design, in twips.
struct Box {
    double left, top, width, height;
    QRect pixels() const;
};

inline constexpr int keyReturn = 13;
inline constexpr int keyEscape = 27;

// The Windows key code of a key press: 13 for either Enter key, 27 for Escape, the capital
// letter or digit for those keys, 0 for anything else.
int keyCode(const QKeyEvent* event);

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

} // namespace formsupport

// Shows every key press meant for a window to a handler before the focused control gets it.
// Returning true from the handler swallows the key. Enter on a focused push button presses
// that button instead, as in any Windows dialog. Install it after the controls exist.
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

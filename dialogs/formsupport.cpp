#include "dialogs/formsupport.h"

#include "ui/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace formsupport {

QRect Box::pixels() const
{
    return twips::rect(left, top, width, height);
}

int keyCode(const QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return keyReturn;
    if (key == Qt::Key_Escape) return keyEscape;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // Qt numbers these keys by their ASCII capitals, as Windows does
    return 0;
}

QString labelText(const QString& caption)
{
    QString text = caption;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.remove(QLatin1Char('\r'));
    return text;
}

void fixDialogFrame(QWidget* dialog, double widthTwips, double heightTwips)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setFixedSize(twips::toPixels(widthTwips), twips::toPixels(heightTwips));
}

void bringForward(QWidget* window)
{
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
}

void fitToText(QWidget* control, QSize client)
{
    constexpr int margin = 8;
    const QSize wanted = control->sizeHint();
    const int roomRight = qMax(client.width() - control->x() - margin, control->width());
    const int roomDown = qMax(client.height() - control->y(), control->height());
    control->resize(qBound(control->width(), wanted.width(), roomRight),
                    qBound(control->height(), wanted.height(), roomDown));
}

} // namespace formsupport

KeyPreview::KeyPreview(QWidget* window, Handler handler)
    : QObject(window), window_(window), handler_(std::move(handler))
{
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return false;
    // Keys a control passes on climb to its parents; the form must see each press once,
    // on its way to the control that has the focus.
    QWidget* target = window_->focusWidget() ? window_->focusWidget() : window_;
    if (watched != target) return false;
    return handler_(static_cast<QKeyEvent*>(event));
}

CaptionLabel::CaptionLabel(const QString& caption, QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCaption(caption);
}

void CaptionLabel::setCaption(const QString& caption)
{
    caption_ = caption;
    setText(formsupport::labelText(caption));
}

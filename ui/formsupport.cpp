#include "ui/formsupport.h"

#include "ui/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace formsupport {

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

bool isEnter(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

void onEnterAndEscape(QWidget* window, std::function<void()> enter, std::function<void()> escape)
{
    new KeyPreview(window, [enter = std::move(enter), escape = std::move(escape)](QKeyEvent* e) {
        if (isEnter(e))
            enter();
        else if (e->key() == Qt::Key_Escape)
            escape();
        else
            return false;
        return true;
    });
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

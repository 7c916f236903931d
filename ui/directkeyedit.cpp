#include "ui/directkeyedit.h"

#include <QInputMethodEvent>

DirectKeyEdit::DirectKeyEdit(QWidget* parent) : QLineEdit(parent)
{
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

QVariant DirectKeyEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    if (query == Qt::ImEnabled) return false;
    return QLineEdit::inputMethodQuery(query);
}

void DirectKeyEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Text committed by an input method before the focus came here is no keystroke.
    event->ignore();
}

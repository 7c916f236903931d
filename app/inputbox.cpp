#include "app/inputbox.h"

#include "keyboard/keytable.h"

#include <QKeyEvent>
#include <QMouseEvent>

InputBox::InputBox(int index, InputBoxHandler& handler, QWidget* parent)
    : DirectKeyEdit(parent), index_(index), handler_(handler)
{
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
}

QChar InputBox::keyCharacter(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return QChar(8);
    case Qt::Key_Return:
    case Qt::Key_Enter: return QChar(13);
    case Qt::Key_Escape: return QChar(27);
    // A hand-written practice line may hold a tab; it must be typeable.
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return QChar(9);
    default: break;
    }
    // With Ctrl or Alt held a key is a command, not a character.
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    const QString text = event.text();
    if (text.isEmpty()) return {};
    const QChar c = text.at(0);
    if (c.isSurrogate()) return QChar::ReplacementCharacter; // types something, matches nothing
    if (c.category() == QChar::Other_Control) return {};     // Delete and the like
    return c;
}

bool InputBox::event(QEvent* e)
{
    // A line edit claims Ctrl keys such as Ctrl+H for editing; the menu shortcuts win here.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            e->ignore();
            return false;
        }
    }
    // Tab is a key like any other here, not a way off the line.
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return DirectKeyEdit::event(e);
}

void InputBox::keyPressEvent(QKeyEvent* e)
{
    const QChar typed = keyCharacter(*e);
    if (typed.isNull()) {
        // Arrow keys and Home/End may move the caret; nothing else edits the box.
        switch (e->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            if (!(e->modifiers() & Qt::ShiftModifier)) DirectKeyEdit::keyPressEvent(e);
            break;
        default: break;
        }
        e->accept();
        return;
    }
    e->accept();
    if (handler_.txtin_KeyPress(index_, typed, e->modifiers() & Qt::KeypadModifier))
        insert(QString(codePageCharacter(typed)));
}

void InputBox::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    // A held key sends a release before every repeat; only letting go is a release.
    if (!e->isAutoRepeat()) handler_.txtin_KeyUp(index_);
}

void InputBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) DirectKeyEdit::mousePressEvent(e);
    // The middle button would paste the X11 selection.
    e->accept();
}

void InputBox::mouseReleaseEvent(QMouseEvent* e)
{
    // Only the left button may reach the line edit: the middle one would paste.
    if (e->button() == Qt::LeftButton)
        DirectKeyEdit::mouseReleaseEvent(e);
    else
        e->accept();
    // Any button takes the focus on press, so any click must give it back.
    handler_.txtin_Click(index_);
}

void InputBox::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
}

void InputBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
}

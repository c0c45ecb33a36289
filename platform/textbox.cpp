#include "platform/textbox.h"

#include "platform/keycodes.h"

#include <QKeyEvent>

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {}

bool TextBox::event(QEvent *event)
{
    // Tab and Shift+Tab move the focus before a key press reaches keyPressEvent.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && !keyDown(key))
            return true;
    }
    return QLineEdit::event(event);
}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab || keyDown(event))
        QLineEdit::keyPressEvent(event);
}

bool TextBox::keyDown(QKeyEvent *event)
{
    if (!m_keyDown)
        return true;
    int keyCode = KeyCodes::fromEvent(event);
    m_keyDown(keyCode, (int(event->modifiers()) >> 25) & 7); // 1 Shift, 2 Ctrl, 4 Alt
    if (keyCode == 0 && KeyCodes::fromEvent(event) != 0) {
        event->accept();
        return false;
    }
    return true;
}

#include "platform/textbox.h"

#include "platform/keycodes.h"

#include <QKeyEvent>

TextBox::TextBox(QWidget *parent) : QLineEdit(parent) {}

void TextBox::keyPressEvent(QKeyEvent *event)
{
    if (m_keyDown) {
        int keyCode = KeyCodes::fromEvent(event);
        m_keyDown(keyCode, (int(event->modifiers()) >> 25) & 7); // 1 Shift, 2 Ctrl, 4 Alt
        if (keyCode == 0 && KeyCodes::fromEvent(event) != 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

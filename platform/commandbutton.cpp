#include "platform/commandbutton.h"

#include "platform/keycodes.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace {

const char filterName[] = "keyUpFilter";

class KeyUpFilter : public QObject
{
public:
    KeyUpFilter(CommandButton::KeyHandler handler, QObject *parent)
        : QObject(parent), m_handler(std::move(handler))
    {
        setObjectName(QString::fromLatin1(filterName));
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyRelease) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->isAutoRepeat()) {
                int keyCode = KeyCodes::fromEvent(key);
                m_handler(keyCode, (int(key->modifiers()) >> 25) & 7); // 1 Shift, 2 Ctrl, 4 Alt
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    CommandButton::KeyHandler m_handler;
};

} // namespace

void CommandButton::setKeyUpHandler(QPushButton *button, KeyHandler handler)
{
    if (!button)
        return;
    delete button->findChild<QObject *>(QString::fromLatin1(filterName),
                                        Qt::FindDirectChildrenOnly);
    if (handler)
        button->installEventFilter(new KeyUpFilter(std::move(handler), button));
}

#include "main/highlightbar.h"

#include "main/form1.h"
#include "platform/keycodes.h"
#include "platform/layout.h"

#include <QKeyEvent>

namespace HighlightBar {

int topAfterKey(int barTop, int columnTop, int keyCode)
{
    const int distance = barTop - columnTop;
    if (keyCode == KeyCodes::Up && distance > upLimit)
        return barTop - lineStep;
    if (keyCode == KeyCodes::Down && distance < downLimit)
        return barTop + lineStep;
    return barTop;
}

} // namespace HighlightBar

void Form1::Form_KeyUp(int KeyCode, int)
{
    Layout::setTopTwips(Shape2, HighlightBar::topAfterKey(Layout::topTwips(Shape2),
                                                          Layout::topTwips(Label1[0]), KeyCode));
}

void Form1::keyReleaseEvent(QKeyEvent *event)
{
    // The window has the key only when none of its controls holds the focus: a key the answer
    // box lets through reaches here too, and must not move the bar. A held key repeats its
    // release; it counts once, when it really comes up.
    const QWidget *holder = focusWidget();
    const bool controlHasFocus = holder && holder != this && holder->isVisible();
    if (controlHasFocus || event->isAutoRepeat()) {
        FormWindow::keyReleaseEvent(event);
        return;
    }
    Form_KeyUp(KeyCodes::fromEvent(event), (int(event->modifiers()) >> 25) & 7);
}

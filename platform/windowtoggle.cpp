#include "platform/windowtoggle.h"

#include "platform/formwindow.h"

void toggleWindow(FormWindow *window)
{
    if (!window)
        return;
    if (window->isOnScreen())
        window->hide();
    else
        window->showForm();
}

#pragma once

class FormWindow;

// A button that toggles a window: it shows and activates the window when it is hidden or
// minimised (restoring it), and hides it when it is on the screen, even when it lies behind
// other windows. No window, no change.
void toggleWindow(FormWindow *window);

#pragma once

#include <functional>

class QPushButton;

// The key-up event of a command button, for the push buttons that the layouts make. The
// handler runs when a key is released while the button holds the focus and gets the key's
// Windows code and the shift state. A held key repeats its press but is released once. The
// button's own handling of the key (a click on Space) goes on as usual.
namespace CommandButton {

using KeyHandler = std::function<void(int &keyCode, int shift)>;

// Replaces any key-up handler the button had.
void setKeyUpHandler(QPushButton *button, KeyHandler handler);

} // namespace CommandButton

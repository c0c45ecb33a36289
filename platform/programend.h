#pragma once

#include <functional>

// Ending the program when its main window closes: every window goes and nothing else runs.
namespace ProgramEnd {

void end();

// Tests put their own handler in place so that the test process survives.
using Handler = std::function<void()>;
void setHandler(Handler handler);

} // namespace ProgramEnd

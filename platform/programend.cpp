#include "platform/programend.h"

#include "platform/eventpump.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

ProgramEnd::Handler &handler()
{
    static ProgramEnd::Handler h;
    return h;
}

} // namespace

void ProgramEnd::setHandler(Handler h) { handler() = std::move(h); }

void ProgramEnd::end()
{
    if (handler()) {
        handler()();
        return;
    }
    // From the main event loop a normal quit ends the program. Inside a drill's wait the
    // outer loop would only quit once the drill returned, which may be never: end the process
    // here. Every file is written completely before its handler returns, so nothing is lost.
    if (EventPump::depth() == 0) {
        QApplication::closeAllWindows();
        QCoreApplication::quit();
        return;
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

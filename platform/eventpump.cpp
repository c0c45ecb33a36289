#include "platform/eventpump.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace {
int s_depth = 0;
}

void EventPump::runPendingEvents()
{
    ++s_depth;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    --s_depth;
}

void EventPump::runPendingEventsWithoutWaiting()
{
    ++s_depth;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    --s_depth;
}

int EventPump::depth() { return s_depth; }

#pragma once

#include "beattimer.h"
#include "frmzub.h"
#include "ticklog.h"

// Logs the ticks of the window's Pop timer at the moment they come: the log is connected
// first and the window's handler again after it. (The beat's fine clock wakes the thread
// before the tick is due, so the wake-up itself is no measure of the tick.)
inline TickLog *logPops(frmZUB &window)
{
    auto *pop = window.findChild<BeatTimer *>(QStringLiteral("Pop"));
    auto *log = new TickLog(pop);
    QObject::disconnect(pop, &BeatTimer::timeout, &window, &frmZUB::Pop_Timer);
    QObject::connect(pop, &BeatTimer::timeout, log, &TickLog::stamp);
    QObject::connect(pop, &BeatTimer::timeout, &window, &frmZUB::Pop_Timer);
    return log;
}

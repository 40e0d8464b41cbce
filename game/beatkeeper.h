#pragma once

#include <QtGlobal>

// Keeps the pops on a steady beat. A timer restarted on every tick adds its own lateness
// (the wait rounded up to a whole millisecond, the system's overrun) to every interval; here
// each wait is measured from when the tick was due, so a tick that comes a little late is
// followed by a slightly shorter wait and the beat keeps its length on average.
//
// A tick far from its due time (the first of a round, one held up by a busy thread) starts
// the beat afresh from now: missed beats are not caught up.
class BeatKeeper
{
public:
    // The wait in milliseconds until the next tick, for a tick at `nowNs` of a steady clock.
    int nextWait(qint64 nowNs, int intervalMs);

private:
    qint64 m_dueNs = 0;
    bool m_running = false;
};

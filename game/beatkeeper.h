#pragma once

#include <QtGlobal>

// Keeps the pops on a steady beat. A timer restarted on every tick adds its own lateness
// (the wait rounded to a whole millisecond, the system's overrun) to every interval; here
// each tick is due an interval after the tick before was due, not after it came, so a tick
// that comes a little late does not move the ones after it.
//
// A tick far from its due time (one handled by hand, one held up by a busy thread) starts
// the beat afresh from now: missed beats are not caught up.
class BeatKeeper
{
public:
    // Starts the beat at `nowNs` of a steady clock; returns when the first tick is due.
    qint64 start(qint64 nowNs, int intervalMs);
    // When the next tick is due, for a tick handled at `nowNs`.
    qint64 nextDue(qint64 nowNs, int intervalMs);
    // The whole milliseconds nearest to the wait from `nowNs` until `dueNs`, at least one:
    // the wait of a timer that counts in milliseconds.
    static int waitMs(qint64 dueNs, qint64 nowNs);
    // When the tick last returned by start() or nextDue() is due.
    qint64 dueNs() const { return m_dueNs; }

private:
    qint64 m_dueNs = 0;
};

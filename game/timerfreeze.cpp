#include "timerfreeze.h"

TimerFreeze::Entry &TimerFreeze::addTimer(Entry entry)
{
    m_entries.push_back(std::move(entry));
    return m_entries.back();
}

// Unless a handler has set an interval of its own since the thaw.
void TimerFreeze::takeOwnInterval(Entry &entry)
{
    if (entry.ownMs >= 0 && entry.restMs >= 0 && entry.intervalMs() == entry.restMs)
        entry.setIntervalMs(entry.ownMs);
    entry.ownMs = -1;
    entry.restMs = -1;
}

void TimerFreeze::freeze()
{
    for (Entry &entry : m_entries) {
        if (!m_frozen) {
            entry.keptMs = entry.isActive() ? entry.remainingMs() : -1;
            // Before its first tick after a thaw the interval is the rest: the own one stands.
            if (entry.ownMs < 0)
                entry.ownMs = entry.intervalMs();
        }
        entry.stop();
    }
    m_frozen = true;
}

void TimerFreeze::thaw()
{
    if (!m_frozen)
        return;
    m_frozen = false;
    for (Entry &entry : m_entries) {
        if (entry.keptMs >= 0) {
            entry.restMs = entry.keptMs;
            entry.setIntervalMs(entry.restMs);
            entry.start();
        } else {
            entry.ownMs = -1;
        }
        entry.keptMs = -1;
    }
}

void TimerFreeze::clear()
{
    m_frozen = false;
    for (Entry &entry : m_entries) {
        takeOwnInterval(entry);
        entry.keptMs = -1;
    }
}

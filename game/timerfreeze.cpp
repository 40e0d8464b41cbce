#include "timerfreeze.h"

#include <QTimer>

void TimerFreeze::addTimer(Entry entry)
{
    entry.rest = new QTimer(this);
    entry.rest->setSingleShot(true);
    entry.rest->setTimerType(Qt::PreciseTimer);
    m_entries.push_back(std::move(entry));
    Entry &added = m_entries.back();
    // The timer runs again first: its handler may stop it, as on any tick of its own.
    connect(added.rest, &QTimer::timeout, this, [&added] {
        added.start();
        added.tick();
    });
}

void TimerFreeze::freeze()
{
    for (Entry &entry : m_entries) {
        if (entry.rest->isActive()) {
            entry.keptMs = entry.rest->remainingTime();
            entry.rest->stop();
        } else if (!m_frozen) {
            entry.keptMs = entry.isActive() ? entry.remainingMs() : -1;
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
        if (entry.keptMs >= 0)
            entry.rest->start(entry.keptMs);
        entry.keptMs = -1;
    }
}

void TimerFreeze::clear()
{
    m_frozen = false;
    for (Entry &entry : m_entries) {
        entry.rest->stop();
        entry.keptMs = -1;
    }
}

#pragma once

#include <QObject>

#include <functional>
#include <list>

// Holds a set of repeating timers still and lets them go on later with what was left of
// their intervals, so that time spent frozen is neither counted nor lost. A timer that ran
// when frozen goes on with the rest of its interval as its interval and takes its own
// interval back at its first tick, unless its handler set one then; a stopped one stays
// stopped.
//
// The timers are QTimer or anything with its face (interval, setInterval, start, stop,
// isActive, remainingTime and the timeout signal).
class TimerFreeze : public QObject
{
    Q_OBJECT
public:
    explicit TimerFreeze(QObject *parent = nullptr) : QObject(parent) {}

    // Takes part in every freeze.
    template<typename Timer>
    void add(Timer *timer)
    {
        Entry &entry = addTimer(
            {[timer] { return timer->isActive(); }, [timer] { return timer->remainingTime(); },
             [timer] { return timer->interval(); }, [timer](int ms) { timer->setInterval(ms); },
             [timer] { timer->start(); }, [timer] { timer->stop(); }});
        connect(timer, &Timer::timeout, this, [&entry] { takeOwnInterval(entry); });
    }

    // Stops the running timers, each keeping what was left of its wait; again while frozen
    // or before a thawed timer's first tick, it keeps what is left of that.
    void freeze();
    // Lets the frozen timers go on: each ticks when the rest of its wait has passed.
    void thaw();
    // Forgets what a freeze kept: no timer goes on, and each has its own interval back. The
    // timers are left running or stopped as they are.
    void clear();

private:
    struct Entry
    {
        std::function<bool()> isActive;
        std::function<int()> remainingMs;
        std::function<int()> intervalMs;
        std::function<void(int)> setIntervalMs;
        std::function<void()> start;
        std::function<void()> stop;
        int keptMs = -1; // the wait kept by a freeze; -1 if the timer did not run
        int ownMs = -1;  // the timer's own interval while a freeze holds it or its rest runs
        int restMs = -1; // the interval a thaw gave it: the rest of its wait
    };
    Entry &addTimer(Entry entry);
    static void takeOwnInterval(Entry &entry);

    std::list<Entry> m_entries; // a list: each entry's connection keeps its address
    bool m_frozen = false;
};

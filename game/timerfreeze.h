#pragma once

#include <QObject>

#include <functional>
#include <list>

class QTimer;

// Holds a set of repeating timers still and lets them go on later with what was left of
// their intervals, so that time spent frozen is neither counted nor lost. A timer that ran
// when frozen ticks again after the rest of its interval, through the same handler as its
// own ticks, and repeats on its interval from then on; a stopped one stays stopped.
//
// The timers are QTimer or anything with its face (start, stop, isActive, remainingTime).
class TimerFreeze : public QObject
{
    Q_OBJECT
public:
    explicit TimerFreeze(QObject *parent = nullptr) : QObject(parent) {}

    // Takes part in every freeze: `timer`, whose timeout calls `tick`.
    template<typename Timer>
    void add(Timer *timer, std::function<void()> tick)
    {
        addTimer({[timer] { return timer->isActive(); }, [timer] { return timer->remainingTime(); },
                  [timer] { timer->start(); }, [timer] { timer->stop(); }, std::move(tick)});
    }

    // Stops the running timers, each keeping what was left of its wait; again while frozen
    // or while the thaw's first ticks are still to come, it keeps what is left of those.
    void freeze();
    // Lets the frozen timers go on: each ticks when the rest of its wait has passed.
    void thaw();
    // Forgets what a freeze kept: no timer goes on. The timers themselves are left as they are.
    void clear();

private:
    struct Entry
    {
        std::function<bool()> isActive;
        std::function<int()> remainingMs;
        std::function<void()> start;
        std::function<void()> stop;
        std::function<void()> tick;
        QTimer *rest = nullptr; // waits out the rest of the interval after a thaw
        int keptMs = -1;        // the wait kept by a freeze; -1 if the timer did not run
    };
    void addTimer(Entry entry);

    std::list<Entry> m_entries; // a list: each entry's handler keeps its address
    bool m_frozen = false;
};

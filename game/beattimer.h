#pragma once

#include "beatkeeper.h"

#include <QObject>

class QSocketNotifier;
class QTimer;

// The timer of the pops: a repeating timer with QTimer's face (interval, start, stop,
// timeout), whose ticks come on a beat finer than Qt's timers can keep. Qt 6.4 waits in whole
// milliseconds, which leaves half a millisecond of error on average; here each tick is due at
// an absolute time in nanoseconds on the steady clock (BeatKeeper), and on Linux a timerfd on
// CLOCK_MONOTONIC, read through a QSocketNotifier, wakes the thread just before that time.
// Where there is no timerfd, or when a coarser timer type is asked for, a Qt timer of that
// type waits the whole milliseconds nearest to the due time.
//
// As with a running QTimer, setInterval() sets the wait until the next tick; called while a
// tick is handled, that wait counts from when the tick was due (see BeatKeeper).
class BeatTimer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int interval READ interval WRITE setInterval)
    Q_PROPERTY(bool active READ isActive)
    Q_PROPERTY(Qt::TimerType timerType READ timerType WRITE setTimerType)
public:
    explicit BeatTimer(QObject *parent = nullptr);
    ~BeatTimer() override;

    int interval() const { return m_intervalMs; }
    void setInterval(int ms);
    bool isActive() const { return m_active; }
    // Whole milliseconds until the next tick, as QTimer::remainingTime(); -1 when stopped.
    int remainingTime() const;
    Qt::TimerType timerType() const { return m_type; }
    void setTimerType(Qt::TimerType type);

public slots:
    void start();
    void stop();

signals:
    void timeout();

private:
    bool fine() const { return m_fd >= 0 && m_type == Qt::PreciseTimer; }
    void arm(qint64 dueNs);
    void disarm();
    void tick();

    int m_intervalMs = 0;
    bool m_active = false;
    bool m_armedDuringTick = false;
    Qt::TimerType m_type = Qt::PreciseTimer;
    BeatKeeper m_beat;
    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_qtTimer = nullptr;
};

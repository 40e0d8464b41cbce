#include "beattimer.h"

#include "steadyclock.h"

#include <QSocketNotifier>
#include <QTimer>

#if __has_include(<sys/timerfd.h>)
#include <sys/prctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#define ZUBBO_HAS_TIMERFD 1
#endif

namespace {
// A thread woken through the event loop runs 0.1 to 0.6 ms after the time it was woken for,
// more on a virtual machine, and by a different amount every time. The fine clock therefore
// wakes the thread this much early, then sleeps again, with no timer slack, until SpinNs
// before the tick is due, and waits out only that last moment awake.
constexpr qint64 WakeEarlyNs = 1'000'000;
// A sleep with no slack ends within tens of microseconds of its time, nearly always.
constexpr qint64 SpinNs = 100'000;
constexpr qint64 NsPerSecond = 1'000'000'000;

#ifdef ZUBBO_HAS_TIMERFD
void waitUntil(qint64 dueNs)
{
    const qint64 sleepUntilNs = dueNs - SpinNs;
    if (steadyClockNs() < sleepUntilNs) {
        // The thread's timer slack (50 us by default) would let the sleep end that much late.
        const int slack = prctl(PR_GET_TIMERSLACK);
        prctl(PR_SET_TIMERSLACK, 1);
        const timespec until{sleepUntilNs / NsPerSecond, sleepUntilNs % NsPerSecond};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
        }
        if (slack > 0)
            prctl(PR_SET_TIMERSLACK, slack);
    }
    while (steadyClockNs() < dueNs) {
    }
}
#endif
} // namespace

BeatTimer::BeatTimer(QObject *parent) : QObject(parent), m_qtTimer(new QTimer(this))
{
    m_qtTimer->setSingleShot(true);
    m_qtTimer->setTimerType(m_type);
    connect(m_qtTimer, &QTimer::timeout, this, &BeatTimer::tick);
#ifdef ZUBBO_HAS_TIMERFD
    // The steady clock is CLOCK_MONOTONIC on Linux, so due times carry over unchanged.
    m_fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd >= 0) {
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            quint64 expirations = 0;
            // Nothing to read: the timer was set anew after it expired.
            if (read(m_fd, &expirations, sizeof expirations) != sizeof expirations)
                return;
            waitUntil(m_beat.dueNs());
            tick();
        });
    }
#endif
}

BeatTimer::~BeatTimer()
{
#ifdef ZUBBO_HAS_TIMERFD
    if (m_fd >= 0) {
        delete m_notifier;
        close(m_fd);
    }
#endif
}

void BeatTimer::setInterval(int ms)
{
    m_intervalMs = ms;
    if (m_active)
        arm(m_beat.nextDue(steadyClockNs(), ms));
}

int BeatTimer::remainingTime() const
{
    return m_active ? BeatKeeper::waitMs(m_beat.dueNs(), steadyClockNs()) : -1;
}

void BeatTimer::setTimerType(Qt::TimerType type)
{
    disarm();
    m_type = type;
    m_qtTimer->setTimerType(type);
    if (m_active)
        start();
}

void BeatTimer::start()
{
    m_active = true;
    arm(m_beat.start(steadyClockNs(), m_intervalMs));
}

void BeatTimer::stop()
{
    m_active = false;
    disarm();
}

void BeatTimer::arm(qint64 dueNs)
{
    m_armedDuringTick = true;
#ifdef ZUBBO_HAS_TIMERFD
    if (fine()) {
        const qint64 wakeNs = dueNs - WakeEarlyNs;
        itimerspec due{};
        due.it_value.tv_sec = wakeNs / NsPerSecond;
        due.it_value.tv_nsec = wakeNs % NsPerSecond;
        timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &due, nullptr);
        return;
    }
#endif
    m_qtTimer->start(BeatKeeper::waitMs(dueNs, steadyClockNs()));
}

void BeatTimer::disarm()
{
#ifdef ZUBBO_HAS_TIMERFD
    if (m_fd >= 0) {
        const itimerspec never{};
        timerfd_settime(m_fd, 0, &never, nullptr);
    }
#endif
    m_qtTimer->stop();
}

// Repeats on the beat unless the handlers set the next tick themselves or stopped the timer.
void BeatTimer::tick()
{
    m_armedDuringTick = false;
    emit timeout();
    if (m_active && !m_armedDuringTick)
        arm(m_beat.nextDue(steadyClockNs(), m_intervalMs));
}

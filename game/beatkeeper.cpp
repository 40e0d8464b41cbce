#include "beatkeeper.h"

#include <algorithm>

namespace {
constexpr qint64 NsPerMs = 1'000'000;
// How late a tick may come and still count as on the beat. Qt's timers come up to about
// 2 ms late; anything later, or any early tick, starts the beat afresh.
constexpr qint64 OnBeatNs = 3 * NsPerMs;
}

int BeatKeeper::nextWait(qint64 nowNs, int intervalMs)
{
    const qint64 lateNs = nowNs - m_dueNs;
    if (!m_running || lateNs < 0 || lateNs > OnBeatNs)
        m_dueNs = nowNs;
    m_running = true;
    m_dueNs += intervalMs * NsPerMs;
    const qint64 waitNs = m_dueNs - nowNs;
    return int(std::max<qint64>(1, (waitNs + NsPerMs / 2) / NsPerMs));
}

#include "beatkeeper.h"

#include <algorithm>

namespace {
constexpr qint64 NsPerMs = 1'000'000;
// How late a tick may come and still count as on the beat: a Qt timer comes up to about
// 2 ms late. Anything later, or any early tick, starts the beat afresh.
constexpr qint64 OnBeatNs = 3 * NsPerMs;
}

qint64 BeatKeeper::start(qint64 nowNs, int intervalMs)
{
    m_dueNs = nowNs + intervalMs * NsPerMs;
    return m_dueNs;
}

qint64 BeatKeeper::nextDue(qint64 nowNs, int intervalMs)
{
    const qint64 lateNs = nowNs - m_dueNs;
    if (lateNs < 0 || lateNs > OnBeatNs)
        return start(nowNs, intervalMs);
    m_dueNs += intervalMs * NsPerMs;
    return m_dueNs;
}

int BeatKeeper::waitMs(qint64 dueNs, qint64 nowNs)
{
    return int(std::max<qint64>(1, (dueNs - nowNs + NsPerMs / 2) / NsPerMs));
}

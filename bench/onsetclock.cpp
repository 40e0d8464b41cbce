#include "onsetclock.h"

#include <QByteArray>

#include <algorithm>
#include <cstdlib>
#include <cstring>

OnsetClock::OnsetClock(int sampleRate) : m_sampleRate(sampleRate) {}

void OnsetClock::addChunk(const QByteArray &samples, qint64 receivedNs)
{
    const qsizetype count = samples.size() / qsizetype(sizeof(qint16));
    const qsizetype first = m_samples.size();
    m_samples.resize(first + count);
    std::memcpy(m_samples.data() + first, samples.constData(), count * sizeof(qint16));
    const qint64 bound = receivedNs - m_samples.size() * 1000000000LL / m_sampleRate;
    if (!m_haveClock || bound < m_firstSampleNs)
        m_firstSampleNs = bound;
    m_haveClock = true;
}

QList<qint64> OnsetClock::onsetsNs(double fraction, int quietMs) const
{
    int loudest = 0;
    for (qint16 sample : m_samples)
        loudest = std::max(loudest, std::abs(int(sample)));
    const int threshold = std::max(1, int(loudest * fraction));
    const qsizetype quietSamples = qsizetype(quietMs) * m_sampleRate / 1000;

    QList<qint64> onsets;
    qsizetype lastLoud = -quietSamples - 1;
    for (qsizetype i = 0; i < m_samples.size(); ++i) {
        if (std::abs(int(m_samples[i])) < threshold)
            continue;
        if (i - lastLoud > quietSamples)
            onsets.append(m_firstSampleNs + i * 1000000000LL / m_sampleRate);
        lastLoud = i;
    }
    return onsets;
}

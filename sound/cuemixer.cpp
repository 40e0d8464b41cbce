#include "cuemixer.h"

#include <algorithm>
#include <limits>

void CueMixer::start(const QString &cue, const QList<qint16> &samples, float gain)
{
    m_voices.removeIf([&cue](const Voice &voice) { return voice.cue == cue; });
    if (!samples.isEmpty())
        m_voices.append({cue, samples, gain, 0});
}

void CueMixer::mix(qint16 *out, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i) {
        float sum = 0;
        for (Voice &voice : m_voices) {
            if (voice.position < voice.samples.size())
                sum += voice.samples[voice.position++] * voice.gain;
        }
        out[i] = qint16(std::clamp(sum, float(std::numeric_limits<qint16>::min()),
                                   float(std::numeric_limits<qint16>::max())));
    }
    m_voices.removeIf([](const Voice &voice) { return voice.position >= voice.samples.size(); });
}

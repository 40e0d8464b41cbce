#include "cuemixer.h"

#include "cues.h"

#include <algorithm>
#include <limits>

CueMixer::CueMixer()
{
    m_voices.reserve(Cues.size());
}

void CueMixer::start(const QString &cue, const QList<qint16> &samples, float gain)
{
    std::erase_if(m_voices, [&cue](const Voice &voice) { return voice.cue == cue; });
    if (!samples.isEmpty())
        m_voices.push_back({cue, samples, gain, 0});
}

void CueMixer::mix(qint16 *out, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i) {
        float sum = 0;
        for (Voice &voice : m_voices) {
            const QList<qint16> &samples = voice.samples; // a non-const index would copy them
            if (voice.position < samples.size())
                sum += samples[voice.position++] * voice.gain;
        }
        out[i] = qint16(std::clamp(sum, float(std::numeric_limits<qint16>::min()),
                                   float(std::numeric_limits<qint16>::max())));
    }
    std::erase_if(m_voices,
                  [](const Voice &voice) { return voice.position >= voice.samples.size(); });
}

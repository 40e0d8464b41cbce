#include "cueresampler.h"

#include <samplerate.h>

#include <algorithm>
#include <cmath>

namespace {
constexpr float FullScale = 32768.0f;

qint16 toSample(float value)
{
    return qint16(std::lrint(std::clamp(value * FullScale, -FullScale, FullScale - 1)));
}

QList<qint16> toSamples(const float *values, qsizetype count)
{
    QList<qint16> samples(count);
    std::transform(values, values + count, samples.begin(), toSample);
    return samples;
}
} // namespace

QList<qint16> cueSamples(const std::vector<float> &mono, int fromRate, int toRate)
{
    if (mono.empty())
        return {};
    if (fromRate == toRate)
        return toSamples(mono.data(), qsizetype(mono.size()));
    const double ratio = double(toRate) / fromRate;
    std::vector<float> converted(size_t(std::ceil(double(mono.size()) * ratio)) + 1);
    SRC_DATA data = {};
    data.data_in = mono.data();
    data.input_frames = long(mono.size());
    data.data_out = converted.data();
    data.output_frames = long(converted.size());
    data.src_ratio = ratio;
    if (src_simple(&data, SRC_SINC_MEDIUM_QUALITY, 1) != 0)
        return {};
    return toSamples(converted.data(), data.output_frames_gen);
}

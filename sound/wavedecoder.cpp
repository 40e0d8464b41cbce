#include "wavedecoder.h"

#include "cueresampler.h"
#include "wavechunks.h"
#include "wavesource.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {
constexpr int LowestRate = 8000;
constexpr int HighestRate = 192000;
constexpr sf_count_t LongestSeconds = 10;
// Samples read at a time, over all channels.
constexpr sf_count_t BlockSamples = 16384;

struct SoundFileCloser
{
    void operator()(SNDFILE *file) const { sf_close(file); }
};

bool holdsPlainSamples(const SF_INFO &info)
{
    const int container = info.format & SF_FORMAT_TYPEMASK;
    const int samples = info.format & SF_FORMAT_SUBMASK;
    const bool wave = container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX;
    const bool plain = samples == SF_FORMAT_PCM_U8 || samples == SF_FORMAT_PCM_16
        || samples == SF_FORMAT_PCM_24 || samples == SF_FORMAT_PCM_32 || samples == SF_FORMAT_FLOAT
        || samples == SF_FORMAT_DOUBLE;
    return wave && plain && info.channels > 0 && info.samplerate >= LowestRate
        && info.samplerate <= HighestRate && info.frames >= 0
        && info.frames <= LongestSeconds * info.samplerate;
}

// The file's frames with their channels averaged. Float files may hold anything: what is
// no number plays as silence, and what lies beyond full scale is clipped to it.
std::vector<float> monoSamples(SNDFILE *file, const SF_INFO &info)
{
    std::vector<float> mono;
    mono.reserve(size_t(info.frames));
    const sf_count_t framesPerBlock = std::max<sf_count_t>(1, BlockSamples / info.channels);
    std::vector<float> block(size_t(framesPerBlock * info.channels));
    while (sf_count_t(mono.size()) < info.frames) {
        const sf_count_t wanted = std::min(framesPerBlock, info.frames - sf_count_t(mono.size()));
        const sf_count_t read = sf_readf_float(file, block.data(), wanted);
        if (read <= 0)
            break;
        for (sf_count_t frame = 0; frame < read; ++frame) {
            float sum = 0;
            for (int channel = 0; channel < info.channels; ++channel) {
                const float sample = block[size_t(frame * info.channels + channel)];
                sum += std::isfinite(sample) ? std::clamp(sample, -1.0f, 1.0f) : 0.0f;
            }
            mono.push_back(sum / float(info.channels));
        }
    }
    return mono;
}
} // namespace

QList<qint16> decodeWave(const QByteArray &bytes, int sampleRate)
{
    const std::optional<WaveChunks> chunks = plainWaveChunks(bytes);
    if (sampleRate < LowestRate || sampleRate > HighestRate || !chunks)
        return {};
    WaveSource source(*chunks);
    SF_INFO info = {};
    const std::unique_ptr<SNDFILE, SoundFileCloser> file(source.open(&info));
    if (!file || !holdsPlainSamples(info))
        return {};
    return cueSamples(monoSamples(file.get(), info), info.samplerate, sampleRate);
}

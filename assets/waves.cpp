#include "waves.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <numbers>

namespace Waves {

namespace {

constexpr double PeakLevel = 0.708; // -3 dBFS
constexpr double FadeIn = 0.001;
constexpr double FadeOut = 0.010;

using Signal = std::vector<double>;

Signal silence(double seconds)
{
    return Signal(static_cast<size_t>(std::lround(seconds * SampleRate)), 0.0);
}

double timeOf(size_t sample)
{
    return static_cast<double>(sample) / SampleRate;
}

// A sine partial added onto `signal` from `start` seconds on: it rises linearly over
// `attack` seconds, so a note entering mid-sound does not click, then decays.
void addPartial(Signal &signal, double start, double frequency, double amplitude, double decay,
                double attack = 0.0)
{
    const size_t first = static_cast<size_t>(std::lround(start * SampleRate));
    for (size_t i = first; i < signal.size(); ++i) {
        const double t = timeOf(i - first);
        const double rise = t < attack ? t / attack : 1.0;
        signal[i] += amplitude * rise * std::exp(-t / decay)
            * std::sin(2 * std::numbers::pi * frequency * t);
    }
}

// Linear fades at both ends, then scaled so the loudest sample sits at PeakLevel.
Samples finish(Signal signal)
{
    const size_t fadeIn = static_cast<size_t>(FadeIn * SampleRate);
    const size_t fadeOut = static_cast<size_t>(FadeOut * SampleRate);
    for (size_t i = 0; i < fadeIn && i < signal.size(); ++i)
        signal[i] *= static_cast<double>(i) / fadeIn;
    for (size_t i = 0; i < fadeOut && i < signal.size(); ++i)
        signal[signal.size() - 1 - i] *= static_cast<double>(i) / fadeOut;

    double peak = 0.0;
    for (double s : signal)
        peak = std::max(peak, std::abs(s));
    const double gain = peak > 0.0 ? PeakLevel * 32767.0 / peak : 0.0;
    Samples samples(signal.size());
    std::transform(signal.begin(), signal.end(), samples.begin(),
                   [gain](double s) { return static_cast<std::int16_t>(std::lround(s * gain)); });
    return samples;
}

// A fixed-seed xorshift generator, so the knock's noise is the same in every build.
class NoiseSource
{
public:
    double next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return static_cast<double>(m_state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t m_state = 0x2545f491U;
};

void putLittleEndian(std::vector<char> &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

void putTag(std::vector<char> &out, const char (&tag)[5])
{
    for (int i = 0; i < 4; ++i)
        out.push_back(tag[i]);
}

}

Samples synthUp()
{
    // An exponential sweep up an octave and a bit, with a touch of second harmonic for body.
    constexpr double Length = 0.1;
    constexpr double StartFrequency = 420.0;
    constexpr double EndFrequency = 1000.0;
    Signal signal = silence(Length);
    const double rate = std::log(EndFrequency / StartFrequency) / Length;
    for (size_t i = 0; i < signal.size(); ++i) {
        const double t = timeOf(i);
        const double phase = 2 * std::numbers::pi * StartFrequency * (std::exp(rate * t) - 1.0)
            / rate;
        const double envelope = std::exp(-t / 0.035);
        signal[i] = envelope * (std::sin(phase) + 0.22 * std::sin(2 * phase));
    }
    return finish(std::move(signal));
}

Samples synthHit()
{
    // Low damped partials give the wooden body; a brief burst of noise and a fast-dying
    // high partial give the bright edge of the strike.
    Signal signal = silence(0.15);
    addPartial(signal, 0.0, 196.0, 1.0, 0.040);
    addPartial(signal, 0.0, 523.0, 0.55, 0.018);
    addPartial(signal, 0.0, 1187.0, 0.3, 0.008);
    addPartial(signal, 0.0, 3150.0, 0.25, 0.004);
    // Differentiating, then smoothing the noise keeps its energy in the upper mid range,
    // bright without hiss.
    NoiseSource noise;
    double previous = 0.0;
    double smoothed = 0.0;
    for (size_t i = 0; i < signal.size(); ++i) {
        const double white = noise.next();
        smoothed += 0.4 * ((white - previous) - smoothed);
        signal[i] += 0.9 * smoothed * std::exp(-timeOf(i) / 0.003);
        previous = white;
    }
    return finish(std::move(signal));
}

Samples synthEnd()
{
    // G, E, then a longer C below, each note a soft organ-like tone ringing into the next.
    struct Note
    {
        double start, frequency;
    };
    constexpr std::array<Note, 3> Notes{{{0.0, 784.0}, {0.17, 659.3}, {0.34, 523.3}}};
    Signal signal = silence(0.75);
    constexpr double Attack = 0.004;
    for (const Note &note : Notes) {
        addPartial(signal, note.start, note.frequency, 1.0, 0.16, Attack);
        addPartial(signal, note.start, note.frequency * 2, 0.28, 0.09, Attack);
        addPartial(signal, note.start, note.frequency * 3, 0.1, 0.05, Attack);
    }
    return finish(std::move(signal));
}

std::vector<char> wavFile(const Samples &samples)
{
    constexpr std::uint32_t FormatChunkSize = 16;
    constexpr std::uint16_t PcmFormat = 1;
    constexpr std::uint16_t Channels = 1;
    constexpr std::uint16_t BitsPerSample = 16;
    constexpr std::uint16_t BlockAlign = Channels * BitsPerSample / 8;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * BlockAlign);

    std::vector<char> out;
    out.reserve(44 + dataSize);
    putTag(out, "RIFF");
    putLittleEndian(out, 4 + (8 + FormatChunkSize) + (8 + dataSize), 4);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLittleEndian(out, FormatChunkSize, 4);
    putLittleEndian(out, PcmFormat, 2);
    putLittleEndian(out, Channels, 2);
    putLittleEndian(out, SampleRate, 4);
    putLittleEndian(out, SampleRate * BlockAlign, 4);
    putLittleEndian(out, BlockAlign, 2);
    putLittleEndian(out, BitsPerSample, 2);
    putTag(out, "data");
    putLittleEndian(out, dataSize, 4);
    for (std::int16_t sample : samples)
        putLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    return out;
}

Samples synth(Cue cue)
{
    switch (cue) {
    case Cue::Up:
        return synthUp();
    case Cue::Hit:
        return synthHit();
    case Cue::End:
        break;
    }
    return synthEnd();
}

bool writeCues(const std::filesystem::path &folder)
{
    for (const CueInfo &cue : Cues) {
        const std::vector<char> bytes = wavFile(synth(cue.cue));
        std::ofstream file(folder / cue.fileName, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file)
            return false;
    }
    return true;
}

}

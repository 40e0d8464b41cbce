#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

// The game's three wave cues, synthesised as 16-bit mono PCM at 44.1 kHz. Each sound
// starts at its first sample, since the game plays it on the beat, and fades in and out
// within a few milliseconds so it does not click.
namespace Waves {

constexpr int SampleRate = 44100;
using Samples = std::vector<std::int16_t>;

Samples synthUp();  // a soft rising pop, 0.1 s
Samples synthHit(); // a wooden knock with a bright edge, 0.15 s
Samples synthEnd(); // a falling three-note ending, about 0.75 s

// A complete RIFF/WAVE file: a 16-byte fmt chunk with format tag 1, then the samples.
std::vector<char> wavFile(const Samples &samples);

struct Cue
{
    const char *fileName;
    Samples (*synth)();
};

constexpr std::array<Cue, 3> Cues{{
    {"Up.wav", synthUp},
    {"Hit.wav", synthHit},
    {"End.wav", synthEnd},
}};

// Writes every cue into `folder`; false if a file could not be written.
bool writeCues(const std::filesystem::path &folder);

}

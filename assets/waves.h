#pragma once

#include "cues.h"

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

// The samples of one of the game's cues.
Samples synth(Cue cue);

// Writes every cue into `folder` under its file name; false if a file could not be written.
bool writeCues(const std::filesystem::path &folder);

}

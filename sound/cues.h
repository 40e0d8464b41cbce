#pragma once

#include <array>
#include <cstddef>

// The game's sound cues and their wave files, which lie in the program's folder. Plain C++,
// so that the build-time generator of the wave files reads the same table as the game.
enum class Cue { Up, Hit, End };

// Where a cue's sequence sets the wave player's CueFlag: not at all, before naming the wave
// file, or after naming it and before playing.
enum class CueFlagging { Unflagged, FlagBeforeFile, FlagAfterFile };

struct CueInfo
{
    Cue cue;
    const char *fileName;
    CueFlagging flagging;
};

constexpr std::array<CueInfo, 3> Cues{{
    {Cue::Up, "Up.wav", CueFlagging::Unflagged},
    {Cue::Hit, "Hit.wav", CueFlagging::FlagAfterFile},
    {Cue::End, "End.wav", CueFlagging::FlagBeforeFile},
}};

constexpr const CueInfo &cueInfo(Cue cue)
{
    return Cues[std::size_t(cue)];
}

static_assert(
    [] {
        for (std::size_t i = 0; i < Cues.size(); ++i) {
            if (std::size_t(Cues[i].cue) != i)
                return false;
        }
        return true;
    }(),
    "the Cues table lists every cue once, in the order of the enum");

#pragma once

#include <QtGlobal>

#include <chrono>

// Nanoseconds on the steady clock: the beat's clock, and the clock the benchmarks measure
// the beat and the sound with.
inline qint64 steadyClockNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

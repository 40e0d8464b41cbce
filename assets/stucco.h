#pragma once

#include <vector>

namespace Artwork {

// The height field of the board's stucco wall, one value per device pixel row by row,
// for a wall of `size` x `size` logical pixels at `dpr` device pixels per logical pixel.
// Deterministic: the same relief every run.
std::vector<float> stuccoRelief(int size, float dpr);

}

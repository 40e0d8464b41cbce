#pragma once

#include <cstdint>
#include <vector>

namespace Artwork {

// A random value in [0, 1) for `index`, fully determined by the index and the seed.
float hashUnit(std::uint32_t index, std::uint32_t seed);

// 0 at or below 0, 1 at or above 1, and an S-curve between with level ends.
float smoothstep(float t);

// Smooth value noise in [0, 1]: random values on an integer lattice, blended with a
// smoothstep. The lattice is hashed once from the seed and stored, so every run draws the
// same texture. Pictures sample it a row at a time, which blends the two lattice rows
// once and leaves one blend per pixel.
class ValueNoise
{
public:
    // Covers lattice coordinates 0 <= x < cellsX, 0 <= y < cellsY; outside, it repeats.
    ValueNoise(int cellsX, int cellsY, std::uint32_t seed);

    // Fills `row` with the noise at (x0 + i * step, y) for every index i of `row`.
    void sampleRow(float y, float x0, float step, std::vector<float> &row) const;

private:
    int m_cellsX;
    int m_cellsY;
    std::vector<float> m_values;
};

}

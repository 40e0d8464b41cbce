#include "valuenoise.h"

#include <algorithm>
#include <cmath>

namespace Artwork {

namespace {

std::uint32_t mix(std::uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

int wrap(int value, int period)
{
    const int r = value % period;
    return r < 0 ? r + period : r;
}

}

float smoothstep(float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float hashUnit(std::uint32_t index, std::uint32_t seed)
{
    const std::uint32_t h = mix(index * 0x9e3779b9U + mix(seed));
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

ValueNoise::ValueNoise(int cellsX, int cellsY, std::uint32_t seed)
    : m_cellsX(cellsX), m_cellsY(cellsY), m_values(static_cast<size_t>(cellsX) * cellsY)
{
    for (size_t i = 0; i < m_values.size(); ++i)
        m_values[i] = hashUnit(static_cast<std::uint32_t>(i), seed);
}

void ValueNoise::sampleRow(float y, float x0, float step, std::vector<float> &row) const
{
    const float fy = std::floor(y);
    const int iy = static_cast<int>(fy);
    const float ty = smoothstep(y - fy);
    const float *upper = &m_values[static_cast<size_t>(wrap(iy, m_cellsY)) * m_cellsX];
    const float *lower = &m_values[static_cast<size_t>(wrap(iy + 1, m_cellsY)) * m_cellsX];
    std::vector<float> blended(static_cast<size_t>(m_cellsX) + 1);
    for (int x = 0; x < m_cellsX; ++x)
        blended[x] = upper[x] + (lower[x] - upper[x]) * ty;
    blended[m_cellsX] = blended[0];

    for (size_t i = 0; i < row.size(); ++i) {
        const float x = x0 + step * static_cast<float>(i);
        const float fx = std::floor(x);
        int ix = static_cast<int>(fx);
        if (ix < 0 || ix >= m_cellsX)
            ix = wrap(ix, m_cellsX);
        const float tx = smoothstep(x - fx);
        row[i] = blended[ix] + (blended[ix + 1] - blended[ix]) * tx;
    }
}

}

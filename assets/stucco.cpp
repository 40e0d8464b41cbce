#include "stucco.h"
#include "valuenoise.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace Artwork {

namespace {

// Overlapping dabs of plaster over broad, gentle lumps, with a fine grain. Sizes in
// logical pixels.
constexpr float DabDensity = 0.026f; // dabs per square logical pixel
constexpr float DabMinRadius = 3.0f;
constexpr float DabMaxRadius = 7.5f;
constexpr float DabMinSquash = 0.35f;
constexpr float LumpCell = 14.0f;
constexpr float LumpDepth = 0.35f;
constexpr float GrainDepth = 0.12f;
constexpr std::uint32_t WallSeed = 1966;

// One oval smear of plaster: a dome tilted by `angle`, `squash` times as wide as long.
struct Dab
{
    float centreX, centreY, radius, squash, angle, height;
};

// The dab's profile along one row: d2 is quadratic in x, so the row's span inside the oval
// comes from its roots and d2 itself steps along by finite differences.
void stampDab(std::vector<float> &heights, int width, int rows, const Dab &dab)
{
    const float cosA = std::cos(dab.angle) / dab.radius;
    const float sinA = std::sin(dab.angle) / dab.radius;
    const float squash2 = dab.squash * dab.squash;
    const float a = cosA * cosA + sinA * sinA / squash2;
    const int top = std::max(0, static_cast<int>(dab.centreY - dab.radius));
    const int bottom = std::min(rows - 1, static_cast<int>(dab.centreY + dab.radius));
    for (int y = top; y <= bottom; ++y) {
        const float dy = y + 0.5f - dab.centreY;
        const float p = dy * sinA;
        const float q = dy * cosA;
        const float b = 2.0f * (p * cosA - q * sinA / squash2);
        const float c = p * p + q * q / squash2;
        const float discriminant = b * b - 4.0f * a * (c - 1.0f);
        if (discriminant <= 0.0f)
            continue;
        const float root = std::sqrt(discriminant);
        const int first =
            std::max(0, static_cast<int>(std::ceil(dab.centreX + (-b - root) / (2 * a) - 0.5f)));
        const int last = std::min(width - 1,
                                  static_cast<int>(
                                      std::floor(dab.centreX + (-b + root) / (2 * a) - 0.5f)));
        float dx = first + 0.5f - dab.centreX;
        float d2 = (a * dx + b) * dx + c;
        float delta = a * (2 * dx + 1) + b;
        float *row = &heights[static_cast<size_t>(y) * width];
        for (int x = first; x <= last; ++x) {
            row[x] = std::max(row[x], dab.height * std::max(0.0f, 1.0f - d2));
            d2 += delta;
            delta += 2 * a;
        }
    }
}

// Where dabs overlap the higher one wins, leaving the ridges and creases of plaster laid
// on with a trowel.
void stampDabs(std::vector<float> &heights, int size, float dpr)
{
    const int width = static_cast<int>(std::ceil(size * dpr));
    const int count = static_cast<int>(DabDensity * size * size);
    std::uint32_t draw = 0;
    auto next = [&draw] { return hashUnit(draw++, WallSeed); };
    for (int i = 0; i < count; ++i) {
        Dab dab{};
        dab.centreX = next() * size * dpr;
        dab.centreY = next() * size * dpr;
        dab.radius = (DabMinRadius + (DabMaxRadius - DabMinRadius) * next()) * dpr;
        dab.squash = DabMinSquash + (1.0f - DabMinSquash) * next();
        dab.angle = next() * std::numbers::pi_v<float>;
        dab.height = 0.6f + 0.4f * next();
        stampDab(heights, width, width, dab);
    }
}

void addLumpsAndGrain(std::vector<float> &heights, int size, float dpr)
{
    const int width = static_cast<int>(std::ceil(size * dpr));
    const int cells = static_cast<int>(size / LumpCell) + 2;
    const ValueNoise lumps(cells, cells, WallSeed + 1);
    const float step = 1.0f / (LumpCell * dpr);
    std::vector<float> lumpRow(width);
    for (int y = 0; y < width; ++y) {
        lumps.sampleRow((y + 0.5f) * step, 0.5f * step, step, lumpRow);
        float *row = &heights[static_cast<size_t>(y) * width];
        for (int x = 0; x < width; ++x)
            row[x] += LumpDepth * lumpRow[x]
                + GrainDepth * hashUnit(static_cast<std::uint32_t>(y * width + x), WallSeed + 2);
    }
}

}

std::vector<float> stuccoRelief(int size, float dpr)
{
    const int width = static_cast<int>(std::ceil(size * dpr));
    std::vector<float> heights(static_cast<size_t>(width) * width, 0.0f);
    stampDabs(heights, size, dpr);
    addLumpsAndGrain(heights, size, dpr);
    return heights;
}

}

#include "artwork.h"
#include "boardlayout.h"
#include "canvas.h"
#include "stucco.h"
#include "valuenoise.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Artwork {

namespace {

constexpr int BoardSize = BoardLayout::WallSize.width();

// Wall colour from top to bottom: dark brown, brown at mid-height, bright orange.
constexpr std::array<std::array<float, 3>, 3> WallStops{
    {{75, 49, 10}, {165, 101, 9}, {252, 159, 6}}};
// The relief lights and shades the wall by adding or taking away this much of each
// channel per unit of slope. Adding rather than scaling keeps the bright orange at the
// bottom from washing out at full red, and keeps the relief visible on the dark top.
constexpr float EmbossStrength = 1.1f;
constexpr std::array<float, 3> ReliefTint{100, 72, 26};

using BoardLayout::Hole;

// The black interior stays this far inside the painted extent; the band between is the
// soft shadow on the hole's rim, with its lower right lip catching the light.
constexpr float RimWidth = 5.0f;
constexpr float ShadowCore = 0.8f; // share of the extent's radius at full rim shadow
constexpr float RimShadow = 0.86f;
constexpr float LipLight = 0.7f;  // extra light on the lit lip, as a share of the wall colour
constexpr float LipOffset = 1.6f; // logical pixels outside the interior
constexpr float LipWidth = 1.8f;

// How one hole changes a wall pixel: the share of darkness and the light added on the lip.
struct Shade
{
    float darkness = 0.0f;
    float light = 0.0f;
};

Shade holeShade(const Hole &hole, float x, float y, float dpr)
{
    const QRect &extent = hole.painted;
    const int centreX = hole.centre.x();
    const int centreY = hole.centre.y();
    const float extentX = (extent.left() + extent.right() + 1) * 0.5f;
    const float extentY = (extent.top() + extent.bottom() + 1) * 0.5f;
    const float extentRX = extent.width() * 0.5f;
    const float extentRY = extent.height() * 0.5f;
    const float ex = (x - extentX) / extentRX;
    const float ey = (y - extentY) / extentRY;
    const float u = std::sqrt(ex * ex + ey * ey);
    if (u >= 1.0f)
        return {};

    const float rx = std::min(centreX - extent.left(), extent.right() - centreX) + 0.5f - RimWidth;
    const float ry = std::min(centreY - extent.top(), extent.bottom() - centreY) + 0.5f - RimWidth;
    const float dx = x - (centreX + 0.5f);
    const float dy = y - (centreY + 0.5f);
    // Distance to the interior's edge, from the ellipse equation and its gradient.
    const float gx = dx / (rx * rx);
    const float gy = dy / (ry * ry);
    const float gradient = std::max(1e-4f, 2.0f * std::sqrt(gx * gx + gy * gy));
    const float distance = (dx * gx + dy * gy - 1.0f) / gradient;
    const float interior = std::clamp(0.5f - distance * dpr, 0.0f, 1.0f);

    const float rim = u <= ShadowCore ? 1.0f - (1.0f - RimShadow) * u / ShadowCore
                                      : RimShadow * smoothstep((1.0f - u) / (1.0f - ShadowCore));
    const float facing = std::max(0.0f, (gx + gy) / gradient * 2.0f * 0.7071f);
    const float across = (distance - LipOffset) / LipWidth;
    const float lip = std::max(0.0f, 1.0f - across * across);
    return {std::max(rim, interior), LipLight * facing * lip * lip * (1.0f - interior)};
}

std::array<float, 3> wallColour(float y)
{
    const float t = std::clamp(y / BoardSize, 0.0f, 1.0f) * 2.0f;
    const int segment = t < 1.0f ? 0 : 1;
    const float f = t - segment;
    std::array<float, 3> colour{};
    for (int c = 0; c < 3; ++c)
        colour[c] = WallStops[segment][c] + (WallStops[segment + 1][c] - WallStops[segment][c]) * f;
    return colour;
}

// The graded wall lit from the upper left: a slope of the relief that faces up-left is
// brighter, one that faces down-right darker. Then the holes darken it.
void paintBoard(QImage &image, float dpr)
{
    const std::vector<float> heights = stuccoRelief(BoardSize, dpr);
    const int width = image.width();
    const int step = std::max(1, static_cast<int>(dpr));
    const float strength = EmbossStrength * dpr / step;
    for (int y = 0; y < image.height(); ++y) {
        const float logicalY = (y + 0.5f) / dpr;
        const std::array<float, 3> base = wallColour(logicalY);
        const float *above = &heights[static_cast<size_t>(std::max(0, y - step)) * width];
        const float *below =
            &heights[static_cast<size_t>(std::min(image.height() - 1, y + step)) * width];
        std::vector<const Hole *> rowHoles;
        for (const Hole &hole : BoardLayout::Holes)
            if (logicalY >= hole.painted.top() && logicalY < hole.painted.bottom() + 1)
                rowHoles.push_back(&hole);

        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float slope = below[std::min(width - 1, x + step)] - above[std::max(0, x - step)];
            const float lit = strength * slope;
            const float logicalX = (x + 0.5f) / dpr;
            Shade shade;
            for (const Hole *hole : rowHoles)
                if (logicalX >= hole->painted.left() && logicalX < hole->painted.right() + 1)
                    shade = holeShade(*hole, logicalX, logicalY, dpr);
            std::array<int, 3> rgb{};
            for (int c = 0; c < 3; ++c) {
                const float wall = base[c] + lit * ReliefTint[c];
                const float value = wall * (1.0f - shade.darkness) + base[c] * shade.light;
                rgb[c] = std::clamp(static_cast<int>(value + 0.5f), 0, 255);
            }
            line[x] = qRgb(rgb[0], rgb[1], rgb[2]);
        }
    }
}

}

QPixmap board(qreal dpr)
{
    QImage image = blankCanvas(QSize(BoardSize, BoardSize), dpr, QImage::Format_RGB32);
    paintBoard(image, static_cast<float>(dpr));
    return QPixmap::fromImage(image);
}

}

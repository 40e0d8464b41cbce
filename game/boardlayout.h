#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// Where everything sits on the board, in pixels of the main window's client area.
namespace BoardLayout {

constexpr QSize ClientSize{400, 398};

constexpr QRect PointsTable{160, 16, 81, 33};
constexpr QRect ScorePanel{136, 8, 127, 52};   // Caps(1)
constexpr QRect TimeX{168, 344, 49, 33};
constexpr QRect TimePanel{136, 336, 127, 52};  // Caps(0)
constexpr QRect Version{333, 383, 62, 17};
constexpr QRect Message{8, 176, 385, 49};
constexpr QRect PointerSheet{0, 0, 401, 401};  // imgCUR
constexpr QRect RaisedHammer{8, 360, 32, 32};  // imgHAM(0), never shown
constexpr QRect StrikingHammer{40, 360, 32, 32}; // imgHAM(1), never shown

constexpr QSize TargetSize{60, 52};
constexpr QSize HitSize{60, 60};

struct Hole
{
    QPoint target; // top left of ZubIN(i)
    QPoint hit;    // top left of Explode(i)
};

// The hit picture covers its target, except at holes 1, 5 and 6 where it starts one pixel
// further right and leaves the target's leftmost column uncovered.
constexpr std::array<Hole, 11> Holes{{
    {{40, 8}, {40, 8}},
    {{292, 14}, {293, 11}},
    {{129, 65}, {129, 62}},
    {{37, 121}, {37, 120}},
    {{264, 103}, {264, 100}},
    {{162, 165}, {163, 161}},
    {{79, 226}, {80, 224}},
    {{289, 199}, {289, 197}},
    {{189, 262}, {189, 258}},
    {{49, 303}, {49, 301}},
    {{284, 303}, {284, 302}},
}};

} // namespace BoardLayout

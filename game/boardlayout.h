#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// Where everything sits on the board, in pixels of the main window's client area, and the
// sizes of the pictures drawn for it. The window places its controls and the painter draws
// the wall's holes from these numbers.
namespace BoardLayout {

constexpr QSize ClientSize{400, 398};
constexpr QSize WallSize{400, 400}; // the wall picture, a little taller than the client area

constexpr QSize TargetSize{60, 52};
constexpr QSize HitSize{60, 60};
constexpr QSize PanelSize{127, 52};
constexpr QSize HammerSize{32, 32};

constexpr QRect PointsTable{160, 16, 81, 33};
constexpr QRect ScorePanel{QPoint(136, 8), PanelSize}; // Caps(1)
constexpr QRect TimeX{168, 344, 49, 33};
constexpr QRect TimePanel{QPoint(136, 336), PanelSize}; // Caps(0)
constexpr QRect Version{333, 383, 62, 17};
constexpr QRect Message{8, 176, 385, 49};
constexpr QRect PointerSheet{0, 0, 401, 401};                // imgCUR
constexpr QRect RaisedHammer{QPoint(8, 360), HammerSize};    // imgHAM(0), never shown
constexpr QRect StrikingHammer{QPoint(40, 360), HammerSize}; // imgHAM(1), never shown

struct Hole
{
    QRect painted; // the hole's painted extent on the wall, rim shadow included
    QPoint centre; // centre of its black interior
    QPoint target; // top left of ZubIN(i)
    QPoint hit;    // top left of Explode(i)
};

constexpr int HoleCount = 11;

// Top to bottom in a zigzag. The hit picture covers its target, except at holes 1, 5 and 6
// where it starts one pixel further right and leaves the target's leftmost column uncovered.
constexpr std::array<Hole, HoleCount> Holes{{
    {{QPoint(21, 28), QPoint(119, 75)}, {71, 53}, {40, 8}, {40, 8}},
    {{QPoint(275, 32), QPoint(371, 79)}, {323, 57}, {292, 14}, {293, 11}},
    {{QPoint(114, 87), QPoint(208, 131)}, {161, 109}, {129, 65}, {129, 62}},
    {{QPoint(24, 143), QPoint(117, 188)}, {70, 167}, {37, 121}, {37, 120}},
    {{QPoint(251, 124), QPoint(344, 169)}, {297, 147}, {264, 103}, {264, 100}},
    {{QPoint(146, 186), QPoint(239, 230)}, {192, 209}, {162, 165}, {163, 161}},
    {{QPoint(67, 249), QPoint(159, 292)}, {112, 271}, {79, 226}, {80, 224}},
    {{QPoint(275, 220), QPoint(367, 263)}, {320, 242}, {289, 199}, {289, 197}},
    {{QPoint(177, 287), QPoint(268, 329)}, {222, 308}, {189, 262}, {189, 258}},
    {{QPoint(36, 330), QPoint(126, 372)}, {80, 351}, {49, 303}, {49, 301}},
    {{QPoint(271, 328), QPoint(362, 370)}, {316, 349}, {284, 303}, {284, 302}},
}};

} // namespace BoardLayout

#pragma once

#include <QPoint>
#include <QSize>

// The board as designed, written down apart from the game's own layout table, so that the
// tests catch a change to that table: the client area, and per hole the centre of its black
// interior and where the game puts the hole's target and fireball.
namespace DesignedBoard {

constexpr QSize ClientSize{400, 398};

struct HolePlace
{
    QPoint centre, target, fireball;
};

constexpr HolePlace Places[] = {
    {{71, 53}, {40, 8}, {40, 8}},         {{323, 57}, {292, 14}, {293, 11}},
    {{161, 109}, {129, 65}, {129, 62}},   {{70, 167}, {37, 121}, {37, 120}},
    {{297, 147}, {264, 103}, {264, 100}}, {{192, 209}, {162, 165}, {163, 161}},
    {{112, 271}, {79, 226}, {80, 224}},   {{320, 242}, {289, 199}, {289, 197}},
    {{222, 308}, {189, 262}, {189, 258}}, {{80, 351}, {49, 303}, {49, 301}},
    {{316, 349}, {284, 303}, {284, 302}},
};

} // namespace DesignedBoard

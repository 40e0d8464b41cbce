#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// The difficulty levels. Everything that differs between them stands in the Levels table
// below: the menus, the pop tick, the score store, the record dialog and the viewers read it.
enum class Level { Easy = 1, Medium = 2, Hard = 3 };

struct LevelInfo
{
    Level level;
    const char *caption;      // its item in the Level menu
    int beatMs;               // the wait between two pops
    const char *tableFile;    // its score table, in the folder of the tables
    int lineLimit;            // the most entries a load reads from the file
    const char *recordSuffix; // appended to the record dialog's caption
    const char *topTenItem;   // its item in the Top Scores menu: object name and caption
    const char *topTenCaption;
    const char *viewerWindow; // object names of its viewer and the viewer's list
    const char *viewerList;
};

// Captions and suffixes are translated in the context "Levels"; file and object names never.
constexpr std::array<LevelInfo, 3> Levels{{
    {Level::Easy, QT_TRANSLATE_NOOP("Levels", "&Easy"), 950, "Top_Easy.zub", 100,
     QT_TRANSLATE_NOOP("Levels", " - Easy"), "bmT_EASY",
     QT_TRANSLATE_NOOP("Levels", "&Easy Top Ten"), "frmEASY", "lstEASY"},
    {Level::Medium, QT_TRANSLATE_NOOP("Levels", "&Medium"), 600, "Top_Medi.zub", 10,
     QT_TRANSLATE_NOOP("Levels", " - Medium"), "bmT_MEDIUM",
     QT_TRANSLATE_NOOP("Levels", "&Medium Top Ten"), "frmMEDI", "lstMEDI"},
    {Level::Hard, QT_TRANSLATE_NOOP("Levels", "&Hard"), 400, "Top_Hard.zub", 10,
     QT_TRANSLATE_NOOP("Levels", " - Hard"), "bmT_HARD",
     QT_TRANSLATE_NOOP("Levels", "&Hard Top Ten"), "frmHARD", "lstHARD"},
}};

constexpr int LevelCount = int(Levels.size());
constexpr int FirstLevel = 1;

// Levels are numbered from 1, in the order of the table and the menu.
constexpr int levelNumber(Level level)
{
    return int(level);
}

// The level's place in the Levels table, and in any per-level array that follows it.
constexpr std::size_t levelIndex(Level level)
{
    return std::size_t(levelNumber(level) - FirstLevel);
}

constexpr const LevelInfo &levelInfo(Level level)
{
    return Levels[levelIndex(level)];
}

static_assert(
    [] {
        for (int i = 0; i < LevelCount; ++i) {
            if (levelNumber(Levels[std::size_t(i)].level) != FirstLevel + i)
                return false;
        }
        return true;
    }(),
    "the Levels table lists every level once, in the order of their numbers");

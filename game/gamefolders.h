#pragma once

#include "zubmod.h"

#include <QString>

// Where a copy of the game finds its wave cues and its sound output module, and where it
// keeps its score tables.
//
// A copy is installed when its data folder lies where the install puts it, relative to the
// program (DataFromProgram, "../share/zubbo" beside "games/"): it takes the cues and the
// module from the install and keeps the tables in the player's own data folder, created on
// the first record, so that it never writes into the install. Any other copy, the one in
// the build folder or one copied into a folder of its own, finds everything beside the
// program and keeps the tables there.
struct GameFolders
{
    QString cues;
    QString modules;
    QString tables;
    TableFolder tableFolder = TableFolder::Existing;
};

namespace InstallLayout {
// Paths relative to the installed program's folder, from the install rules.
inline constexpr char DataFromProgram[] = ZUBBO_DATA_FROM_PROGRAM;
inline constexpr char ModulesFromProgram[] = ZUBBO_MODULES_FROM_PROGRAM;
// The folder of the tables in the player's data folder ($XDG_DATA_HOME).
inline constexpr char TablesInDataHome[] = "zubbo";
} // namespace InstallLayout

// The folders of the copy whose program lies in programFolder; dataHome is the player's
// data folder.
GameFolders findGameFolders(const QString &programFolder, const QString &dataHome);

// The player's data folder: $XDG_DATA_HOME when it is an absolute path, else .local/share in
// the player's home folder.
QString playerDataHome();

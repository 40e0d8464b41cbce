#pragma once

#include "../game/levels.h"

#include <QString>

#include <array>
#include <memory>

class QLockFile;

constexpr int TableSlots = 101; // indexes 0..100, entries use 1..count

// One level's table as a view on ZubMod's members, so loading and writing exist once for all three.
struct TopTableRef
{
    quint8 &count;
    std::array<QString, TableSlots> &names;
    std::array<qint32, TableSlots> &scores;
};

// The program-wide score tables, one per level, each kept in a file in the program's folder.
class ZubMod
{
public:
    explicit ZubMod(QString folder);

    quint8 TopEasyCount = 0;
    std::array<QString, TableSlots> TopEasyName;
    std::array<qint32, TableSlots> TopEasyScore{};
    quint8 TopMediCount = 0;
    std::array<QString, TableSlots> TopMediName;
    std::array<qint32, TableSlots> TopMediScore{};
    quint8 TopHardCount = 0;
    std::array<QString, TableSlots> TopHardName;
    std::array<qint32, TableSlots> TopHardScore{};

    TopTableRef table(Level level);
    QString filePath(Level level) const;
    static int lineLimit(Level level);

    void LoadTopEasy();
    void LoadTopMedi();
    void LoadTopHard();
    // Reads the level's file into its table. The count changes only when at least one entry
    // was read; slots above the new count keep their old content.
    void load(Level level);
    bool writeTable(Level level, QString *error = nullptr);
    // Holds off other running copies of the game from the level's file between reading and
    // writing it; nothing when another copy keeps it longer than a short wait.
    std::unique_ptr<QLockFile> lockTable(Level level) const;

private:
    QString m_folder;
};

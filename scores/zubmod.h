#pragma once

#include "levels.h"
#include "tablefile.h"

#include <QList>
#include <QString>

#include <array>
#include <memory>

class QLockFile;

constexpr int TableSlots = 101; // indexes 0..100, entries use 1..count

// One level's score table: each player's name once, with that player's best score.
struct TopTable
{
    quint8 count = 0;
    std::array<QString, TableSlots> names;
    std::array<qint32, TableSlots> scores{};
};

// What became of a record.
enum class Recorded {
    Saved,     // in the table and written to the level's file
    Unsaved,   // in the table, not in the file: the folder could not be made, another copy
               // held the lock or the write failed; the level's next saved record writes it
    TableFull, // a new name at a table that holds its level's line limit of names, the ten
               // of Medium and Hard: nothing changed; a name it holds can still raise its score
    NoRoom,    // every slot taken, Easy's hundred: nothing changed, not even a known score
};

// Whether the tables' folder is there from the start, or is made when the first score is
// recorded (the player's data folder of an installed game).
enum class TableFolder { Existing, MadeOnFirstRecord };

// How long a record waits for another copy of the game to release a level's lock.
constexpr int LockWaitMs = 2000;

// The program-wide score tables, one per level, each kept in a file in the tables' folder.
class ZubMod
{
    std::array<TopTable, LevelCount> m_tables;

public:
    explicit ZubMod(QString folder, TableFolder kind = TableFolder::Existing,
                    int lockWaitMs = LockWaitMs);
    ZubMod(const ZubMod &) = delete;
    ZubMod &operator=(const ZubMod &) = delete;

    // The tables under their program-wide names.
    quint8 &TopEasyCount = table(Level::Easy).count;
    std::array<QString, TableSlots> &TopEasyName = table(Level::Easy).names;
    std::array<qint32, TableSlots> &TopEasyScore = table(Level::Easy).scores;
    quint8 &TopMediCount = table(Level::Medium).count;
    std::array<QString, TableSlots> &TopMediName = table(Level::Medium).names;
    std::array<qint32, TableSlots> &TopMediScore = table(Level::Medium).scores;
    quint8 &TopHardCount = table(Level::Hard).count;
    std::array<QString, TableSlots> &TopHardName = table(Level::Hard).names;
    std::array<qint32, TableSlots> &TopHardScore = table(Level::Hard).scores;

    TopTable &table(Level level);
    QString filePath(Level level) const;
    static int lineLimit(Level level);

    void LoadTopEasy();
    void LoadTopMedi();
    void LoadTopHard();
    // Loads every level's table by its own loader, Easy, Medium, then Hard.
    void loadAll();
    // Reads the level's file into its table. The count changes only when at least one entry
    // was read; slots above the new count keep their old content. Records not yet written
    // to the file are entered again on top, so the table never loses what the player saw.
    void load(Level level);
    bool writeTable(Level level, QString *error = nullptr);
    // Holds off other running copies of the game from the level's file between reading and
    // writing it; nothing when another copy keeps it longer than the lock wait. The lock lies
    // beside the file a linked table file leads to, which every copy reaches alike.
    std::unique_ptr<QLockFile> lockTable(Level level) const;

    // Records a finished round: a new name goes in after the last entry, a known name (in
    // any letter case) only has its score raised; then the level's file is written, in the
    // file a link leads to. A change that could not be written stays in the table and is
    // written with the level's next saved record, merged with what other copies wrote
    // meanwhile.
    Recorded record(Level level, const QString &name, qint32 score);

private:
    void readFile(Level level);

    // Per level, the records whose write failed, in the order they were made.
    std::array<QList<TableEntry>, LevelCount> m_unsaved;
    QString m_folder;
    TableFolder m_folderKind;
    int m_lockWaitMs;
};

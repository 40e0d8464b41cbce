#include "zubmod.h"

#include "tablefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <utility>

namespace {

// A copy holds the lock only while it reads and writes one small file. A copy that died
// holding it is noticed at once (its process is gone); one that hangs loses it after this.
constexpr int StaleLockMs = 10000;
constexpr int LockWaitMs = 2000;
constexpr int TableRoom = TableSlots - 1;

// The record rule on the table alone: the name goes in after the last entry first; a known
// name drops that entry again and only raises its own score, so entering the same record
// twice changes nothing the second time. False when a new name finds the table full.
bool enter(TopTable &table, const TableEntry &record)
{
    const int before = table.count;
    if (before >= TableRoom)
        return false;
    table.names[before + 1] = record.name;
    table.scores[before + 1] = record.score;
    table.count = quint8(before + 1);
    for (int k = 1; k <= before; ++k) {
        if (QString::compare(table.names[k], record.name, Qt::CaseInsensitive) == 0) {
            table.scores[k] = std::max(table.scores[k], record.score);
            table.count = quint8(before);
            break;
        }
    }
    return true;
}

} // namespace

ZubMod::ZubMod(QString folder, TableFolder kind)
    : m_folder(std::move(folder)), m_folderKind(kind)
{
}

TopTable &ZubMod::table(Level level)
{
    return m_tables[levelIndex(level)];
}

QString ZubMod::filePath(Level level) const
{
    return m_folder + QLatin1Char('/') + QLatin1StringView(levelInfo(level).tableFile);
}

int ZubMod::lineLimit(Level level)
{
    return levelInfo(level).lineLimit;
}

void ZubMod::LoadTopEasy()
{
    load(Level::Easy);
}

void ZubMod::LoadTopMedi()
{
    load(Level::Medium);
}

void ZubMod::LoadTopHard()
{
    load(Level::Hard);
}

void ZubMod::loadAll()
{
    LoadTopEasy();
    LoadTopMedi();
    LoadTopHard();
}

void ZubMod::load(Level level)
{
    readFile(level);
    for (const TableEntry &record : m_unsaved[levelIndex(level)])
        enter(table(level), record);
}

// Only a regular file is read: opening a pipe or a device left in its place would wait for a
// writer and hang the game at start-up.
void ZubMod::readFile(Level level)
{
    QFile file(filePath(level));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    const QList<TableEntry> entries = readTable(file, lineLimit(level));
    if (entries.isEmpty())
        return;
    TopTable &target = table(level);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        target.names[i + 1] = entries[i].name;
        target.scores[i + 1] = entries[i].score;
    }
    target.count = quint8(entries.size());
}

bool ZubMod::writeTable(Level level, QString *error)
{
    const TopTable &source = table(level);
    const int count = std::min<int>(source.count, TableRoom);
    QList<TableEntry> entries;
    entries.reserve(count);
    for (int i = 1; i <= count; ++i)
        entries.append({source.names[i], source.scores[i]});
    return writeTableFile(filePath(level), entries, error);
}

std::unique_ptr<QLockFile> ZubMod::lockTable(Level level) const
{
    auto lock = std::make_unique<QLockFile>(filePath(level) + QStringLiteral(".lock"));
    lock->setStaleLockTime(StaleLockMs);
    if (!lock->tryLock(LockWaitMs))
        return nullptr;
    return lock;
}

bool ZubMod::record(Level level, const QString &name, qint32 score)
{
    if (m_folderKind == TableFolder::MadeOnFirstRecord && !QDir().mkpath(m_folder))
        return false;
    // Another copy of the game running from the same folder may have recorded at this level
    // since this copy loaded the file, and the write below would drop that entry. Reading the
    // file again under the lock, and writing before the lock is released, keeps it. With one
    // copy running the file holds what the table holds, so the reading changes nothing.
    const std::unique_ptr<QLockFile> lock = lockTable(level);
    if (!lock)
        return false;
    load(level);
    const TableEntry entry{name, score};
    if (!enter(table(level), entry))
        return false;
    QList<TableEntry> &unsaved = m_unsaved[levelIndex(level)];
    unsaved.append(entry);
    if (!writeTable(level))
        return false;
    unsaved.clear();
    return true;
}

#include "zubmod.h"

#include "tablefile.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <utility>

namespace {

constexpr int EasyLineLimit = 100;
constexpr int OtherLineLimit = 10;
// A copy holds the lock only while it reads and writes one small file. A copy that died
// holding it is noticed at once (its process is gone); one that hangs loses it after this.
constexpr int StaleLockMs = 10000;
constexpr int LockWaitMs = 2000;

} // namespace

ZubMod::ZubMod(QString folder)
    : m_folder(std::move(folder))
{
}

TopTableRef ZubMod::table(Level level)
{
    switch (level) {
    case Level::Easy:
        return {TopEasyCount, TopEasyName, TopEasyScore};
    case Level::Medium:
        return {TopMediCount, TopMediName, TopMediScore};
    case Level::Hard:
        break;
    }
    return {TopHardCount, TopHardName, TopHardScore};
}

QString ZubMod::filePath(Level level) const
{
    switch (level) {
    case Level::Easy:
        return m_folder + QStringLiteral("/Top_Easy.zub");
    case Level::Medium:
        return m_folder + QStringLiteral("/Top_Medi.zub");
    case Level::Hard:
        break;
    }
    return m_folder + QStringLiteral("/Top_Hard.zub");
}

int ZubMod::lineLimit(Level level)
{
    return level == Level::Easy ? EasyLineLimit : OtherLineLimit;
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

void ZubMod::load(Level level)
{
    // Only a regular file is read: opening a pipe or a device left in its place would wait
    // for a writer and hang the game at start-up.
    QFile file(filePath(level));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return;
    const QList<TableEntry> entries = readTable(file, lineLimit(level));
    if (entries.isEmpty())
        return;
    const TopTableRef target = table(level);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        target.names[i + 1] = entries[i].name;
        target.scores[i + 1] = entries[i].score;
    }
    target.count = quint8(entries.size());
}

bool ZubMod::writeTable(Level level, QString *error)
{
    const TopTableRef source = table(level);
    const int count = std::min<int>(source.count, TableSlots - 1);
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

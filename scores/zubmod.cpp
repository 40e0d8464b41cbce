#include "zubmod.h"

#include "tablefile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>
#include <utility>

namespace {

// A copy holds the lock only while it reads and writes one small file. A copy that died
// holding it is noticed at once (its process is gone); one that hangs loses it after this.
constexpr int StaleLockMs = 10000;
constexpr int TableRoom = TableSlots - 1;
// Links followed to the file they lead to, as many as the kernel follows.
constexpr int MaxLinks = 40;

// The record rule on the table alone: a known name only raises its own score, a new one goes
// in after the last entry, so entering the same record twice changes nothing the second time.
// False when the table has no slot left, whatever the name, or when a new name finds the
// table holding its room of names.
bool enter(TopTable &table, const TableEntry &record, int room)
{
    const int count = table.count;
    if (count >= TableRoom)
        return false;
    for (int k = 1; k <= count; ++k) {
        if (QString::compare(table.names[k], record.name, Qt::CaseInsensitive) == 0) {
            table.scores[k] = std::max(table.scores[k], record.score);
            return true;
        }
    }
    if (count >= room)
        return false;
    table.names[count + 1] = record.name;
    table.scores[count + 1] = record.score;
    table.count = quint8(count + 1);
    return true;
}

// The file that a path leads to through any symbolic links.
QString linkedFile(const QString &path)
{
    QFileInfo file(path);
    for (int link = 0; link < MaxLinks && file.isSymLink(); ++link)
        file.setFile(file.symLinkTarget());
    return file.filePath();
}

// Makes the folder and every missing folder above it, each for its owner alone (0700), as the
// base-directory rules ask of folders made in the player's data folder.
bool makePrivateFolder(const QString &path)
{
    const QFileInfo folder(path);
    if (folder.isDir())
        return true;
    const QString parent = folder.absolutePath();
    if (parent == folder.absoluteFilePath() || !makePrivateFolder(parent))
        return false;
    // Another copy may make it at the same moment.
    return QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)
        || QFileInfo(path).isDir();
}

} // namespace

ZubMod::ZubMod(QString folder, TableFolder kind, int lockWaitMs)
    : m_folder(std::move(folder)), m_folderKind(kind), m_lockWaitMs(lockWaitMs)
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
        enter(table(level), record, lineLimit(level));
}

void ZubMod::readFile(Level level)
{
    const QList<TableEntry> entries = readTableFile(filePath(level), lineLimit(level));
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
    return writeTableFile(linkedFile(filePath(level)), entries, error);
}

std::unique_ptr<QLockFile> ZubMod::lockTable(Level level) const
{
    auto lock = std::make_unique<QLockFile>(linkedFile(filePath(level)) + QStringLiteral(".lock"));
    lock->setStaleLockTime(StaleLockMs);
    if (!lock->tryLock(m_lockWaitMs))
        return nullptr;
    return lock;
}

Recorded ZubMod::record(Level level, const QString &name, qint32 score)
{
    // Another copy of the game running from the same folder may have recorded at this level
    // since this copy loaded the file, and the write below would drop that entry. Reading the
    // file again under the lock, and writing before the lock is released, keeps it. With one
    // copy running the file holds what the table holds, so the reading changes nothing.
    const bool hasFolder = m_folderKind == TableFolder::Existing || makePrivateFolder(m_folder);
    const std::unique_ptr<QLockFile> lock = hasFolder ? lockTable(level) : nullptr;
    if (lock)
        load(level);
    TopTable &target = table(level);
    const TableEntry entry{name, score};
    if (!enter(target, entry, lineLimit(level)))
        return target.count >= TableRoom ? Recorded::NoRoom : Recorded::TableFull;
    // Without the folder or the lock the record waits in the table, as one whose write failed.
    QList<TableEntry> &unsaved = m_unsaved[levelIndex(level)];
    unsaved.append(entry);
    if (!lock || !writeTable(level))
        return Recorded::Unsaved;
    unsaved.clear();
    return Recorded::Saved;
}

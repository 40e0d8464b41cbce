// Fuzz target of the table reader. Any bytes must load without a crash, a hang or unbounded
// memory, and every entry read must come back unchanged from the file the game would write
// from it: the game rewrites a level's file from its table, so an entry that fails to come
// back would be lost.
#include "fuzzkit.h"
#include "levels.h"
#include "tablefile.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int EasyLimit = levelInfo(Level::Easy).lineLimit;
constexpr int OtherLimit = levelInfo(Level::Hard).lineLimit;

QList<TableEntry> readBytes(const QByteArray &bytes, int limit)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readTable(buffer, limit);
}

bool sameEntries(const QList<TableEntry> &a, const QList<TableEntry> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const TableEntry &x, const TableEntry &y) {
                          return x.name == y.name && x.score == y.score;
                      });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path = fuzzFilePath(QStringLiteral("Top_Easy.zub"));

    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<TableEntry> entries = readBytes(bytes, EasyLimit);
    if (entries.size() > EasyLimit)
        failWith("more entries than the limit");
    const QList<TableEntry> firstTen = readBytes(bytes, OtherLimit);
    if (!sameEntries(firstTen, entries.first(std::min<qsizetype>(entries.size(), OtherLimit))))
        failWith("a lower limit reads other entries");

    if (entries.isEmpty())
        return 0;
    QString error;
    if (!writeTableFile(path, entries, &error))
        failWith(qPrintable(QStringLiteral("an entry read cannot be written: ") + error));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failWith("the written file cannot be opened");
    if (!sameEntries(readTable(file, EasyLimit), entries))
        failWith("an entry read does not come back from the written file");
    return 0;
}

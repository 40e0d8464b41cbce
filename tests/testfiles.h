#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

// Whole files read and written by the tests, byte for byte.

// A file of the build, named from the folder of the test programs, where the game and its
// cues lie too. Found from the running test rather than compiled in, so that no build's own
// folder is written into a test and a compiler cache can serve one clone's compiled tests to
// another.
inline QString besideTheTests(const QString &name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

// The file's bytes, or nothing when it cannot be read.
inline QByteArray fileContent(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Creates or replaces the file with exactly these bytes.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Score table lines "<prefix><n>;<n * pointsPerNumber>;" for n from first to last.
inline QByteArray numberedLines(const QByteArray &prefix, int first, int last,
                                int pointsPerNumber = 1, const QByteArray &lineEnd = "\r\n")
{
    QByteArray bytes;
    for (int i = first; i <= last; ++i)
        bytes += prefix + QByteArray::number(i) + ';' + QByteArray::number(i * pointsPerNumber)
            + ';' + lineEnd;
    return bytes;
}

// The entries of those lines as the tests describe entries: "<prefix><n>=<n * pointsPerNumber>".
inline QStringList numberedEntries(const QString &prefix, int first, int last,
                                   int pointsPerNumber = 1)
{
    QStringList entries;
    for (int i = first; i <= last; ++i)
        entries.append(prefix + QString::number(i) + u'=' + QString::number(i * pointsPerNumber));
    return entries;
}

// Every file and folder below path, with the bytes of each file: equal snapshots mean that
// nothing was written, renamed or left behind.
inline QMap<QString, QByteArray> snapshot(const QString &path)
{
    QMap<QString, QByteArray> found;
    QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString entry = it.next();
        found.insert(entry, it.fileInfo().isDir() ? QByteArray("<folder>") : fileContent(entry));
    }
    return found;
}

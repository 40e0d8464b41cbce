#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

class QIODevice;

// The score table file format, without any window: one line per entry, the name, ";", the
// score in decimal digits, ";", CR LF.

struct TableEntry
{
    QString name;
    qint32 score = 0;
};

// The longest name a table keeps, in UTF-16 code units. A name read from a file is written
// back in a line that the reader takes, whatever the character set, and even a hundred such
// lines stay far below what the reader reads of a file.
constexpr qsizetype MaxNameLength = 500;

// One decoded line without its line end; nothing when it cannot be read as an entry or its
// name is longer than MaxNameLength.
std::optional<TableEntry> readTableLine(QStringView line);

// Up to limit good entries from the first MiB; lines that cannot be read as an entry, and
// lines longer than 4 KiB, are skipped.
QList<TableEntry> readTable(QIODevice &in, int limit);

// The entries of the table file at path, as readTable reads them; none when it cannot be
// opened or is not a regular file. It never waits, whatever stands at path.
QList<TableEntry> readTableFile(const QString &path, int limit);

// Replaces the file as a whole; on failure the previous file stays as it was.
bool writeTableFile(const QString &path, const QList<TableEntry> &entries,
                    QString *error = nullptr);

// Why a name typed by the player would not read back from a table file as typed.
enum class NameProblem {
    None,
    Empty,
    TooLong,
    Comma,
    Semicolon,
    LeadingQuote,
    LeadingBlank,
    ControlCharacter
};
NameProblem checkName(const QString &name);

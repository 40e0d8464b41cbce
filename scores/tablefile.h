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

// One decoded line without its line end; nothing when it cannot be read as an entry.
std::optional<TableEntry> readTableLine(QStringView line);

// Up to limit good entries; lines that cannot be read as an entry are skipped.
QList<TableEntry> readTable(QIODevice &in, int limit);

// The entries of the table file at path, as readTable reads them; none when it cannot be
// opened or is not a regular file.
QList<TableEntry> readTableFile(const QString &path, int limit);

// Replaces the file as a whole; on failure the previous file stays as it was.
bool writeTableFile(const QString &path, const QList<TableEntry> &entries, QString *error = nullptr);

// Why a name typed by the player would not read back from a table file as typed.
enum class NameProblem { None, Empty, Comma, Semicolon, LeadingQuote, LeadingBlank, ControlCharacter };
NameProblem checkName(const QString &name);

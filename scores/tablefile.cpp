#include "tablefile.h"

#include "textcodec.h"

#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 ChunkBytes = 64 * 1024;
// Longer lines are skipped unread. The longest line the game writes holds a name of
// MaxNameLength at three UTF-8 bytes each, a byte order mark or two quotes, the separators,
// a sign and ten digits, CR LF.
constexpr qsizetype MaxLineBytes = 4 * 1024;
static_assert(MaxNameLength * 3 + 3 + 2 + 11 + 2 <= MaxLineBytes);
// A load reads no further, so that no file put in a table's place, a huge one or an endless
// device, can stall the game; a full table of the longest lines takes about 150 KB.
constexpr qint64 MaxFileBytes = 1024 * 1024;
// Any magnitude above this is out of range, and stopping here keeps the sum from overflowing.
constexpr qint64 MaxMagnitude = qint64(std::numeric_limits<qint32>::max()) + 1;

constexpr QChar FieldQuote = u'"';
constexpr QChar FieldEnd = u',';
constexpr QChar Separator = u';';
constexpr QChar ByteOrderMark = QChar::ByteOrderMark;

bool isBlank(QChar ch)
{
    return ch == u' ' || ch == u'\t';
}

bool isDigit(QChar ch)
{
    return ch >= u'0' && ch <= u'9';
}

// The field of a line: leading blanks skipped; a quoted field runs to the next quote,
// any other to the first comma.
QStringView lineField(QStringView line)
{
    const auto start = std::find_if_not(line.begin(), line.end(), isBlank);
    QStringView rest = line.sliced(start - line.begin());
    QChar end = FieldEnd;
    if (rest.startsWith(FieldQuote)) {
        rest = rest.sliced(1);
        end = FieldQuote;
    }
    const qsizetype stop = rest.indexOf(end);
    return stop < 0 ? rest : rest.first(stop);
}

// Blanks are ignored; an optional sign, digits, one "." and further digits are read and the
// first other character ends the number; the result is rounded half to even. Nothing when
// the rounded value lies outside qint32.
std::optional<qint32> readScore(QStringView text)
{
    auto it = text.begin();
    const auto next = [&] {
        it = std::find_if_not(it, text.end(), isBlank);
        return it == text.end() ? QChar() : *it;
    };

    bool negative = false;
    if (const QChar sign = next(); sign == u'-' || sign == u'+') {
        negative = sign == u'-';
        ++it;
    }
    qint64 magnitude = 0;
    for (QChar ch = next(); isDigit(ch); ++it, ch = next()) {
        magnitude = magnitude * 10 + ch.digitValue();
        if (magnitude > MaxMagnitude)
            return std::nullopt;
    }
    if (next() == u'.') {
        ++it;
        int firstDecimal = 0;
        bool moreAfterFirst = false;
        if (const QChar ch = next(); isDigit(ch)) {
            firstDecimal = ch.digitValue();
            for (++it; isDigit(next()); ++it)
                moreAfterFirst = moreAfterFirst || *it != u'0';
        }
        if (firstDecimal > 5 || (firstDecimal == 5 && (moreAfterFirst || magnitude % 2 != 0)))
            ++magnitude;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

// The line that reads back as this entry, or nothing when no line can. A name with a comma
// or leading blanks (which only a hand-edited file can give) goes between quotes. Reading
// drops a byte order mark at the start of a line, as editors put one at the start of a
// file, so a name that begins with one gets a second in front.
std::optional<QString> lineFor(const TableEntry &entry)
{
    const QString &name = entry.name;
    if (name.contains(Separator) || name.contains(u'\r') || name.contains(u'\n'))
        return std::nullopt;
    const QString line = name + Separator + QString::number(entry.score) + Separator;
    const bool needsQuotes = name.contains(FieldEnd) || name.startsWith(FieldQuote)
        || (!name.isEmpty() && isBlank(name.front()));
    if (!needsQuotes)
        return name.startsWith(ByteOrderMark) ? ByteOrderMark + line : line;
    if (name.contains(FieldQuote))
        return std::nullopt;
    return FieldQuote + line + FieldQuote;
}

// Windows-1252 as long as every line fits it; otherwise the whole file is UTF-8.
QByteArray fileBytes(const QStringList &lines)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QByteArray bytes;
    for (const QString &line : lines) {
        const auto encoded = TextCodec::encodeWindows1252Line(line);
        if (!encoded)
            return (lines.join(lineEnd) + lineEnd).toUtf8();
        bytes += *encoded + lineEnd.toLatin1();
    }
    return bytes;
}

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

} // namespace

std::optional<TableEntry> readTableLine(QStringView line)
{
    const QStringView field = lineField(line);
    const qsizetype nameEnd = field.indexOf(Separator);
    if (nameEnd < 0)
        return std::nullopt;
    const QStringView rest = field.sliced(nameEnd + 1);
    const qsizetype scoreEnd = rest.indexOf(Separator);
    if (scoreEnd < 0)
        return std::nullopt;
    const auto score = readScore(rest.first(scoreEnd));
    if (!score || nameEnd > MaxNameLength)
        return std::nullopt;
    return TableEntry{field.first(nameEnd).toString(), *score};
}

QList<TableEntry> readTable(QIODevice &in, int limit)
{
    QList<TableEntry> entries;
    QByteArray line;
    bool overlong = false;

    const auto addToLine = [&](const char *from, const char *to) {
        if (overlong)
            return;
        if (line.size() + (to - from) > MaxLineBytes) {
            overlong = true;
            line.clear();
            return;
        }
        line.append(from, to - from);
    };
    // CR and LF each end a line: CR LF leaves an empty line between them, and an empty
    // line holds no entry anyway.
    const auto endLine = [&] {
        if (!overlong && !line.isEmpty()) {
            if (auto entry = readTableLine(TextCodec::decodeLine(line)))
                entries.append(*entry);
        }
        line.resize(0);
        overlong = false;
    };

    QByteArray chunk(ChunkBytes, Qt::Uninitialized);
    qint64 unread = MaxFileBytes;
    bool atEnd = false;
    while (entries.size() < limit && unread > 0) {
        const qint64 got = in.read(chunk.data(), std::min(ChunkBytes, unread));
        if (got < 0)
            return entries;
        if (got == 0) {
            atEnd = true;
            break;
        }
        unread -= got;
        const char *pos = chunk.constData();
        const char *const end = pos + got;
        while (pos < end && entries.size() < limit) {
            const char *const stop = std::find_if(pos, end,
                                                  [](char c) { return c == '\n' || c == '\r'; });
            addToLine(pos, stop);
            pos = stop;
            if (pos < end) {
                ++pos;
                endLine();
            }
        }
    }
    // A last line without a line end counts, but not one that the bound cut.
    if (atEnd && entries.size() < limit)
        endLine();
    return entries;
}

// Opened without waiting, as a pipe in the file's place would wait for a writer; then only a
// regular file is read. What was opened is checked, not the path before, so that nothing can
// be swapped in between.
QList<TableEntry> readTableFile(const QString &path, int limit)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat info; // filled by fstat, read only when it succeeds
    QFile file;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    return readTable(file, limit);
}

bool writeTableFile(const QString &path, const QList<TableEntry> &entries, QString *error)
{
    QStringList lines;
    for (const TableEntry &entry : entries) {
        const auto line = lineFor(entry);
        if (!line)
            return fail(error,
                        QStringLiteral("The name \"%1\" cannot be stored in a table file.")
                            .arg(entry.name));
        lines.append(*line);
    }

    // Unbuffered, so that a write cut short by a full disk or a file size limit shows in the
    // count written: through a buffer the cut is lost and commit() puts the cut file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, file.errorString());
    const QByteArray bytes = fileBytes(lines);
    if (const qint64 written = file.write(bytes); written != bytes.size()) {
        return fail(error,
                    written < 0 ? file.errorString()
                                : QStringLiteral("Only %1 of %2 bytes could be written.")
                                      .arg(written)
                                      .arg(bytes.size()));
    }
    if (!file.commit())
        return fail(error, file.errorString());
    return true;
}

NameProblem checkName(const QString &name)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    if (name.size() > MaxNameLength)
        return NameProblem::TooLong;
    if (name.front() == FieldQuote)
        return NameProblem::LeadingQuote;
    if (name.front() == u' ')
        return NameProblem::LeadingBlank;
    for (const QChar ch : name) {
        if (ch == FieldEnd)
            return NameProblem::Comma;
        if (ch == Separator)
            return NameProblem::Semicolon;
        if (ch.category() == QChar::Other_Control)
            return NameProblem::ControlCharacter;
    }
    return NameProblem::None;
}

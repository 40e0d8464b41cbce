// The table file format on its own: how one line reads (fields, quotes, the score's number),
// how a file splits into lines and stops at a level's limit, the two character sets, whatever
// damage a file holds, the exact bytes a write gives and that they read back the same, a
// failed write that keeps the old file, a writer killed in the middle that leaves the old file
// or the new one, and the names a player may not record.
#include "tablefile.h"
#include "testfiles.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <limits>
#include <optional>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int EasyLimit = 100;
constexpr int OtherLimit = 10;
constexpr qint64 MegaByte = 1024 * 1024;

// "name=score" per entry, so a failed comparison shows which entry differs.
QStringList describe(const QList<TableEntry> &entries)
{
    QStringList lines;
    for (const TableEntry &entry : entries)
        lines.append(entry.name + u'=' + QString::number(entry.score));
    return lines;
}

// The entries as a table file written with them, in a folder of its own, reads them back;
// the file's bytes go to *bytes.
QStringList readBack(const QList<TableEntry> &entries, QByteArray *bytes = nullptr)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Top_Easy.zub"_s);
    QString error;
    if (!writeTableFile(path, entries, &error))
        return {u"not written: "_s + error};
    if (bytes)
        *bytes = fileContent(path);
    return describe(readTableFile(path, EasyLimit));
}

// A writer killed at a random moment of its life, mostly in the middle of a write.
constexpr int Kills = 40;
constexpr int LongestLifeMs = 20;
constexpr int KilledTableEntries = 3000;
constexpr char WriteStarts = 'b';
constexpr char WriteDone = 'e';
constexpr char WriteFailed = 'f';

// A table whose first entry tells which write made it.
QList<TableEntry> killedTable(int writeNumber)
{
    QList<TableEntry> entries{{QStringLiteral("Write"), writeNumber}};
    for (int i = 1; i < KilledTableEntries; ++i)
        entries.append({QStringLiteral("Player number %1").arg(i), i});
    return entries;
}

QByteArray killedTableBytes(int writeNumber)
{
    return "Write;" + QByteArray::number(writeNumber) + ";\r\n"
        + numberedLines("Player number ", 1, KilledTableEntries - 1);
}

// A forked writer that replaces the file with the tables of write first, first + 1, ...
// until it is killed, and tells through the pipe when each write starts and ends.
[[noreturn]] void writeUntilKilled(const QString &path, int first, int pipeEnd)
{
    for (int number = first;; ++number) {
        const QList<TableEntry> table = killedTable(number);
        [[maybe_unused]] ssize_t told = ::write(pipeEnd, &WriteStarts, 1);
        const bool written = writeTableFile(path, table);
        told = ::write(pipeEnd, written ? &WriteDone : &WriteFailed, 1);
    }
}

// What stands where the reader looks for a table file.
enum class Placed { SparseFile, Pipe, PipeWithWriter, Folder };

// A sparse file of this size takes no room on disk, but reading it all would stall a load.
constexpr qint64 SparseFileBytes = qint64(2) << 30;

} // namespace

using Bytes = std::optional<QByteArray>;
Q_DECLARE_METATYPE(Placed)
Q_DECLARE_METATYPE(Bytes)

class TestTableFile : public QObject
{
    Q_OBJECT

private slots:
    void readsLine_data();
    void readsLine();
    void readsFile_data();
    void readsFile();
    void stopsReadingOnceFull();
    void readsWithinBounds_data();
    void readsWithinBounds();
    void writesAndReadsBack_data();
    void writesAndReadsBack();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void killedWriterLeavesWholeFile();
    void checksNames_data();
    void checksNames();
};

// One line of a table file: the field rules, the two required semicolons, the score's
// number reading with half-to-even rounding and the 32-bit range.
void TestTableFile::readsLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("score");

    const QString thousandDigits = u'9' + QString(999, u'0');
    const QString zerosThenSeven = QString(1000, u'0') + u'7';
    const QString longHalf = QStringLiteral("2.5") + QString(1000, u'0') + u'1';

    QTest::newRow("plain") << "Anna;1250;" << true << "Anna" << 1250;
    QTest::newRow("leading blanks") << "   Anna;1250;" << true << "Anna" << 1250;
    QTest::newRow("leading tab") << "\tAnna;3;" << true << "Anna" << 3;
    QTest::newRow("trailing blank kept") << "Anna ;3;" << true << "Anna " << 3;
    QTest::newRow("empty score") << "Anna;;" << true << "Anna" << 0;
    QTest::newRow("letters end score") << "Anna;12abc;" << true << "Anna" << 12;
    QTest::newRow("text after score") << "Anna;1250;xyz" << true << "Anna" << 1250;
    QTest::newRow("third semicolon") << "A;1;2;" << true << "A" << 1;
    QTest::newRow("empty name") << ";5;" << true << "" << 5;
    QTest::newRow("inner quote") << "An\"na;3;" << true << "An\"na" << 3;
    QTest::newRow("no second semicolon") << "Anna;1250" << false << "" << 0;
    QTest::newRow("no semicolon") << "Anna" << false << "" << 0;
    QTest::newRow("empty") << "" << false << "" << 0;
    QTest::newRow("blank") << "   " << false << "" << 0;
    QTest::newRow("comma ends field") << "Anna,Bob;5;" << false << "" << 0;
    QTest::newRow("comma in score") << "Anna;5,5;" << false << "" << 0;
    QTest::newRow("comma after entry") << "Anna;5;,x" << true << "Anna" << 5;
    QTest::newRow("quoted field") << "\"Smith, John;50;\"" << true << "Smith, John" << 50;
    QTest::newRow("quoted, text after") << "  \"Anna;7;\" rest" << true << "Anna" << 7;
    QTest::newRow("quoted, unclosed") << "\"Anna;7;" << true << "Anna" << 7;
    QTest::newRow("quoted leading blanks") << "\"  Anna;7;\"" << true << "  Anna" << 7;
    QTest::newRow("quote cuts score") << "\"Anna;7\";" << false << "" << 0;
    QTest::newRow("7.5") << "A;7.5;" << true << "A" << 8;
    QTest::newRow("6.5") << "A;6.5;" << true << "A" << 6;
    QTest::newRow("2.5") << "A;2.5;" << true << "A" << 2;
    QTest::newRow("2.51") << "A;2.51;" << true << "A" << 3;
    QTest::newRow("2.49") << "A;2.49;" << true << "A" << 2;
    QTest::newRow("2.5 then zeros") << "A;2.5000;" << true << "A" << 2;
    QTest::newRow("2.5, far 1") << QStringLiteral("A;") + longHalf + u';' << true << "A" << 3;
    QTest::newRow(".5") << "A;.5;" << true << "A" << 0;
    QTest::newRow("7.") << "A;7.;" << true << "A" << 7;
    QTest::newRow("-7.5") << "A;-7.5;" << true << "A" << -8;
    QTest::newRow("-6.5") << "A;-6.5;" << true << "A" << -6;
    QTest::newRow("-0") << "A;-0;" << true << "A" << 0;
    QTest::newRow("+7.5") << "A;+7.5;" << true << "A" << 8;
    QTest::newRow("-42") << "A;-42;" << true << "A" << -42;
    QTest::newRow("sign only") << "A;-;" << true << "A" << 0;
    QTest::newRow("two signs") << "A;+-5;" << true << "A" << 0;
    QTest::newRow("blanks around") << "A;  12  ;" << true << "A" << 12;
    QTest::newRow("blanks inside") << "A;1 250;" << true << "A" << 1250;
    QTest::newRow("blank after sign") << "A;- 5;" << true << "A" << -5;
    QTest::newRow("tabs, blank at point") << "A;\t1 . 5\t;" << true << "A" << 2;
    QTest::newRow("exponent") << "A;1e5;" << true << "A" << 1;
    QTest::newRow("second point") << "A;1.2.3;" << true << "A" << 1;
    QTest::newRow("no number") << "A;abc;" << true << "A" << 0;
    QTest::newRow("fullwidth digits") << u"A;\uFF11\uFF12;"_s << true << "A" << 0;
    QTest::newRow("max") << "A;2147483647;" << true << "A" << std::numeric_limits<qint32>::max();
    QTest::newRow("min") << "A;-2147483648;" << true << "A" << std::numeric_limits<qint32>::min();
    QTest::newRow("min, half to even")
        << "A;-2147483648.5;" << true << "A" << std::numeric_limits<qint32>::min();
    QTest::newRow("below max, half") << "A;2147483646.5;" << true << "A" << 2147483646;
    QTest::newRow("max + 1") << "A;2147483648;" << false << "" << 0;
    QTest::newRow("min - 1") << "A;-2147483649;" << false << "" << 0;
    QTest::newRow("rounds above max") << "A;2147483647.5;" << false << "" << 0;
    QTest::newRow("eleven digits") << "A;99999999999;" << false << "" << 0;
    QTest::newRow("1000 digits") << QStringLiteral("A;") + thousandDigits + u';' << false << ""
                                 << 0;
    QTest::newRow("1000 leading zeros")
        << QStringLiteral("A;") + zerosThenSeven + u';' << true << "A" << 7;
}

void TestTableFile::readsLine()
{
    QFETCH(QString, line);
    QFETCH(bool, readable);

    const auto entry = readTableLine(line);
    QCOMPARE(entry.has_value(), readable);
    if (readable) {
        QTEST(entry->name, "name");
        QTEST(int(entry->score), "score");
    }
}

// A file reads as far as it can be read: LF, CR LF and a lone CR all end a line, a last line
// without a line end still counts; a load takes at most its limit of good entries, skipping
// lines it cannot read, a line longer than 4 KiB and a name longer than 500 characters; each
// line is UTF-8 when its bytes are valid UTF-8, else Windows-1252; and whatever else a
// damaged file holds. What was read, written again, reads back the same.
void TestTableFile::readsFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("entries");

    const QStringList annaBob{"Anna=1", "Bob=2"};
    const auto easy = [](const char *row, const QByteArray &bytes, const QStringList &entries) {
        QTest::newRow(row) << bytes << EasyLimit << entries;
    };
    easy("LF", "Anna;1;\nBob;2;\n", annaBob);
    easy("CR LF", "Anna;1;\r\nBob;2;\r\n", annaBob);
    easy("CR", "Anna;1;\rBob;2;\r", annaBob);
    easy("mixed", "Anna;1;\r\nBob;2;\rCarl;3;\nDora;4;", {"Anna=1", "Bob=2", "Carl=3", "Dora=4"});
    easy("no last line end", "Anna;1;\r\nBob;2;", annaBob);
    easy("empty lines", "\r\n\n\rAnna;1;\n\r\r\nBob;2;\r\n\r\n", annaBob);
    easy("empty file", QByteArray(), {});
    easy("only CR", QByteArray(1000, '\r'), {});
    easy("no line ends", "Anna;1;Bob;2;Carl;3;", {"Anna=1"});

    QTest::newRow("30 lines, Easy")
        << numberedLines("P", 1, 30, 10) << EasyLimit << numberedEntries(u"P"_s, 1, 30, 10);
    QTest::newRow("12 lines, Medium")
        << numberedLines("P", 1, 12, 10) << OtherLimit << numberedEntries(u"P"_s, 1, 10, 10);
    QTest::newRow("150 lines, Easy")
        << numberedLines("P", 1, 150, 10, "\n") << EasyLimit << numberedEntries(u"P"_s, 1, 100, 10);
    QByteArray mixed;
    const QList<QByteArray> badLines{"bad", "", "X;99999999999;", "Y;1", "\"Z;2\";"};
    for (int i = 1; i <= 12; ++i)
        mixed += badLines[i % badLines.size()] + "\r\nP" + QByteArray::number(i) + ";"
            + QByteArray::number(i) + ";\r\n";
    QTest::newRow("bad lines skipped") << mixed << OtherLimit << numberedEntries(u"P"_s, 1, 10);
    const QByteArray tenMegabytesOfEntries = [] {
        QByteArray bytes = numberedLines("P", 1, 1000);
        while (bytes.size() < 10 * MegaByte)
            bytes += bytes;
        return bytes;
    }();
    for (const int limit : {EasyLimit, OtherLimit}) {
        QTest::addRow("10 MB of entries, limit %d", limit)
            << tenMegabytesOfEntries << limit << numberedEntries(u"P"_s, 1, limit);
    }
    easy("10 MB without a line end", QByteArray(10 * MegaByte, 'x') + ";1;", {});
    easy("10 MB line, then an entry past the first MiB",
         QByteArray(10 * MegaByte, ';') + "\nAnna;1;", {});
    easy("100 KB line without a semicolon", QByteArray(100 * 1024, 'm') + "\r\nBob;2;", {"Bob=2"});
    easy("line over 4 KiB", "Anna;1;\r\n" + QByteArray(5000, ' ') + "Cap;2;\r\nBob;3;\r\n",
         {"Anna=1", "Bob=3"});
    const QString name500(500, u'n');
    easy("names of 500 and 501 characters",
         name500.toLatin1() + ";4;\r\n" + QByteArray(501, 'm') + ";5;\r\n", {name500 + u"=4"_s});

    easy("NUL bytes", QByteArray("An\0na;5;\r\n\0\0\0\r\nBob;\0;\r\nCarl;3\0;\r\n\0", 34),
         {QString::fromLatin1("An\0na=5", 7), "Bob=0", "Carl=3"});
    easy("NUL bytes before a name and after an entry",
         QByteArray("\0\0Anna;5;\0\r\n\0\r\nBob;6;\r\n", 22),
         {QString::fromLatin1("\0\0Anna=5", 8), "Bob=6"});

    easy("Windows-1252 e acute", "Jos\xE9;5;", {u"José=5"_s});
    easy("euro sign", "\x80uro;1;", {u"€uro=1"_s});
    easy("0x80 to 0x9F", "\x8A\x8C\x8E\x91\x92\x93\x94\x96\x97\x99\x9F;1;", {u"ŠŒŽ‘’“”–—™Ÿ=1"_s});
    easy("undefined bytes", "\x81\x8D\x8F\x90\x9D;1;", {u"\u0081\u008D\u008F\u0090\u009D=1"_s});
    easy("UTF-8 e acute", "Jos\xC3\xA9;5;", {u"José=5"_s});
    easy("broken UTF-8", "\xC3\x28;1;", {u"Ã(=1"_s});
    easy("UTF-8 surrogate", "\xED\xA0\x80;1;", {u"í\u00A0€=1"_s});
    easy("mixed lines", "Jos\xE9;5;\r\n\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD;6;\r\n\xE6\x9D\x8E;7;",
         {u"José=5"_s, u"Иван=6"_s, u"李=7"_s});
    easy("file begins with a byte order mark",
         "\xEF\xBB\xBF"
         "Anna;1;\r\nBob;2;\r\n",
         annaBob);
    easy("names begin with a byte order mark",
         "\"\xEF\xBB\xBF  x;1;\"\r\n\xEF\xBB\xBF\xEF\xBB\xBFx\"y;2;\r\n",
         {u"\uFEFF  x=1"_s, u"\uFEFFx\"y=2"_s});
    easy("fuzzer's find: quoted name after a byte order mark",
         "\"Smith, John;4\xC8;\"\r\n   Anna;8.5;\r\n\"\xEF\xBB\xBF"
         "ead;%3;\" tai;\r\n",
         {"Smith, John=4", "Anna=8", u"\uFEFFead=0"_s});
}

void TestTableFile::readsFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(QStringList, entries);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Top_Easy.zub"_s);
    QVERIFY(writeFile(path, bytes));
    const QList<TableEntry> read = readTableFile(path, limit);
    QCOMPARE(describe(read), entries);
    QCOMPARE(readBack(read), entries);
}

// A big file is not read past the entries that fill the table.
void TestTableFile::stopsReadingOnceFull()
{
    constexpr qint64 FileBytes = 10 * 1024 * 1024;
    constexpr qint64 MostRead = 256 * 1024;
    QByteArray bytes = numberedLines("P", 1, OtherLimit, 10);
    bytes += QByteArray(FileBytes - bytes.size(), 'x');
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    QCOMPARE(readTable(buffer, OtherLimit).size(), OtherLimit);
    QVERIFY(buffer.pos() < MostRead);
}

// Whatever stands where a table file belongs, a load reads no more than the first MiB of a
// regular file and never waits for a pipe's writer: only a regular file is read.
void TestTableFile::readsWithinBounds_data()
{
    QTest::addColumn<Placed>("placed");
    QTest::addColumn<QByteArray>("bytes"); // the file's start, or what waits in the pipe
    QTest::addColumn<QByteArray>("tail");  // the last bytes of a sparse file
    QTest::addColumn<QStringList>("entries");

    const QByteArray anna = "Anna;1;\r\n";
    QTest::newRow("2 GB sparse file, its end unread")
        << Placed::SparseFile << anna << QByteArray("\r\nBob;2;\r\n") << QStringList{"Anna=1"};
    QTest::newRow("pipe") << Placed::Pipe << QByteArray() << QByteArray() << QStringList();
    QTest::newRow("pipe with a writer")
        << Placed::PipeWithWriter << anna << QByteArray() << QStringList();
    QTest::newRow("folder") << Placed::Folder << QByteArray() << QByteArray() << QStringList();
}

void TestTableFile::readsWithinBounds()
{
    QFETCH(Placed, placed);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, tail);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"Top_Easy.zub"_s);
    const QByteArray encodedPath = QFile::encodeName(path);
    int writer = -1;
    if (placed == Placed::Pipe || placed == Placed::PipeWithWriter)
        QVERIFY(::mkfifo(encodedPath.constData(), 0600) == 0);
    if (placed == Placed::PipeWithWriter) {
        // Opened for reading and writing, the pipe has a writer that never closes it.
        writer = ::open(encodedPath.constData(), O_RDWR | O_NONBLOCK);
        QVERIFY(writer >= 0);
        QCOMPARE(::write(writer, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }
    if (placed == Placed::Folder)
        QVERIFY(QDir().mkdir(path));
    if (placed == Placed::SparseFile) {
        QVERIFY(writeFile(path, bytes));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(SparseFileBytes - tail.size()));
        QVERIFY(file.seek(SparseFileBytes - tail.size()));
        QCOMPARE(file.write(tail), tail.size());
    }

    QTEST(describe(readTableFile(path, EasyLimit)), "entries");
    if (writer >= 0)
        ::close(writer);
}

// What is written reads back as the same names and scores. Every line ends CR LF, the last
// one too; Windows-1252 when all names fit it and cannot be mistaken for UTF-8, UTF-8
// otherwise; names the plain layout cannot carry go between quotes.
void TestTableFile::writesAndReadsBack_data()
{
    QTest::addColumn<QList<TableEntry>>("entries");
    QTest::addColumn<Bytes>("bytes"); // nothing where the round trip alone counts

    QTest::newRow("one entry") << QList<TableEntry>{{"Anna", 1250}} << Bytes("Anna;1250;\r\n");
    QTest::newRow("two, negative")
        << QList<TableEntry>{{"Anna", 1250}, {"Bob", -7}} << Bytes("Anna;1250;\r\nBob;-7;\r\n");
    QTest::newRow("no entries") << QList<TableEntry>{} << Bytes("");
    QTest::newRow("Windows-1252") << QList<TableEntry>{{u"José"_s, 5}, {u"€uro"_s, 0}}
                                  << Bytes("Jos\xE9;5;\r\n\x80uro;0;\r\n");
    QTest::newRow("UTF-8 when one name does not fit")
        << QList<TableEntry>{{u"José"_s, 5}, {u"Иван"_s, 6}}
        << Bytes("Jos\xC3\xA9;5;\r\n\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD;6;\r\n");
    QTest::newRow("UTF-8 when Windows-1252 looks like UTF-8")
        << QList<TableEntry>{{u"Ã©"_s, 1}} << Bytes("\xC3\x83\xC2\xA9;1;\r\n");
    QTest::newRow("comma quoted") << QList<TableEntry>{{"Smith, John", 50}}
                                  << Bytes("\"Smith, John;50;\"\r\n");
    QTest::newRow("leading blank quoted")
        << QList<TableEntry>{{"  Anna", 1}} << Bytes("\"  Anna;1;\"\r\n");

    QTest::newRow("ASCII") << QList<TableEntry>{{"Anna", 300}, {"Bob", 200}, {"Carl", 50}}
                           << Bytes();
    QTest::newRow("limits") << QList<TableEntry>{{"Max", std::numeric_limits<qint32>::max()},
                                                 {"Min", std::numeric_limits<qint32>::min()},
                                                 {"Zero", 0}}
                            << Bytes();
    QTest::newRow("Windows-1252 quotes")
        << QList<TableEntry>{{u"José"_s, 5}, {u"Œuvre ‘x’"_s, 6}} << Bytes();
    QTest::newRow("undefined bytes")
        << QList<TableEntry>{{u"A\u0081\u009D"_s, 1}, {u"é"_s, 2}} << Bytes();
    QTest::newRow("Cyrillic and CJK")
        << QList<TableEntry>{{u"Иван"_s, 7}, {u"李小龙"_s, 8}, {u"José"_s, 9}} << Bytes();
    QTest::newRow("outside the BMP") << QList<TableEntry>{{u"Ann😀"_s, 10}} << Bytes();
    QTest::newRow("looks like UTF-8") << QList<TableEntry>{{u"Ã©"_s, 1}, {u"Ã"_s, 2}} << Bytes();
    QTest::newRow("hand-edited names") << QList<TableEntry>{{"Smith, John", 1},
                                                            {" Anna", 2},
                                                            {"", 3},
                                                            {"Tab\there", 4},
                                                            {QString::fromLatin1("Nul\0l", 5), 5}}
                                       << Bytes();
    QTest::newRow("longest name, three bytes a character")
        << QList<TableEntry>{{QString(500, u'李'), std::numeric_limits<qint32>::min()}} << Bytes();
}

void TestTableFile::writesAndReadsBack()
{
    QFETCH(QList<TableEntry>, entries);
    QFETCH(Bytes, bytes);

    QByteArray written;
    QCOMPARE(readBack(entries, &written), describe(entries));
    if (bytes)
        QCOMPARE(written, *bytes);
}

// A write that cannot complete reports why and leaves the folder as it was: the old file
// whole and no stray temporary file. Every cause here fails for root too.
void TestTableFile::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QList<TableEntry>>("entries");

    const QList<TableEntry> good{{"Anna", 1}};
    QTest::newRow("path is a folder") << "folder" << good;
    QTest::newRow("folder missing") << "missing/Top_Easy.zub" << good;
    QTest::newRow("semicolon in name")
        << "Top_Easy.zub" << QList<TableEntry>{{"Anna", 1}, {"A;B", 2}};
    QTest::newRow("line break in name") << "Top_Easy.zub" << QList<TableEntry>{{"Line\nBreak", 2}};
    QTest::newRow("quote and comma") << "Top_Easy.zub" << QList<TableEntry>{{"\"Hi, there", 2}};
}

void TestTableFile::failedWriteKeepsOldFile()
{
    QFETCH(QString, target);
    QFETCH(QList<TableEntry>, entries);
    const QByteArray oldBytes("Old;1;\r\n");
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("Top_Easy.zub")), oldBytes));
    const QMap<QString, QByteArray> before = snapshot(dir.path());

    QString error;
    QVERIFY(!writeTableFile(dir.filePath(target), entries, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(snapshot(dir.path()), before);
}

// A writer killed at random moments, mostly in the middle of a write, always leaves the file
// of the last write that ended or of the one under way, whole.
void TestTableFile::killedWriterLeavesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Top_Easy.zub"_s);
    QVERIFY(writeTableFile(path, killedTable(0)));
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int midWriteKills = 0;
    int inFile = 0;

    for (int kill = 1; kill <= Kills; ++kill) {
        int ends[2];
        QVERIFY(::pipe(ends) == 0);
        // Unbuffered: a buffered read of a pipe waits until it has a whole chunk.
        QFile pipe;
        QVERIFY(pipe.open(ends[0], QIODevice::ReadOnly | QIODevice::Unbuffered,
                          QFileDevice::AutoCloseHandle));
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            ::close(ends[0]);
            writeUntilKilled(path, inFile + 1, ends[1]);
        }
        ::close(ends[1]);
        // The random life counts from the writer's first write, so that a slow start (a
        // loaded machine, a sanitizer build) does not use it up before any write begins.
        char first = 0;
        const bool started = pipe.getChar(&first);
        QThread::usleep(random.bounded(LongestLifeMs * 1000));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const QByteArray told = (started ? QByteArray(1, first) : QByteArray()) + pipe.readAll();

        const QString where = u"kill %1 of %2, seed %3"_s.arg(kill).arg(Kills).arg(seed);
        QVERIFY2(!told.contains(WriteFailed), qPrintable(where));
        const int lastEnded = inFile + int(told.count(WriteDone));
        const QByteArray fileAfter = fileContent(path);
        const bool underWayDone = fileAfter == killedTableBytes(lastEnded + 1);
        QVERIFY2(underWayDone || fileAfter == killedTableBytes(lastEnded), qPrintable(where));
        inFile = underWayDone ? lastEnded + 1 : lastEnded;
        if (told.endsWith(WriteStarts))
            ++midWriteKills;
    }
    QVERIFY2(midWriteKills > 0, "no kill fell in the middle of a write");
    qInfo("%d writers killed, %d of them in the middle of a write; every file was whole", Kills,
          midWriteKills);
}

// The name check says what the record dialog must refuse; a name it accepts reads back as typed.
void TestTableFile::checksNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<NameProblem>("problem");

    QTest::newRow("plain") << "Anna" << NameProblem::None;
    QTest::newRow("one letter") << "A" << NameProblem::None;
    QTest::newRow("trailing blank") << "Anna " << NameProblem::None;
    QTest::newRow("inner blank") << "Anna Maria" << NameProblem::None;
    QTest::newRow("inner quote") << "An\"na" << NameProblem::None;
    QTest::newRow("digits and signs") << "-12.5 !#" << NameProblem::None;
    QTest::newRow("no-break space first") << u"\u00A0Anna"_s << NameProblem::None;
    QTest::newRow("Windows-1252") << u"Zoë €"_s << NameProblem::None;
    QTest::newRow("Cyrillic") << u"Иван"_s << NameProblem::None;
    QTest::newRow("CJK") << u"李小龙"_s << NameProblem::None;
    QTest::newRow("Arabic") << u"سارة"_s << NameProblem::None;
    QTest::newRow("500 characters") << QString(500, u'n') << NameProblem::None;
    QTest::newRow("empty") << "" << NameProblem::Empty;
    QTest::newRow("501 characters") << QString(501, u'n') << NameProblem::TooLong;
    QTest::newRow("comma") << "Smith, John" << NameProblem::Comma;
    QTest::newRow("semicolon") << "A;B" << NameProblem::Semicolon;
    QTest::newRow("leading quote") << "\"Anna" << NameProblem::LeadingQuote;
    QTest::newRow("leading blank") << " Anna" << NameProblem::LeadingBlank;
    QTest::newRow("only a blank") << " " << NameProblem::LeadingBlank;
    QTest::newRow("tab") << "An\tna" << NameProblem::ControlCharacter;
    QTest::newRow("leading tab") << "\tAnna" << NameProblem::ControlCharacter;
    QTest::newRow("CR") << "Anna\r" << NameProblem::ControlCharacter;
    QTest::newRow("LF") << "An\nna" << NameProblem::ControlCharacter;
    QTest::newRow("NUL") << QString::fromLatin1("An\0na", 5) << NameProblem::ControlCharacter;
    QTest::newRow("DEL") << "Anna\x7F" << NameProblem::ControlCharacter;
    QTest::newRow("C1 control") << u"Anna\u0085"_s << NameProblem::ControlCharacter;
}

void TestTableFile::checksNames()
{
    QFETCH(QString, name);
    QFETCH(NameProblem, problem);

    QCOMPARE(checkName(name), problem);
    if (problem == NameProblem::None)
        QCOMPARE(readBack({{name, 42}}), QStringList{name + u"=42"_s});
}

QTEST_GUILESS_MAIN(TestTableFile)
#include "tst_tablefile.moc"

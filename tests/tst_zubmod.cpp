// The score store: each level's file and line limit, loads that keep what they cannot
// replace, writes that read back the same, and the record rule that appends a new name or
// raises a known one's score, letter case ignored, without losing another copy's entry or a
// score that could not be saved, and that refuses a new name at a full table. Whatever keeps
// a record from its file (a folder it may not make, a full disk, another copy's lock) leaves
// everything around as it was, and the next record writes both. Copies of the game, running
// as processes of their own, take over a killed copy's lock and lose nothing recording at once.
#include "scoretables.h"
#include "testfiles.h"
#include "zubmod.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <array>
#include <csignal>
#include <functional>
#include <memory>
#include <utility>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr Level AllLevels[] = {Level::Easy, Level::Medium, Level::Hard};

void fill(TopTable &table, const QStringList &names)
{
    for (int i = 0; i < names.size(); ++i) {
        table.names[i + 1] = names[i];
        table.scores[i + 1] = (i + 1) * 100;
    }
    table.count = quint8(names.size());
}

// What stands in a record's way: a file where a folder of the tables belongs, the folder
// gone, a folder where the table file belongs, a full disk, a folder that may not be written,
// another copy's lock, or that lock where a linked table file leads.
enum class Edge {
    None,
    FileAboveFolder,
    FileAsFolder,
    FolderMissing,
    FileIsFolder,
    DiskFull,
    FolderReadOnly,
    LockHeld,
    LinkedTableLocked
};

// A smaller soft limit on the size of files this process writes, as a full disk would give:
// writing past it fails with EFBIG instead of ending the process. Below a table of sixty
// lines and above a lock file, so that only the table fails.
class FileSizeLimit
{
public:
    FileSizeLimit()
    {
        constexpr rlim_t LimitBytes = 1024;
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = LimitBytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// Puts the edge in a record's way; returns what takes it away again, or nothing when it
// could not be put there.
std::function<void()> placeEdge(Edge edge, Level level, const QString &folder, const QString &table)
{
    const QString share = QFileInfo(folder).path();
    const QString aside = table + u".aside"_s;
    switch (edge) {
    case Edge::None:
        return [] {};
    case Edge::FileAboveFolder:
        if (writeFile(share, {}))
            return [share] { QFile::remove(share); };
        break;
    case Edge::FileAsFolder:
        if (QDir().mkpath(share) && writeFile(folder, {}))
            return [folder] { QFile::remove(folder); };
        break;
    case Edge::FolderMissing:
        if (QDir().rename(folder, folder + u".moved"_s))
            return [folder] { QDir().rename(folder + u".moved"_s, folder); };
        break;
    case Edge::FileIsFolder:
        if (QFile::rename(table, aside) && QDir().mkdir(table))
            return [table, aside] { QDir().rmdir(table) && QFile::rename(aside, table); };
        break;
    case Edge::DiskFull:
        return [limit = std::make_shared<FileSizeLimit>()] {};
    case Edge::FolderReadOnly:
        if (QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner))
            return [folder] {
                QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            };
        break;
    case Edge::LockHeld:
    case Edge::LinkedTableLocked:
        // The other copy reaches the table by its own path, the linked file's.
        if (std::shared_ptr<QLockFile> lock = ZubMod(QFileInfo(table).path()).lockTable(level))
            return [lock] {};
        break;
    }
    return {};
}

// The test program also plays running copies of the game: one that holds a level's lock
// until it is killed, and one that records many names.
constexpr char LockingCopyRole[] = "--locking-copy";
constexpr char RecordingCopyRole[] = "--recording-copy";
constexpr char CopyReady[] = "ready\n";
constexpr int NamesPerCopy = 12;
constexpr int CopyMsecs = 120000;

// Takes Hard's lock, says so and waits to be killed.
int runLockingCopy(const QString &folder)
{
    const auto lock = ZubMod(folder).lockTable(Level::Hard);
    QFile output;
    if (!lock || !output.open(stdout, QIODevice::WriteOnly))
        return 1;
    output.write(CopyReady);
    output.flush();
    for (;;)
        ::pause();
}

// Once started it says so and waits for a line on its input, so that the copies begin
// together; then it records prefix1 to prefixN at Easy and fails as soon as one is not saved.
int runRecordingCopy(const QString &folder, const QString &prefix)
{
    ZubMod tables(folder);
    tables.loadAll();
    QFile input;
    QFile output;
    if (!input.open(stdin, QIODevice::ReadOnly) || !output.open(stdout, QIODevice::WriteOnly))
        return 1;
    output.write(CopyReady);
    output.flush();
    input.readLine();
    for (int i = 1; i <= NamesPerCopy; ++i) {
        if (tables.record(Level::Easy, prefix + QString::number(i), i) != Recorded::Saved)
            return 1;
    }
    return 0;
}

// Starts a copy in the given role and waits until it is ready.
bool startCopy(QProcess &copy, const QStringList &arguments)
{
    copy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    copy.start(QCoreApplication::applicationFilePath(), arguments);
    while (!copy.canReadLine()) {
        if (!copy.waitForReadyRead(CopyMsecs))
            return false;
    }
    return copy.readLine() == CopyReady;
}

} // namespace

Q_DECLARE_METATYPE(Level)
Q_DECLARE_METATYPE(Edge)
Q_DECLARE_METATYPE(Recorded)

class TestZubMod : public QObject
{
    Q_OBJECT

private slots:
    void levelsHaveTheirFilesAndLimits_data();
    void levelsHaveTheirFilesAndLimits();
    void noFilesGiveEmptyTables();
    void loadNeverZeroesCount_data();
    void loadNeverZeroesCount();
    void loadsEachLevelIntoItsOwnArrays();
    void writeThenLoadGivesSameTable();
    void recordAppendsOrRaises_data();
    void recordAppendsOrRaises();
    void recordAtTheEdges_data();
    void recordAtTheEdges();
    void recordMakesOnlyTheFolderItMay_data();
    void recordMakesOnlyTheFolderItMay();
    void lockOfKilledCopyIsTaken();
    void copiesRecordingAtOnceLoseNothing();
};

void TestZubMod::levelsHaveTheirFilesAndLimits_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("limit");

    QTest::newRow("Easy") << Level::Easy << "Top_Easy.zub" << 100;
    QTest::newRow("Medium") << Level::Medium << "Top_Medi.zub" << 10;
    QTest::newRow("Hard") << Level::Hard << "Top_Hard.zub" << 10;
}

void TestZubMod::levelsHaveTheirFilesAndLimits()
{
    QFETCH(Level, level);
    QFETCH(QString, fileName);

    const ZubMod mod(u"/opt/zubbo"_s);
    QCOMPARE(mod.filePath(level), u"/opt/zubbo/"_s + fileName);
    QTEST(ZubMod::lineLimit(level), "limit");
}

void TestZubMod::noFilesGiveEmptyTables()
{
    QTemporaryDir dir;
    ZubMod mod(dir.path());
    mod.LoadTopEasy();
    mod.LoadTopMedi();
    mod.LoadTopHard();

    for (const Level level : AllLevels) {
        TopTable &table = mod.table(level);
        QCOMPARE(table.count, quint8(0));
        QVERIFY(std::all_of(table.names.begin(), table.names.end(),
                            [](const QString &n) { return n.isEmpty(); }));
        QVERIFY(
            std::all_of(table.scores.begin(), table.scores.end(), [](qint32 s) { return s == 0; }));
    }
}

// A load sets the count only from entries it read: with nothing to read the table stays as
// it was, and slots above a lower count keep their old content.
void TestZubMod::loadNeverZeroesCount_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("slotsOneToFive");

    const QStringList old{"A=100", "B=200", "C=300", "D=400", "E=500"};
    QTest::newRow("missing file") << false << QByteArray() << 5 << old;
    QTest::newRow("empty file") << true << QByteArray() << 5 << old;
    QTest::newRow("only bad lines") << true << QByteArray("bad\r\n\r\nX;1\r\n") << 5 << old;
    QTest::newRow("shorter file") << true << QByteArray("New;7;\r\nNewer;8;\r\n") << 2
                                  << QStringList{"New=7", "Newer=8", "C=300", "D=400", "E=500"};
    QTest::newRow("twelve lines") << true << numberedLines("N", 1, 12) << 10
                                  << QStringList{"N1=1", "N2=2", "N3=3", "N4=4", "N5=5"};
}

void TestZubMod::loadNeverZeroesCount()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    ZubMod mod(dir.path());
    fill(mod.table(Level::Medium), {"A", "B", "C", "D", "E"});
    if (fileExists)
        QVERIFY(writeFile(mod.filePath(Level::Medium), bytes));

    mod.LoadTopMedi();

    QTEST(int(mod.TopMediCount), "count");
    QTEST(slotTexts(mod.table(Level::Medium), 1, 5), "slotsOneToFive");
}

// Each Load function reads its own file into its own count and arrays and touches no other.
void TestZubMod::loadsEachLevelIntoItsOwnArrays()
{
    QTemporaryDir dir;
    ZubMod mod(dir.path());
    QVERIFY(writeFile(mod.filePath(Level::Easy), numberedLines("E", 1, 30)));
    QVERIFY(writeFile(mod.filePath(Level::Medium), numberedLines("M", 1, 12)));
    QVERIFY(writeFile(mod.filePath(Level::Hard), numberedLines("H", 1, 3)));

    mod.LoadTopMedi();
    QCOMPARE(mod.TopEasyCount, quint8(0));
    QCOMPARE(mod.TopMediCount, quint8(10));
    QCOMPARE(mod.TopHardCount, quint8(0));
    QCOMPARE(mod.TopMediName[10], u"M10"_s);
    QVERIFY(mod.TopMediName[11].isEmpty());
    QVERIFY(mod.TopEasyName[1].isEmpty());

    mod.LoadTopEasy();
    mod.LoadTopHard();
    QCOMPARE(mod.TopEasyCount, quint8(30));
    QCOMPARE(mod.TopEasyName[30], u"E30"_s);
    QCOMPARE(mod.TopEasyScore[30], 30);
    QCOMPARE(mod.TopHardCount, quint8(3));
    QCOMPARE(mod.TopHardName[1], u"H1"_s);
    QCOMPARE(mod.TopHardScore[3], 3);
    QCOMPARE(mod.TopMediName[1], u"M1"_s);
}

// writeTable writes entries 1..count of one level to that level's file only; a fresh load
// gives the same table back.
void TestZubMod::writeThenLoadGivesSameTable()
{
    QTemporaryDir dir;
    ZubMod writer(dir.path());
    fill(writer.table(Level::Hard), {u"Anna"_s, u"José"_s, u"Иван"_s});
    writer.TopHardName[4] = u"beyond the count"_s;

    QString error;
    QVERIFY2(writer.writeTable(Level::Hard, &error), qPrintable(error));
    QVERIFY(!QFile::exists(writer.filePath(Level::Easy)));
    QVERIFY(!QFile::exists(writer.filePath(Level::Medium)));

    ZubMod reader(dir.path());
    reader.LoadTopHard();
    QCOMPARE(reader.TopHardCount, quint8(3));
    QCOMPARE(slotTexts(reader.table(Level::Hard), 1, 4),
             (QStringList{u"Anna=100"_s, u"José=200"_s, u"Иван=300"_s, u"=0"_s}));
}

void TestZubMod::recordAppendsOrRaises_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("meanwhile"); // the file as another copy left it after the load
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("score");
    QTest::addColumn<Recorded>("outcome");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("count");

    const QByteArray two = "Anna;50;\r\nBob;30;\r\n";
    QTest::newRow("new name goes last") << Level::Medium << two << QByteArray() << u"Carl"_s << 20
                                        << Recorded::Saved << two + "Carl;20;\r\n"
                                        << 3;
    QTest::newRow("known name in other case is raised")
        << Level::Hard << two << QByteArray() << u"aNNA"_s << 70 << Recorded::Saved
        << QByteArray("Anna;70;\r\nBob;30;\r\n") << 2;
    QTest::newRow("known name keeps its better score")
        << Level::Easy << two << QByteArray() << u"BOB"_s << 10 << Recorded::Saved << two << 2;
    QTest::newRow("first entry of a missing file")
        << Level::Hard << QByteArray() << QByteArray() << u"Dora"_s << 0 << Recorded::Saved
        << QByteArray("Dora;0;\r\n") << 1;
    QTest::newRow("another copy's entry is kept")
        << Level::Easy << two << two + "Eve;90;\r\n"
        << u"Carl"_s << 20 << Recorded::Saved << two + "Eve;90;\r\nCarl;20;\r\n"
        << 4;
    QTest::newRow("another copy's name is raised, not doubled")
        << Level::Medium << two << two + "Eve;90;\r\n"
        << u"eve"_s << 95 << Recorded::Saved << two + "Eve;95;\r\n"
        << 3;
    QTest::newRow("another copy's higher score stays")
        << Level::Medium << two << QByteArray("Anna;50;\r\nBob;45;\r\n") << u"bob"_s << 40
        << Recorded::Saved << QByteArray("Anna;50;\r\nBob;45;\r\n") << 2;
    QTest::newRow("Easy of a hundred takes no new name")
        << Level::Easy << numberedLines("P", 1, 100) << QByteArray() << u"Carl"_s << 20
        << Recorded::NoRoom << numberedLines("P", 1, 100) << 100;
    QTest::newRow("Easy of a hundred takes no listed name's score either")
        << Level::Easy << numberedLines("P", 1, 100) << QByteArray() << u"p1"_s << 5000
        << Recorded::NoRoom << numberedLines("P", 1, 100) << 100;
}

void TestZubMod::recordAppendsOrRaises()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, meanwhile);
    QFETCH(QString, name);
    QFETCH(int, score);
    QFETCH(QByteArray, after);
    QFETCH(int, count);

    QTemporaryDir dir;
    ZubMod mod(dir.path());
    const QString path = mod.filePath(level);
    if (!before.isEmpty())
        QVERIFY(writeFile(path, before));
    mod.load(level);
    if (!meanwhile.isEmpty())
        QVERIFY(writeFile(path, meanwhile));

    QTEST(mod.record(level, name, score), "outcome");
    QCOMPARE(fileContent(path), after);
    QCOMPARE(int(mod.table(level).count), count);
    for (const Level other : AllLevels) {
        if (other != level)
            QCOMPARE(int(mod.table(other).count), 0);
    }
}

void TestZubMod::recordAtTheEdges_data()
{
    QTest::addColumn<Edge>("edge");
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("name");
    QTest::addColumn<Recorded>("outcome");
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("meanwhile"); // the file as another copy left it, if it did
    QTest::addColumn<QByteArray>("later");     // the file once the edge is gone and Dora made 30

    const QByteArray ten = numberedLines("P", 1, 10);
    const QStringList tenEntries = numberedEntries(u"P"_s, 1, 10);
    QStringList raised = tenEntries;
    raised[2] = u"P3=50"_s;
    const QByteArray bob = "Bob;5;\r\n";
    const QByteArray bobAnnaDora = bob + "Anna;50;\r\nDora;30;\r\n";
    const QByteArray sixty = numberedLines("Player number ", 1, 60);
    const QStringList sixtyAnna = numberedEntries(u"Player number "_s, 1, 60) << u"Anna=50"_s;
    const QByteArray sixtyAnnaDora = sixty + "Anna;50;\r\nDora;30;\r\n";

    QTest::newRow("Medium of ten refuses a new name")
        << Edge::None << Level::Medium << ten << u"Zed"_s << Recorded::TableFull << tenEntries
        << ten << QByteArray() << QByteArray();
    QTest::newRow("Hard of eleven lines loads ten and refuses a new name")
        << Edge::None << Level::Hard << numberedLines("P", 1, 11) << u"Zed"_s << Recorded::TableFull
        << tenEntries << numberedLines("P", 1, 11) << QByteArray() << QByteArray();
    QTest::newRow("Medium of ten raises a listed name")
        << Edge::None << Level::Medium << ten << u"p3"_s << Recorded::Saved << raised
        << numberedLines("P", 1, 2) + "P3;50;\r\n" + numberedLines("P", 4, 10) << QByteArray()
        << QByteArray();
    QTest::newRow("a file above the folder")
        << Edge::FileAboveFolder << Level::Easy << QByteArray() << u"Anna"_s << Recorded::Unsaved
        << QStringList{u"Anna=50"_s} << QByteArray() << QByteArray()
        << QByteArray("Anna;50;\r\nDora;30;\r\n");
    QTest::newRow("a file as the folder")
        << Edge::FileAsFolder << Level::Easy << QByteArray() << u"Anna"_s << Recorded::Unsaved
        << QStringList{u"Anna=50"_s} << QByteArray() << QByteArray()
        << QByteArray("Anna;50;\r\nDora;30;\r\n");
    QTest::newRow("the folder gone")
        << Edge::FolderMissing << Level::Easy << sixty << u"Anna"_s << Recorded::Unsaved
        << sixtyAnna << QByteArray() << QByteArray() << sixtyAnnaDora;
    QTest::newRow("a folder as the file")
        << Edge::FileIsFolder << Level::Easy << sixty << u"Anna"_s << Recorded::Unsaved << sixtyAnna
        << QByteArray() << QByteArray() << sixtyAnnaDora;
    QTest::newRow("disk full") << Edge::DiskFull << Level::Easy << sixty << u"Anna"_s
                               << Recorded::Unsaved << sixtyAnna << sixty << QByteArray()
                               << sixtyAnnaDora;
    QTest::newRow("folder read-only")
        << Edge::FolderReadOnly << Level::Easy << sixty << u"Anna"_s << Recorded::Unsaved
        << sixtyAnna << sixty << QByteArray() << sixtyAnnaDora;
    QTest::newRow("another copy holds the lock")
        << Edge::LockHeld << Level::Hard << bob << u"Anna"_s << Recorded::Unsaved
        << QStringList{u"Bob=5"_s, u"Anna=50"_s} << bob << QByteArray() << bobAnnaDora;
    QTest::newRow("another copy holds the lock where the linked file lies")
        << Edge::LinkedTableLocked << Level::Easy << bob << u"Anna"_s << Recorded::Unsaved
        << QStringList{u"Bob=5"_s, u"Anna=50"_s} << bob << QByteArray() << bobAnnaDora;
    const QByteArray anna = "Anna;40;\r\n";
    const QStringList annaCarl{u"Anna=40"_s, u"Carl=50"_s};
    QTest::newRow("another copy added a name meanwhile")
        << Edge::FileIsFolder << Level::Easy << anna << u"Carl"_s << Recorded::Unsaved << annaCarl
        << QByteArray() << anna + "Eve;90;\r\n"
        << anna + "Eve;90;\r\nCarl;50;\r\nDora;30;\r\n";
    QTest::newRow("another copy recorded the name lower meanwhile, in other case")
        << Edge::FileIsFolder << Level::Easy << anna << u"Carl"_s << Recorded::Unsaved << annaCarl
        << QByteArray() << anna + "CARL;10;\r\n"
        << anna + "CARL;50;\r\nDora;30;\r\n";
    QTest::newRow("another copy recorded the name higher meanwhile")
        << Edge::FileIsFolder << Level::Easy << anna << u"Carl"_s << Recorded::Unsaved << annaCarl
        << QByteArray() << anna + "carl;70;\r\n"
        << anna + "carl;70;\r\nDora;30;\r\n";
}

// A new name at a full ten-name table changes nothing. A record kept from its file stays in
// the table, also through later loads, and changes nothing in or around the tables' folder;
// the next record after the edge is gone writes it as well, merged with what another copy
// wrote meanwhile, and leaves nothing beside the file; the one after adds only itself. A
// linked table file is locked where it lies, so that a copy reaching it by its own path
// shares the lock, and written there, the link kept. A record waits for no lock here.
void TestZubMod::recordAtTheEdges()
{
    QFETCH(Edge, edge);
    QFETCH(Level, level);
    QFETCH(QByteArray, before);
    QFETCH(QString, name);
    QFETCH(Recorded, outcome);
    QFETCH(QByteArray, meanwhile);
    QFETCH(QByteArray, later);
    if (edge == Edge::FolderReadOnly && ::geteuid() == 0)
        QSKIP("permission bits do not stop root from writing");

    QTemporaryDir dir;
    const QString folder = dir.filePath(u"share/zubbo"_s);
    // A program's folder is never made; the player's data folder is made when missing.
    ZubMod mod(folder,
               edge == Edge::FolderMissing ? TableFolder::Existing : TableFolder::MadeOnFirstRecord,
               0);
    const QString target = edge == Edge::LinkedTableLocked
        ? ZubMod(dir.filePath(u"elsewhere"_s)).filePath(level)
        : mod.filePath(level);
    if (edge != Edge::FileAboveFolder && edge != Edge::FileAsFolder)
        QVERIFY(QDir().mkpath(folder) && QDir().mkpath(QFileInfo(target).path()));
    if (edge == Edge::LinkedTableLocked)
        QVERIFY(QFile::link(target, mod.filePath(level)));
    if (!before.isEmpty())
        QVERIFY(writeFile(target, before));
    mod.loadAll();

    std::function<void()> removeEdge = placeEdge(edge, level, folder, target);
    const auto removeOnFailure = qScopeGuard([&removeEdge] {
        if (removeEdge)
            removeEdge();
    });
    QVERIFY(removeEdge);
    const QMap<QString, QByteArray> around = snapshot(dir.path());
    QTEST(mod.record(level, name, 50), "outcome");
    if (outcome != Recorded::Saved)
        QCOMPARE(snapshot(dir.path()), around);
    QTEST(describe(mod.table(level)), "table");
    mod.loadAll();
    QTEST(describe(mod.table(level)), "table");
    QTEST(fileContent(target), "file");
    if (later.isEmpty())
        return;

    std::exchange(removeEdge, {})();
    if (!meanwhile.isEmpty())
        QVERIFY(writeFile(target, meanwhile));
    QCOMPARE(mod.record(level, u"Dora"_s, 30), Recorded::Saved);
    QCOMPARE(fileContent(target), later);
    QCOMPARE(QFileInfo(mod.filePath(level)).isSymLink(), edge == Edge::LinkedTableLocked);
    const QStringList tableOnly{QFileInfo(target).fileName()};
    for (const QString &where : {folder, QFileInfo(target).path()})
        QCOMPARE(QDir(where).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 tableOnly);
    QCOMPARE(mod.record(level, u"Fred"_s, 5), Recorded::Saved);
    QCOMPARE(fileContent(target), later + "Fred;5;\r\n");
}

Q_DECLARE_METATYPE(TableFolder)

void TestZubMod::recordMakesOnlyTheFolderItMay_data()
{
    QTest::addColumn<TableFolder>("kind");
    QTest::addColumn<Recorded>("outcome");

    QTest::newRow("a program's folder is never made") << TableFolder::Existing << Recorded::Unsaved;
    QTest::newRow("a player's data folder is made")
        << TableFolder::MadeOnFirstRecord << Recorded::Saved;
}

// The tables' folder, two levels below what exists, is made only where the store may make it,
// and only by a record: loading leaves it missing.
void TestZubMod::recordMakesOnlyTheFolderItMay()
{
    QFETCH(TableFolder, kind);
    QFETCH(Recorded, outcome);
    const bool recorded = outcome == Recorded::Saved;

    QTemporaryDir dir;
    const QString folder = dir.filePath(u"share/zubbo"_s);
    ZubMod mod(folder, kind);
    mod.loadAll();
    QVERIFY(!QFileInfo::exists(dir.filePath(u"share"_s)));

    QCOMPARE(mod.record(Level::Easy, u"Anna"_s, 40), outcome);
    QCOMPARE(QFileInfo(folder).isDir(), recorded);
    QCOMPARE(fileContent(mod.filePath(Level::Easy)),
             recorded ? QByteArray("Anna;40;\r\n") : QByteArray());
    if (!recorded)
        return;
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"Top_Easy.zub"_s});
    // Both folders made are the player's alone.
    for (const QString &made : {dir.filePath(u"share"_s), folder}) {
        struct stat info;
        QVERIFY(::stat(QFile::encodeName(made).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0700));
    }
}

// A copy killed while it held a level's lock leaves the lock file behind; the next record
// takes it over at once, without waiting, as its owner is gone.
void TestZubMod::lockOfKilledCopyIsTaken()
{
    QTemporaryDir dir;
    ZubMod mod(dir.path(), TableFolder::Existing, 0);
    const QString lockPath = mod.filePath(Level::Hard) + u".lock"_s;
    QProcess copy;
    QVERIFY(startCopy(copy, {QString::fromLatin1(LockingCopyRole), dir.path()}));
    copy.kill();
    QVERIFY(copy.waitForFinished(CopyMsecs));
    QVERIFY(QFile::exists(lockPath));

    QCOMPARE(mod.record(Level::Hard, u"Dora"_s, 70), Recorded::Saved);
    QCOMPARE(fileContent(mod.filePath(Level::Hard)), QByteArray("Dora;70;\r\n"));
    QVERIFY(!QFile::exists(lockPath));
}

// Two copies record at Easy at the same time, each waiting for the other's lock as the game
// does.
void TestZubMod::copiesRecordingAtOnceLoseNothing()
{
    QTemporaryDir dir;
    std::array<QProcess, 2> copies;
    const QStringList prefixes{u"Left"_s, u"Right"_s};
    for (int i = 0; i < 2; ++i)
        QVERIFY(startCopy(copies[i],
                          {QString::fromLatin1(RecordingCopyRole), dir.path(), prefixes[i]}));
    for (QProcess &copy : copies) {
        copy.write("go\n");
        QVERIFY(copy.waitForBytesWritten(CopyMsecs));
    }
    for (QProcess &copy : copies) {
        QVERIFY(copy.waitForFinished(CopyMsecs));
        QCOMPARE(copy.exitStatus(), QProcess::NormalExit);
        QCOMPARE(copy.exitCode(), 0);
    }

    ZubMod tables(dir.path());
    tables.loadAll();
    QStringList recorded = describe(tables.table(Level::Easy));
    recorded.sort();
    QStringList expected = numberedEntries(prefixes[0], 1, NamesPerCopy)
        + numberedEntries(prefixes[1], 1, NamesPerCopy);
    expected.sort();
    QCOMPARE(recorded, expected);
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 3 && arguments[1] == QLatin1StringView(LockingCopyRole))
        return runLockingCopy(arguments[2]);
    if (arguments.size() == 4 && arguments[1] == QLatin1StringView(RecordingCopyRole))
        return runRecordingCopy(arguments[2], arguments[3]);
    TestZubMod test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_zubmod.moc"

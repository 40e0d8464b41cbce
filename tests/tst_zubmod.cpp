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

// What stands in a record's way: a file where a folder of the tables belongs, the folder
// and the one above it gone, a folder where the table file belongs, a full disk, a folder that may
// not be written, another copy's lock, or that lock where a linked table file leads.
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

// Puts the edge in a record's way; returns what takes it away again once called (another
// copy's lock once dropped), or nothing when it could not be put there.
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
        if (QDir().rename(share, share + u".moved"_s))
            return [share] { QDir().rename(share + u".moved"_s, share); };
        break;
    case Edge::FileIsFolder:
        if (QFile::rename(table, aside) && QDir().mkdir(table))
            return [table, aside] { QDir().rmdir(table) && QFile::rename(aside, table); };
        break;
    case Edge::DiskFull: {
        // A smaller soft limit on the size of files this process writes, as a full disk
        // would give: writing past it fails with EFBIG instead of ending the process. Below a
        // table of sixty lines and above a lock file, so that only the table fails.
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = 1024;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        return [old, oldHandler] {
            ::setrlimit(RLIMIT_FSIZE, &old);
            std::signal(SIGXFSZ, oldHandler);
        };
    }
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
    void loadNeverZeroesCount_data();
    void loadNeverZeroesCount();
    void loadsEachLevelIntoItsOwnArrays();
    void recording_data();
    void recording();
    void recordMakesThePlayersFolder();
    void lockOfKilledCopyIsTaken();
    void copiesRecordingAtOnceLoseNothing();
};

// A load sets the count only from entries it read: with nothing to read the table stays as
// an earlier load left it, and slots above a lower count keep their old content.
void TestZubMod::loadNeverZeroesCount_data()
{
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("slotsOneToFive");

    const QStringList old = numberedEntries(u"Old"_s, 1, 5, 100);
    QTest::newRow("missing file") << false << QByteArray() << 5 << old;
    QTest::newRow("empty file") << true << QByteArray() << 5 << old;
    QTest::newRow("only bad lines") << true << QByteArray("bad\r\n\r\nX;1\r\n") << 5 << old;
    QTest::newRow("shorter file") << true << QByteArray("New;7;\r\nNewer;8;\r\n") << 2
                                  << QStringList{"New=7", "Newer=8"} + old.mid(2);
    QTest::newRow("twelve lines") << true << numberedLines("N", 1, 12) << 10
                                  << QStringList{"N1=1", "N2=2", "N3=3", "N4=4", "N5=5"};
}

void TestZubMod::loadNeverZeroesCount()
{
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    ZubMod mod(dir.path());
    const QString path = mod.filePath(Level::Medium);
    QVERIFY(writeFile(path, numberedLines("Old", 1, 5, 100)));
    mod.LoadTopMedi();
    QVERIFY(fileExists ? writeFile(path, bytes) : QFile::remove(path));

    mod.LoadTopMedi();

    QTEST(int(mod.TopMediCount), "count");
    QTEST(slotTexts(mod.table(Level::Medium), 1, 5), "slotsOneToFive");
}

// Without files every table is empty, every slot. Each Load function reads its own file, by
// its level's name in the tables' folder, into its own count and arrays, up to its level's
// line limit (Easy's hundred, ten for Medium), and touches no other.
void TestZubMod::loadsEachLevelIntoItsOwnArrays()
{
    QTemporaryDir dir;
    ZubMod mod(dir.path());
    mod.loadAll();
    for (const Level level : AllLevels) {
        QCOMPARE(mod.table(level).count, quint8(0));
        QCOMPARE(slotTexts(mod.table(level), 0, TableSlots - 1), QStringList(TableSlots, u"=0"_s));
    }
    QVERIFY(writeFile(dir.filePath(u"Top_Easy.zub"_s), numberedLines("E", 1, 150)));
    QVERIFY(writeFile(dir.filePath(u"Top_Medi.zub"_s), numberedLines("M", 1, 12)));
    QVERIFY(writeFile(dir.filePath(u"Top_Hard.zub"_s), numberedLines("H", 1, 3)));

    mod.LoadTopMedi();
    QCOMPARE(mod.TopEasyCount, quint8(0));
    QCOMPARE(mod.TopMediCount, quint8(10));
    QCOMPARE(mod.TopHardCount, quint8(0));
    QCOMPARE(mod.TopMediName[10], u"M10"_s);
    QVERIFY(mod.TopMediName[11].isEmpty());
    QVERIFY(mod.TopEasyName[1].isEmpty());

    mod.LoadTopEasy();
    mod.LoadTopHard();
    QCOMPARE(mod.TopEasyCount, quint8(100));
    QCOMPARE(mod.TopEasyName[100], u"E100"_s);
    QCOMPARE(mod.TopEasyScore[100], 100);
    QCOMPARE(mod.TopHardCount, quint8(3));
    QCOMPARE(mod.TopHardName[1], u"H1"_s);
    QCOMPARE(mod.TopHardScore[3], 3);
    QCOMPARE(mod.TopMediName[1], u"M1"_s);
}

void TestZubMod::recording_data()
{
    QTest::addColumn<Edge>("edge");
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("meanwhile"); // the file as another copy left it after the load
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("score");
    QTest::addColumn<Recorded>("outcome");
    QTest::addColumn<QStringList>("table");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("later"); // the file once the edge is gone and Dora made 30

    const QByteArray none;
    const QByteArray two = "Anna;50;\r\nBob;30;\r\n";
    const QStringList twoEntries{u"Anna=50"_s, u"Bob=30"_s};
    QTest::newRow("new name goes last")
        << Edge::None << Level::Medium << two << none << u"Carl"_s << 20 << Recorded::Saved
        << twoEntries + QStringList{u"Carl=20"_s} << two + "Carl;20;\r\n"
        << none;
    QTest::newRow("known name in other case is raised")
        << Edge::None << Level::Hard << two << none << u"aNNA"_s << 70 << Recorded::Saved
        << QStringList{u"Anna=70"_s, u"Bob=30"_s} << QByteArray("Anna;70;\r\nBob;30;\r\n") << none;
    QTest::newRow("known name keeps its better score")
        << Edge::None << Level::Easy << two << none << u"BOB"_s << 10 << Recorded::Saved
        << twoEntries << two << none;
    QTest::newRow("first entry of a missing file")
        << Edge::None << Level::Hard << none << none << u"Dora"_s << 0 << Recorded::Saved
        << QStringList{u"Dora=0"_s} << QByteArray("Dora;0;\r\n") << none;
    QTest::newRow("another copy's entry is kept")
        << Edge::None << Level::Easy << two << two + "Eve;90;\r\n"
        << u"Carl"_s << 20 << Recorded::Saved << twoEntries + QStringList{u"Eve=90"_s, u"Carl=20"_s}
        << two + "Eve;90;\r\nCarl;20;\r\n"
        << none;
    QTest::newRow("another copy's name is raised, not doubled")
        << Edge::None << Level::Medium << two << two + "Eve;90;\r\n"
        << u"eve"_s << 95 << Recorded::Saved << twoEntries + QStringList{u"Eve=95"_s}
        << two + "Eve;95;\r\n"
        << none;
    const QByteArray bobRaised = "Anna;50;\r\nBob;45;\r\n";
    QTest::newRow("another copy's higher score stays")
        << Edge::None << Level::Medium << two << bobRaised << u"bob"_s << 40 << Recorded::Saved
        << QStringList{u"Anna=50"_s, u"Bob=45"_s} << bobRaised << none;
    // Slots above the count keep what a longer file gave them; only the entries are written.
    QTest::newRow("a file made shorter meanwhile")
        << Edge::None << Level::Hard << two + "Carl;20;\r\nDan;10;\r\n"
        << two << u"Eve"_s << 5 << Recorded::Saved << twoEntries + QStringList{u"Eve=5"_s}
        << two + "Eve;5;\r\n"
        << none;

    const QByteArray hundred = numberedLines("P", 1, 100);
    const QStringList hundredEntries = numberedEntries(u"P"_s, 1, 100);
    QTest::newRow("Easy of a hundred takes no new name")
        << Edge::None << Level::Easy << hundred << none << u"Carl"_s << 20 << Recorded::NoRoom
        << hundredEntries << hundred << none;
    QTest::newRow("Easy of a hundred takes no listed name's score either")
        << Edge::None << Level::Easy << hundred << none << u"p1"_s << 5000 << Recorded::NoRoom
        << hundredEntries << hundred << none;
    const QByteArray ten = numberedLines("P", 1, 10);
    const QStringList tenEntries = numberedEntries(u"P"_s, 1, 10);
    QStringList raised = tenEntries;
    raised[2] = u"P3=50"_s;
    QTest::newRow("Medium of ten refuses a new name")
        << Edge::None << Level::Medium << ten << none << u"Zed"_s << 50 << Recorded::TableFull
        << tenEntries << ten << none;
    QTest::newRow("Hard of eleven lines loads ten and refuses a new name")
        << Edge::None << Level::Hard << numberedLines("P", 1, 11) << none << u"Zed"_s << 50
        << Recorded::TableFull << tenEntries << numberedLines("P", 1, 11) << none;
    QTest::newRow("Medium of ten raises a listed name")
        << Edge::None << Level::Medium << ten << none << u"p3"_s << 50 << Recorded::Saved << raised
        << numberedLines("P", 1, 2) + "P3;50;\r\n" + numberedLines("P", 4, 10) << none;

    // Anna's 50, kept from the file by the edge, goes in after what the table held; Dora's 30
    // writes both once the edge is gone.
    const auto kept = [](const char *row, Edge edge, Level level, const QByteArray &before,
                         const QStringList &entries, const QByteArray &file) {
        QTest::newRow(row) << edge << level << before << QByteArray() << u"Anna"_s << 50
                           << Recorded::Unsaved << entries + QStringList{u"Anna=50"_s} << file
                           << before + "Anna;50;\r\nDora;30;\r\n";
    };
    kept("a file above the folder", Edge::FileAboveFolder, Level::Easy, none, {}, none);
    kept("a file as the folder", Edge::FileAsFolder, Level::Easy, none, {}, none);
    const QByteArray sixty = numberedLines("Player number ", 1, 60);
    const QStringList sixtyEntries = numberedEntries(u"Player number "_s, 1, 60);
    kept("the folder and the one above it gone", Edge::FolderMissing, Level::Easy, sixty,
         sixtyEntries, none);
    kept("a folder as the file", Edge::FileIsFolder, Level::Easy, sixty, sixtyEntries, none);
    kept("disk full", Edge::DiskFull, Level::Easy, sixty, sixtyEntries, sixty);
    kept("folder read-only", Edge::FolderReadOnly, Level::Easy, sixty, sixtyEntries, sixty);
    const QByteArray bob = "Bob;5;\r\n";
    kept("another copy holds the lock", Edge::LockHeld, Level::Hard, bob, {u"Bob=5"_s}, bob);
    kept("another copy holds the lock where the linked file lies", Edge::LinkedTableLocked,
         Level::Easy, bob, {u"Bob=5"_s}, bob);
    const QByteArray annaLower = "Anna;40;\r\n";
    const QStringList annaCarl{u"Anna=40"_s, u"Carl=50"_s};
    QTest::newRow("another copy added a name meanwhile")
        << Edge::FileIsFolder << Level::Easy << annaLower << annaLower + "Eve;90;\r\n"
        << u"Carl"_s << 50 << Recorded::Unsaved << annaCarl << none
        << annaLower + "Eve;90;\r\nCarl;50;\r\nDora;30;\r\n";
    QTest::newRow("another copy recorded the name lower meanwhile, in other case")
        << Edge::FileIsFolder << Level::Easy << annaLower << annaLower + "CARL;10;\r\n"
        << u"Carl"_s << 50 << Recorded::Unsaved << annaCarl << none
        << annaLower + "CARL;50;\r\nDora;30;\r\n";
    QTest::newRow("another copy recorded the name higher meanwhile")
        << Edge::FileIsFolder << Level::Easy << annaLower << annaLower + "carl;70;\r\n"
        << u"Carl"_s << 50 << Recorded::Unsaved << annaCarl << none
        << annaLower + "carl;70;\r\nDora;30;\r\n";
}

// A new name goes in after the last entry, a known one in any letter case only raises its
// score, merged with what another copy wrote since the load; only the level's own file is
// written, with the entries up to the count. A full table changes nothing: Easy's hundred take
// no score at all, a table of ten no new name. A record kept from its file stays in the table,
// also through later loads, and neither it nor a load changes anything in or around the tables'
// folder (a program's folder is never made); the next record after the edge is gone writes it
// as well, merged with what another copy wrote meanwhile, and leaves nothing beside the file;
// the one after adds only itself. A linked table file is locked where it lies, so that a copy
// reaching it by its own path shares the lock, and written there, the link kept. A record waits
// for no lock here.
void TestZubMod::recording()
{
    QFETCH(Edge, edge);
    QFETCH(Level, level);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, meanwhile);
    QFETCH(QString, name);
    QFETCH(int, score);
    QFETCH(Recorded, outcome);
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
    if (!meanwhile.isEmpty())
        QVERIFY(writeFile(target, meanwhile));

    std::function<void()> removeEdge = placeEdge(edge, level, folder, target);
    const auto removeLeftEdge = [&removeEdge] {
        if (removeEdge)
            removeEdge();
    };
    const auto removeOnFailure = qScopeGuard(removeLeftEdge);
    QVERIFY(removeEdge);
    const QMap<QString, QByteArray> around = snapshot(dir.path());
    QTEST(mod.record(level, name, score), "outcome");
    QTEST(describe(mod.table(level)), "table");
    mod.loadAll();
    if (outcome != Recorded::Saved)
        QCOMPARE(snapshot(dir.path()), around);
    QTEST(describe(mod.table(level)), "table");
    QTEST(fileContent(target), "file");
    for (const Level other : AllLevels) {
        if (other == level)
            continue;
        QCOMPARE(int(mod.table(other).count), 0);
        QVERIFY(!QFile::exists(mod.filePath(other)));
    }
    if (later.isEmpty())
        return;

    std::exchange(removeEdge, {})();
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

// The player's data folder, two levels below what exists, is made by the first record, not by
// loading; both folders made are the player's alone.
void TestZubMod::recordMakesThePlayersFolder()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"share/zubbo"_s);
    ZubMod mod(folder, TableFolder::MadeOnFirstRecord);
    mod.loadAll();
    QVERIFY(!QFileInfo::exists(dir.filePath(u"share"_s)));

    QCOMPARE(mod.record(Level::Easy, u"Anna"_s, 40), Recorded::Saved);
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(fileContent(mod.filePath(Level::Easy)), QByteArray("Anna;40;\r\n"));
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"Top_Easy.zub"_s});
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

// Where a copy of the game finds its cues and its sound module and keeps its tables. A copy
// whose data folder lies where the install puts it is installed: cues and module come from
// the install, the tables go into the player's data folder, made on the first record. Any
// other copy, in the build folder or in a folder of its own, keeps everything beside itself.
// The player's data folder follows the base-directory rules: an absolute XDG_DATA_HOME, else
// .local/share in the home folder, which the password database gives when HOME is not set.
#include "gamefolders.h"
#include "testfiles.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

#include <pwd.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {
enum class DataFolder { None, Folder, File };

using Variable = std::optional<QByteArray>;

// Sets an environment variable, or unsets it for nothing; returns what restores it.
auto setVariable(const char *name, const Variable &value)
{
    const auto set = [name](const Variable &to) { to ? qputenv(name, *to) : qunsetenv(name); };
    const Variable old = qEnvironmentVariableIsSet(name) ? Variable(qgetenv(name)) : std::nullopt;
    set(value);
    const auto restore = [set, old] { set(old); };
    return qScopeGuard(restore);
}

} // namespace

Q_DECLARE_METATYPE(DataFolder)

class TestGameFolders : public QObject
{
    Q_OBJECT
private slots:
    void foldersOfEachCopy_data();
    void foldersOfEachCopy();
    void playersDataFolder_data();
    void playersDataFolder();
};

void TestGameFolders::foldersOfEachCopy_data()
{
    QTest::addColumn<QString>("program");    // the program's folder in a tree of folders
    QTest::addColumn<QStringList>("others"); // further folders of the tree
    QTest::addColumn<DataFolder>("data");    // what lies where the install puts its data
    QTest::addColumn<bool>("installed");

    QTest::newRow("build folder") << u"build/bin"_s << QStringList{u"build/assets"_s}
                                  << DataFolder::None << false;
    QTest::newRow("folder of its own")
        << u"games/zubbo"_s << QStringList{u"share"_s, u"games/share"_s} << DataFolder::None
        << false;
    QTest::newRow("a file where the data belongs")
        << u"usr/games"_s << QStringList() << DataFolder::File << false;
    QTest::newRow("installed") << u"usr/games"_s << QStringList() << DataFolder::Folder << true;
    QTest::newRow("installed in another prefix")
        << u"opt/zubbo 1/games"_s << QStringList() << DataFolder::Folder << true;
}

void TestGameFolders::foldersOfEachCopy()
{
    QFETCH(QString, program);
    QFETCH(QStringList, others);
    QFETCH(DataFolder, data);
    QFETCH(bool, installed);

    QTemporaryDir tree;
    QVERIFY(tree.isValid());
    const QDir root(tree.path());
    for (const QString &folder : others + QStringList{program})
        QVERIFY(root.mkpath(folder));
    const QString programFolder = root.filePath(program);
    const QString installedData = QDir::cleanPath(programFolder + u'/'
                                                  + QLatin1String(InstallLayout::DataFromProgram));
    if (data == DataFolder::Folder)
        QVERIFY(QDir().mkpath(installedData));
    if (data == DataFolder::File)
        QVERIFY(QDir().mkpath(QFileInfo(installedData).path()) && writeFile(installedData, {}));
    const QString dataHome = root.filePath(u"home/.local/share"_s);

    const GameFolders found = findGameFolders(programFolder, dataHome);
    if (installed) {
        QCOMPARE(found.cues, installedData);
        QCOMPARE(found.modules,
                 QDir::cleanPath(programFolder + u'/'
                                 + QLatin1String(InstallLayout::ModulesFromProgram)));
        QCOMPARE(found.tables, dataHome + u"/zubbo"_s);
        QCOMPARE(found.tableFolder, TableFolder::MadeOnFirstRecord);
        // The tables lie outside the install's prefix.
        QVERIFY(!found.tables.startsWith(QDir::cleanPath(programFolder + u"/.."_s)));
    } else {
        QCOMPARE(found.cues, programFolder);
        QCOMPARE(found.modules, programFolder);
        QCOMPARE(found.tables, programFolder);
        QCOMPARE(found.tableFolder, TableFolder::Existing);
    }
    // Finding the folders makes none.
    QVERIFY(!QFileInfo::exists(dataHome));
}

Q_DECLARE_METATYPE(Variable)

void TestGameFolders::playersDataFolder_data()
{
    QTest::addColumn<Variable>("xdgDataHome");
    QTest::addColumn<Variable>("home");
    QTest::addColumn<bool>("inPasswordHome"); // the folder lies in the home folder of /etc/passwd
    QTest::addColumn<QString>("folder");

    const Variable unset;
    const Variable anna = "/home/anna";
    QTest::newRow("XDG_DATA_HOME") << Variable("/srv/data") << anna << false << u"/srv/data"_s;
    QTest::newRow("no XDG_DATA_HOME") << unset << anna << false << u"/home/anna/.local/share"_s;
    QTest::newRow("empty XDG_DATA_HOME")
        << Variable("") << anna << false << u"/home/anna/.local/share"_s;
    QTest::newRow("relative XDG_DATA_HOME")
        << Variable("data") << anna << false << u"/home/anna/.local/share"_s;
    QTest::newRow("no HOME") << unset << unset << true << u"/.local/share"_s;
    QTest::newRow("empty HOME") << unset << Variable("") << true << u"/.local/share"_s;
}

void TestGameFolders::playersDataFolder()
{
    QFETCH(Variable, xdgDataHome);
    QFETCH(Variable, home);
    QFETCH(bool, inPasswordHome);
    QFETCH(QString, folder);

    const passwd *user = ::getpwuid(::getuid());
    QVERIFY(user);
    const auto restoreXdg = setVariable("XDG_DATA_HOME", xdgDataHome);
    const auto restoreHome = setVariable("HOME", home);
    QCOMPARE(playerDataHome(),
             (inPasswordHome ? QFile::decodeName(user->pw_dir) : QString()) + folder);
}

QTEST_GUILESS_MAIN(TestGameFolders)
#include "tst_gamefolders.moc"

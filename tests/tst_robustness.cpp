// Whatever is in the score files and whatever goes wrong while writing them, the game starts,
// keeps playing and loses no entry it could read: damaged files load and are written back
// with every entry read; a write that fails leaves the old file whole and a later Ok
// succeeds; a writer killed in the middle leaves the old file or the new one; two copies of
// the game recording at the same level both keep their entries.
#include "frmrecord.h"
#include "modaldriver.h"
#include "recorddialog.h"
#include "scoretables.h"
#include "tablefile.h"
#include "testfiles.h"
#include "zubmod.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The test program also plays a running copy of the game that records many names.
constexpr char RecordingCopyRole[] = "--recording-copy";
constexpr int NamesPerCopy = 12;
constexpr char CopyReady[] = "ready\n";
constexpr int CopyMsecs = 120000;

constexpr qint64 MegaByte = 1024 * 1024;

constexpr int Kills = 40;
constexpr int LongestLifeMs = 20;
constexpr int KilledTableEntries = 3000;
constexpr char WriteStarts = 'b';
constexpr char WriteDone = 'e';
constexpr char WriteFailed = 'f';

// Below the old table's size and above the lock file's, so that only the table fails.
constexpr rlim_t SmallFileLimit = 1024;

QStringList numberedEntries(const QString &prefix, int first, int last)
{
    QStringList entries;
    for (int i = first; i <= last; ++i)
        entries.append(prefix + QString::number(i) + u'=' + QString::number(i));
    return entries;
}

// Closes every message box that opens while it lives and keeps what the last one said.
class BoxWatcher
{
public:
    BoxWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_icon = box->icon();
                m_text = box->text();
                box->close();
            }
        });
        m_timer.start(10);
    }

    QMessageBox::Icon icon() const { return m_icon; }
    QString text() const { return m_text; }

private:
    QTimer m_timer;
    QMessageBox::Icon m_icon = QMessageBox::NoIcon;
    QString m_text;
};

// Plays one record dialog to its end: the name typed, Ok pressed once. True when it recorded.
bool recordThroughDialog(ZubMod &tables, Level level, const QString &name, qint32 score)
{
    frmRECORD dialog(tables, level, score);
    whenModal([&name](QWidget *modal) {
        nameBox(modal)->setEditText(name);
        const BoxWatcher boxes;
        pressOk(modal);
        if (modal->isVisible())
            modal->close();
    });
    return dialog.exec() == QDialog::Accepted;
}

// The game copy that a test starts as a process of its own: once started it says so and
// waits for a line on its input, so that the copies begin together; then it records prefix1
// to prefixN at Easy, each through the record dialog, and fails as soon as one is not recorded.
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
        if (!recordThroughDialog(tables, Level::Easy, prefix + QString::number(i), i))
            return 1;
    }
    return 0;
}

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
    QByteArray bytes;
    for (const TableEntry &entry : killedTable(writeNumber))
        bytes += entry.name.toLatin1() + ';' + QByteArray::number(entry.score) + ";\r\n";
    return bytes;
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

// Kills and reaps a forked child however the test leaves.
class Child
{
public:
    explicit Child(pid_t pid) : m_pid(pid) {}
    ~Child() { kill(); }
    Child(const Child &) = delete;
    Child &operator=(const Child &) = delete;

    void kill()
    {
        if (m_pid <= 0)
            return;
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    pid_t m_pid;
};

QByteArray readToEnd(int fd)
{
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    return bytes;
}

// A smaller soft limit on the size of files this process writes, as a full disk would give.
// Writing past it then fails with EFBIG instead of ending the process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
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

enum class Cause { FolderMissing, FileIsFolder, DiskFull, FolderReadOnly, LockHeld };

// Brings a cause of failed writes about for as long as it lives.
class FailureCause
{
public:
    FailureCause(Cause cause, const QString &folder, Level level)
        : m_cause(cause), m_folder(folder), m_file(ZubMod(folder).filePath(level))
    {
        switch (m_cause) {
        case Cause::FolderMissing:
            m_ok = QDir().rename(m_folder, m_folder + u".moved"_s);
            break;
        case Cause::FileIsFolder:
            m_ok = QFile::rename(m_file, m_file + u".aside"_s) && QDir().mkdir(m_file);
            break;
        case Cause::DiskFull:
            m_limit = std::make_unique<FileSizeLimit>(SmallFileLimit);
            m_ok = true;
            break;
        case Cause::FolderReadOnly:
            m_ok = QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner);
            break;
        case Cause::LockHeld:
            m_otherCopysLock = ZubMod(folder).lockTable(level);
            m_ok = m_otherCopysLock != nullptr;
            break;
        }
    }

    ~FailureCause()
    {
        switch (m_cause) {
        case Cause::FolderMissing:
            QDir().rename(m_folder + u".moved"_s, m_folder);
            break;
        case Cause::FileIsFolder:
            QDir().rmdir(m_file);
            QFile::rename(m_file + u".aside"_s, m_file);
            break;
        case Cause::FolderReadOnly:
            QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            break;
        case Cause::DiskFull:
        case Cause::LockHeld:
            break;
        }
    }

    FailureCause(const FailureCause &) = delete;
    FailureCause &operator=(const FailureCause &) = delete;

    bool isInPlace() const { return m_ok; }

private:
    const Cause m_cause;
    const QString m_folder;
    const QString m_file;
    bool m_ok = false;
    std::unique_ptr<FileSizeLimit> m_limit;
    std::unique_ptr<QLockFile> m_otherCopysLock;
};

} // namespace

Q_DECLARE_METATYPE(Level)
Q_DECLARE_METATYPE(Cause)

class TestRobustness : public QObject
{
    Q_OBJECT
private slots:
    void damagedFilesLoad_data();
    void damagedFilesLoad();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void killedWriterLeavesWholeFile();
    void lockOfKilledCopyIsTaken();
    void twoCopiesKeepBothEntries_data();
    void twoCopiesKeepBothEntries();
    void copiesRecordingAtOnceLoseNothing();
};

void TestRobustness::damagedFilesLoad_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");

    const QByteArray longName(100 * 1024, 'm');
    const QByteArray tenMegabytesOfEntries = [] {
        QByteArray bytes = numberedLines("P", 1, 1000);
        while (bytes.size() < 10 * MegaByte)
            bytes += bytes;
        return bytes;
    }();

    QTest::newRow("empty") << Level::Easy << QByteArray() << QStringList();
    QTest::newRow("only CR") << Level::Easy << QByteArray(1000, '\r') << QStringList();
    QTest::newRow("no line ends") << Level::Easy << QByteArray("Anna;1;Bob;2;Carl;3;")
                                  << QStringList{"Anna=1"};
    QTest::newRow("NUL bytes") << Level::Easy << QByteArray("\0\0Anna;5;\0\r\n\0\r\nBob;6;\r\n", 22)
                               << QStringList{QString::fromLatin1("\0\0Anna=5", 8), "Bob=6"};
    QTest::newRow("invalid UTF-8 and Windows-1252 mixed")
        << Level::Easy
        << QByteArray("Jos\xE9;5;\r\nJos\xC3\xA9;6;\r\n\xC3\x28\xE9;7;\r\n\xED\xA0\x80;8;\r\n")
        << QStringList{u"José=5"_s, u"José=6"_s, u"Ã(é=7"_s, u"í\u00A0€=8"_s};
    QTest::newRow("100 KB name") << Level::Easy << longName + ";7;\r\nBob;2;\r\n"
                                 << QStringList{"Bob=2"};
    QTest::newRow("100 KB line without a semicolon")
        << Level::Medium << longName + "\r\nBob;2;" << QStringList{"Bob=2"};
    for (const Level level : {Level::Easy, Level::Hard}) {
        QTest::addRow("10 MB of entries, level %d", int(level))
            << level << tenMegabytesOfEntries << numberedEntries("P", 1, ZubMod::lineLimit(level));
    }
    QTest::newRow("10 MB without a line end")
        << Level::Easy << QByteArray(10 * MegaByte, 'x') + ";1;" << QStringList();
    QTest::newRow("10 MB line, then an entry past the first MiB")
        << Level::Medium << QByteArray(10 * MegaByte, ';') + "\nAnna;1;" << QStringList();
    QTest::newRow("file begins with a byte order mark") << Level::Easy
                                                        << QByteArray("\xEF\xBB\xBF"
                                                                      "Anna;1;\r\nBob;2;\r\n")
                                                        << QStringList{"Anna=1", "Bob=2"};
    QTest::newRow("names begin with a byte order mark")
        << Level::Easy
        << QByteArray("\"\xEF\xBB\xBF  x;1;\"\r\n\xEF\xBB\xBF\xEF\xBB\xBFx\"y;2;\r\n")
        << QStringList{u"\uFEFF  x=1"_s, u"\uFEFFx\"y=2"_s};
    QTest::newRow("fuzzer's find: quoted name after a byte order mark")
        << Level::Easy
        << QByteArray("\"Smith, John;4\xC8;\"\r\n   Anna;8.5;\r\n\"\xEF\xBB\xBF"
                      "ead;%3;\" tai;\r\n")
        << QStringList{"Smith, John=4", "Anna=8", u"\uFEFFead=0"_s};
    QTest::newRow("99999999999") << Level::Easy << QByteArray("A;99999999999;\r\nBob;2;\r\n")
                                 << QStringList{"Bob=2"};
    QTest::newRow("-0") << Level::Easy << QByteArray("A;-0;\r\n") << QStringList{"A=0"};
    QTest::newRow("1e5") << Level::Easy << QByteArray("A;1e5;\r\n") << QStringList{"A=1"};
    QTest::newRow("+7.5") << Level::Easy << QByteArray("A;+7.5;\r\n") << QStringList{"A=8"};
    QTest::newRow("  12  ;") << Level::Easy << QByteArray("A;  12  ;\r\n") << QStringList{"A=12"};
}

// The file loads at start-up as far as it can be read, and the game's own write of the
// table gives a file that loads to the same entries.
void TestRobustness::damagedFilesLoad()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    QVERIFY(writeFile(tables.filePath(level), bytes));
    tables.loadAll();
    QCOMPARE(describe(tables.table(level)), entries);

    QString error;
    QVERIFY2(tables.writeTable(level, &error), qPrintable(error));
    ZubMod again(dir.path());
    again.loadAll();
    QCOMPARE(describe(again.table(level)), entries);
}

void TestRobustness::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<Cause>("cause");

    QTest::newRow("folder missing") << Cause::FolderMissing;
    QTest::newRow("file is a folder") << Cause::FileIsFolder;
    QTest::newRow("disk full") << Cause::DiskFull;
    QTest::newRow("folder read-only") << Cause::FolderReadOnly;
    QTest::newRow("another copy holds the lock") << Cause::LockHeld;
}

// The first Ok fails and shows the error; nothing in or around the folder changes, the
// dialog stays open with the name, and once the cause is gone the next Ok records.
void TestRobustness::failedWriteKeepsOldFile()
{
    QFETCH(Cause, cause);
    if (cause == Cause::FolderReadOnly && ::geteuid() == 0)
        QSKIP("permission bits do not stop root from writing");

    QTemporaryDir dir;
    const QString folder = dir.filePath(u"game"_s);
    QVERIFY(QDir().mkdir(folder));
    ZubMod tables(folder);
    const QString easyPath = tables.filePath(Level::Easy);
    const QByteArray oldBytes = numberedLines("Player number ", 1, 60);
    QVERIFY(oldBytes.size() > qsizetype(SmallFileLimit));
    QVERIFY(writeFile(easyPath, oldBytes));
    tables.loadAll();

    frmRECORD dialog(tables, Level::Easy, 20);
    QMap<QString, QByteArray> whileFailing;
    QMap<QString, QByteArray> afterFailedOk;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString errorText;
    bool stillOpen = false;
    QString nameAfter;
    QByteArray oldFileAfter;
    bool causeInPlace = false;
    whenModal([&](QWidget *modal) {
        nameBox(modal)->setEditText(u"Carl"_s);
        {
            const FailureCause failure(cause, folder, Level::Easy);
            causeInPlace = failure.isInPlace();
            whileFailing = snapshot(dir.path());
            const BoxWatcher boxes;
            pressOk(modal);
            afterFailedOk = snapshot(dir.path());
            icon = boxes.icon();
            errorText = boxes.text();
        }
        stillOpen = modal->isVisible();
        nameAfter = nameBox(modal)->currentText();
        oldFileAfter = fileContent(easyPath);
        const BoxWatcher noBoxExpected;
        pressOk(modal);
        if (modal->isVisible())
            modal->close();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    QVERIFY(causeInPlace);
    QCOMPARE(icon, QMessageBox::Critical);
    QVERIFY2(errorText.startsWith(u"Error Trapped.\n"_s), qPrintable(errorText));
    QCOMPARE(afterFailedOk, whileFailing);
    QVERIFY(stillOpen);
    QCOMPARE(nameAfter, u"Carl"_s);
    QCOMPARE(oldFileAfter, oldBytes);
    QCOMPARE(fileContent(easyPath), oldBytes + "Carl;20;\r\n");
    QCOMPARE(int(tables.TopEasyCount), 61);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{u"Top_Easy.zub"_s});
}

// A writer killed at random moments, mostly in the middle of a write, always leaves the file
// of the last write that ended or of the one under way, whole.
void TestRobustness::killedWriterLeavesWholeFile()
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
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            ::close(ends[0]);
            writeUntilKilled(path, inFile + 1, ends[1]);
        }
        ::close(ends[1]);
        Child writer(pid);
        // The random life counts from the writer's first write, so that a slow start (a
        // loaded machine, a sanitizer build) does not use it up before any write begins.
        char first = 0;
        const bool started = ::read(ends[0], &first, 1) == 1;
        QThread::usleep(random.bounded(LongestLifeMs * 1000));
        writer.kill();
        const QByteArray told = (started ? QByteArray(1, first) : QByteArray())
            + readToEnd(ends[0]);
        ::close(ends[0]);

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

// A copy that was killed while it held a level's lock leaves the lock file behind; the next
// record takes it over at once, as its owner is gone.
void TestRobustness::lockOfKilledCopyIsTaken()
{
    QTemporaryDir dir;
    ZubMod tables(dir.path());
    const QString lockPath = tables.filePath(Level::Hard) + u".lock"_s;
    int ends[2];
    QVERIFY(::pipe(ends) == 0);
    const pid_t pid = ::fork();
    QVERIFY(pid >= 0);
    if (pid == 0) {
        ::close(ends[0]);
        const auto lock = ZubMod(dir.path()).lockTable(Level::Hard);
        const char held = lock ? 'l' : 'n';
        [[maybe_unused]] const ssize_t told = ::write(ends[1], &held, 1);
        for (;;)
            ::pause();
    }
    ::close(ends[1]);
    Child copy(pid);
    char held = 0;
    QCOMPARE(::read(ends[0], &held, 1), ssize_t(1));
    ::close(ends[0]);
    QCOMPARE(held, 'l');
    copy.kill();
    QVERIFY(QFile::exists(lockPath));

    QVERIFY(recordThroughDialog(tables, Level::Hard, u"Dora"_s, 70));
    QCOMPARE(fileContent(tables.filePath(Level::Hard)), QByteArray("Dora;70;\r\n"));
    QVERIFY(!QFile::exists(lockPath));
}

// Both copies load the same tables; the first records, then the second, whose tables in
// memory do not know the first one's record yet.
void TestRobustness::twoCopiesKeepBothEntries_data()
{
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<int>("firstScore");
    QTest::addColumn<QString>("secondName");
    QTest::addColumn<int>("secondScore");
    QTest::addColumn<QByteArray>("file");

    const QByteArray annaBob("Anna;300;\r\nBob;200;\r\n");
    QTest::newRow("two new names")
        << "Carl" << 50 << "Dora" << 60 << annaBob + "Carl;50;\r\nDora;60;\r\n";
    QTest::newRow("both raise one player, the second less")
        << "Bob" << 250 << "bob" << 220 << QByteArray("Anna;300;\r\nBob;250;\r\n");
    QTest::newRow("one new name, in two cases")
        << "Carl" << 50 << "CARL" << 70 << annaBob + "Carl;70;\r\n";
}

void TestRobustness::twoCopiesKeepBothEntries()
{
    QFETCH(QString, firstName);
    QFETCH(int, firstScore);
    QFETCH(QString, secondName);
    QFETCH(int, secondScore);
    QFETCH(QByteArray, file);

    QTemporaryDir dir;
    ZubMod first(dir.path());
    ZubMod second(dir.path());
    QVERIFY(writeFile(first.filePath(Level::Medium), "Anna;300;\r\nBob;200;\r\n"));
    first.loadAll();
    second.loadAll();

    QVERIFY(recordThroughDialog(first, Level::Medium, firstName, firstScore));
    QVERIFY(recordThroughDialog(second, Level::Medium, secondName, secondScore));

    QCOMPARE(fileContent(second.filePath(Level::Medium)), file);
    QCOMPARE(int(second.TopMediCount), int(file.count("\r\n")));
}

// Two copies as processes of their own record at once, each through its dialog.
void TestRobustness::copiesRecordingAtOnceLoseNothing()
{
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    std::array<QProcess, 2> copies;
    const QStringList prefixes{u"Left"_s, u"Right"_s};
    for (int i = 0; i < 2; ++i) {
        copies[i].setProcessEnvironment(environment);
        copies[i].setProcessChannelMode(QProcess::ForwardedErrorChannel);
        copies[i].start(QCoreApplication::applicationFilePath(),
                        {QString::fromLatin1(RecordingCopyRole), dir.path(), prefixes[i]});
    }
    for (QProcess &copy : copies) {
        while (!copy.canReadLine())
            QVERIFY(copy.waitForReadyRead(CopyMsecs));
        QCOMPARE(copy.readLine(), QByteArray(CopyReady));
    }
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
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() == 4 && arguments[1] == QLatin1StringView(RecordingCopyRole))
        return runRecordingCopy(arguments[2], arguments[3]);
    TestRobustness test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_robustness.moc"

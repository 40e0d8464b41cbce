// The installed game, played as a player plays it. The build is installed into a folder of
// its own (as DESTDIR) and its program started from there by an unprivileged user with a
// fresh home: nobody when the suite runs as root, which it does in CI. On a real X server
// with a window manager and a sound server, one whole round on Easy: Start from the menu
// bar, three hits on eyes found on the screen, the name typed into the record dialog. The
// game must find its cues and sound module in the install (the beat is heard on the sound
// server, nothing is said about a silent game), record the round into the player's data
// folder with the exact bytes, and leave the install as it was. Run it inside
// scripts/desktop-session.sh.
#include "artwork.h"
#include "boardlayout.h"
#include "desktoptest.h"
#include "levels.h"
#include "sinkrecorder.h"
#include "testfiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

using namespace DesktopTest;

namespace {
constexpr int InstallTimeoutMs = 60000;
constexpr int LookEveryMs = 30;
constexpr int Hits = 3;
constexpr int PointsPerHit = 10;
// The first item of the menu bar, Start, lies this far from the bar's left end.
constexpr int StartItemX = 20;
constexpr QPoint Parking(2, 2); // where the pointer covers nothing of the game
// A person's pointer rests a moment before and after a click; a menu bar item that the
// pointer leaves at once after the release takes the click as no click.
constexpr int PointerRestMs = 100;
// A beat counts as heard when two onsets lie one Easy beat apart, give or take this; a
// round on Easy brings 63 pops, of which a hit or a late sound may spoil a few.
constexpr int BeatToleranceMs = 100;
constexpr int BeatsHeardAtLeast = 50;
} // namespace

class TestInstalled : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void roundOfTheInstalledGame();

private:
    void startGame();
    void click(const QPoint &screenPoint);
    void hitThreeTimes(const QPoint &boardOrigin);
    void recordTheRound();
    void checkTheBeatWasHeard(const SinkRecorder &recorder);

    XDisplay m_x;
    QString m_sink;
    QTemporaryDir m_install;
    QTemporaryDir m_home;
    QImage m_eyes;
    QProcess m_game;
};

void TestInstalled::initTestCase()
{
    const QString missing = desktopMissing(m_x);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    m_sink = qEnvironmentVariable("ZUBBO_SINK");
    QVERIFY2(!m_sink.isEmpty(), "ZUBBO_SINK names no sound sink to record");
    m_eyes = Artwork::target().toImage().convertToFormat(QImage::Format_ARGB32);

    // Folders that the player can enter, and a home that is the player's own.
    QVERIFY(m_install.isValid() && m_home.isValid());
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
        | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    QVERIFY(QFile::setPermissions(m_install.path(), open));
    QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral("runtime")));
    QVERIFY(QFile::setPermissions(m_home.filePath(QStringLiteral("runtime")),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    if (geteuid() == 0) {
        const passwd *nobody = getpwnam("nobody");
        QVERIFY(nobody);
        for (const QString &path : {m_home.path(), m_home.filePath(QStringLiteral("runtime"))})
            QVERIFY(chown(QFile::encodeName(path).constData(), nobody->pw_uid, nobody->pw_gid)
                    == 0);
    }

    QProcess install;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DESTDIR"), m_install.path());
    install.setProcessEnvironment(environment);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(QStringLiteral(ZUBBO_CMAKE),
                  {QStringLiteral("--install"), besideTheTests(QStringLiteral("..")),
                   QStringLiteral("--prefix"), QStringLiteral("/usr")});
    QVERIFY(install.waitForFinished(InstallTimeoutMs));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());
}

void TestInstalled::cleanupTestCase()
{
    if (m_game.state() != QProcess::NotRunning) {
        m_game.terminate();
        m_game.waitForFinished();
    }
}

// The player's session: its own home, runtime folder, display and sound server, nothing
// else of the test's environment.
void TestInstalled::startGame()
{
    QProcessEnvironment session;
    session.insert(QStringLiteral("HOME"), m_home.path());
    session.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("runtime")));
    session.insert(QStringLiteral("PATH"),
                   QStringLiteral("/usr/local/bin:/usr/bin:/bin:/usr/games"));
    for (const char *name : {"DISPLAY", "PULSE_SERVER", "LANG"})
        session.insert(QLatin1String(name), qEnvironmentVariable(name));
    m_game.setProcessEnvironment(session);
    m_game.setWorkingDirectory(m_home.path());

    const QString program = m_install.filePath(QStringLiteral(ZUBBO_INSTALLED_PROGRAM));
    if (geteuid() == 0)
        m_game.start(QStringLiteral("setpriv"),
                     {QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                      QStringLiteral("--clear-groups"), QStringLiteral("--"), program});
    else
        m_game.start(program);
    QVERIFY2(m_game.waitForStarted(), qPrintable(m_game.errorString()));
}

// Clicks at a person's pace, then moves the pointer off the game.
void TestInstalled::click(const QPoint &screenPoint)
{
    m_x.moveTo(screenPoint);
    QTest::qWait(PointerRestMs);
    m_x.press();
    m_x.release();
    QTest::qWait(PointerRestMs);
    m_x.moveTo(Parking);
}

// Looks at the board until eyes show, strikes them, and waits for the next pop before
// looking again, so that every hit is on eyes that have not been hit.
void TestInstalled::hitThreeTimes(const QPoint &boardOrigin)
{
    const int beatMs = levelInfo(Level::Easy).beatMs;
    int hits = 0;
    QElapsedTimer watch;
    watch.start();
    while (hits < Hits && watch.elapsed() < RoundTimeoutMs) {
        const QImage board = QGuiApplication::primaryScreen()
                                 ->grabWindow(0, boardOrigin.x(), boardOrigin.y(),
                                              BoardLayout::ClientSize.width(),
                                              BoardLayout::ClientSize.height())
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32);
        for (int hole = 0; hole < BoardLayout::HoleCount; ++hole) {
            if (!showsOpaquePixels(m_eyes, board, BoardLayout::Holes[hole].target))
                continue;
            const QPoint target = boardOrigin + BoardLayout::Holes[hole].target
                + QRect(QPoint(), BoardLayout::TargetSize).center();
            click(target);
            ++hits;
            QTest::qWait(beatMs + LookEveryMs);
            break;
        }
        QTest::qWait(LookEveryMs);
    }
    QCOMPARE(hits, Hits);
}

// The record dialog opens when the time runs out; the window manager gives it the keyboard.
// Its Cancel button has the focus first: Tab goes on to the name.
void TestInstalled::recordTheRound()
{
    unsigned long dialog = 0;
    QTRY_VERIFY_WITH_TIMEOUT((dialog = m_x.clientTitled(RecordTitle)) && m_x.isViewable(dialog),
                             RoundTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.activeWindow(), dialog, WindowTimeoutMs);
    m_x.tapKey("Tab");
    m_x.type(playerName());
    m_x.tapKey("Return");
    QTRY_VERIFY_WITH_TIMEOUT(!m_x.clientTitled(RecordTitle), WindowTimeoutMs);
}

void TestInstalled::checkTheBeatWasHeard(const SinkRecorder &recorder)
{
    const QList<double> onsets = recorder.onsetsMs(SoundLevel, SilenceBeforeSoundMs);
    const int beatMs = levelInfo(Level::Easy).beatMs;
    int beats = 0;
    for (qsizetype i = 1; i < onsets.size(); ++i)
        beats += qAbs(onsets[i] - onsets[i - 1] - beatMs) <= BeatToleranceMs;
    qInfo("%d beats heard among %d onsets in %.0f ms", beats, int(onsets.size()),
          recorder.lengthMs());
    QVERIFY(beats >= BeatsHeardAtLeast);
}

void TestInstalled::roundOfTheInstalledGame()
{
    const QMap<QString, QByteArray> installed = snapshot(m_install.path());
    QVERIFY(!installed.isEmpty());
    SinkRecorder recorder(m_sink);
    QVERIFY2(recorder.start(), qPrintable(recorder.errorText()));
    startGame();

    unsigned long window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = m_x.clientTitled(GameTitle)) && m_x.isViewable(window),
                             WindowTimeoutMs);
    // The board fills the client area below the menu bar.
    QRect client;
    QTRY_VERIFY_WITH_TIMEOUT((client = m_x.clientRect(window)).height()
                                 > BoardLayout::ClientSize.height(),
                             WindowTimeoutMs);
    QCOMPARE(client.width(), BoardLayout::ClientSize.width());
    const int menuBarHeight = client.height() - BoardLayout::ClientSize.height();
    const QPoint boardOrigin = client.topLeft() + QPoint(0, menuBarHeight);

    QTRY_COMPARE_WITH_TIMEOUT(m_x.activeWindow(), window, WindowTimeoutMs);
    click(client.topLeft() + QPoint(StartItemX, menuBarHeight / 2));
    hitThreeTimes(boardOrigin);
    if (QTest::currentTestFailed())
        return;
    recordTheRound();
    if (QTest::currentTestFailed())
        return;

    const QString tables = m_home.filePath(QStringLiteral(".local/share/zubbo"));
    QTRY_COMPARE_WITH_TIMEOUT(
        fileContent(tables + QStringLiteral("/Top_Easy.zub")),
        (playerName() + QStringLiteral(";%1;\r\n").arg(Hits * PointsPerHit)).toLatin1(),
        WindowTimeoutMs);
    QCOMPARE(QDir(tables).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("Top_Easy.zub")});

    recorder.stop();
    checkTheBeatWasHeard(recorder);
    m_game.terminate();
    QVERIFY(m_game.waitForFinished());
    const QByteArray said = m_game.readAllStandardError();
    QVERIFY2(!said.contains("silent"), said.constData());
    QCOMPARE(snapshot(m_install.path()), installed);
}

QTEST_MAIN(TestInstalled)
#include "tst_installed.moc"

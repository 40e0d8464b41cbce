// What the desktop suites share: how long they wait, the game's window titles, sizes and
// pointer, the names the player types, the check that the suite runs on a desktop with a
// window manager, the game closed cleanly, and pixels compared with the screen.
#pragma once

#include "testfiles.h"
#include "xdisplay.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QTest>

#include <functional>

namespace DesktopTest {

constexpr int WindowTimeoutMs = 20000;
constexpr int RoundTimeoutMs = 90000; // Get Ready and 61 countdown ticks, with room
// A round's play lasts sixty seconds of the countdown.
constexpr int RoundSeconds = 60;
constexpr int MsPerSecond = 1000;
constexpr int ClosedWithinMs = 1000; // a game closed in any state ends within this long
constexpr int InputPaceMs = 40;      // between the events of a person's double-click or drag
// The game's client area below the menu bar, and the hammer pointer's hot spot on its head.
constexpr QSize ClientArea(400, 398);
constexpr QPoint HammerHotSpot(9, 19);
// The hour of day that the suites' games read: noon keeps the holes' succession off its
// midnight exception.
constexpr double Noon = 0.5;
// A recorded sound begins with a sample of this level (of 32767, about -50 dBFS: no cue is
// this soft) after this much silence.
constexpr int SoundLevel = 101;
constexpr int SilenceBeforeSoundMs = 20;

inline const QString GameTitle = QStringLiteral("Zubbo!");
inline const QString RecordTitle = QStringLiteral("Score Memorize - Easy");
inline QString playerName(int i = 0)
{
    return QStringLiteral("Player %1").arg(i);
}

// Two score tables that a game closed in any state must leave as they were.
inline const QByteArray KeptTable = "Somebody;120;\r\n\"Doe, Jane\";70;\r\n";
inline const QStringList KeptTables{QStringLiteral("Top_Easy.zub"), QStringLiteral("Top_Medi.zub")};

// Copies the built program with its sound module and cues into `folder` and writes the kept
// tables beside it; the copy's path, or nothing when a file could not be made.
inline QString copyGameWithTables(const QString &builtProgram, const QDir &folder)
{
    const QFileInfo built(builtProgram);
    for (const QString &name :
         {built.fileName(), QStringLiteral("zubbo_soundoutput.so"), QStringLiteral("Up.wav"),
          QStringLiteral("Hit.wav"), QStringLiteral("End.wav")}) {
        if (!QFile::copy(built.dir().filePath(name), folder.filePath(name)))
            return {};
    }
    for (const QString &name : KeptTables) {
        if (!writeFile(folder.filePath(name), KeptTable))
            return {};
    }
    return folder.filePath(built.fileName());
}

// The running game ends within ClosedWithinMs of `close` with exit status 0; its folder
// holds the same files as before, so no lock file, and the kept tables as they were.
inline void closeAndCheck(QProcess &game, const std::function<void()> &close, const QDir &folder,
                          const QStringList &files)
{
    QCOMPARE(game.state(), QProcess::Running);
    QElapsedTimer closing;
    closing.start();
    close();
    QVERIFY2(game.waitForFinished(ClosedWithinMs), "the program is still running");
    qInfo("ended %lld ms after the close", closing.elapsed());
    QCOMPARE(game.exitStatus(), QProcess::NormalExit);
    QCOMPARE(game.exitCode(), 0);
    QCOMPARE(folder.entryList(QDir::Files), files);
    for (const QString &name : KeptTables)
        QCOMPARE(fileContent(folder.filePath(name)), KeptTable);
}

// Empty when the X server and its window manager run, else what is missing.
inline QString desktopMissing(const XDisplay &x)
{
    if (!x.isOpen())
        return QStringLiteral("no X server: run the suite inside scripts/desktop-session.sh");
    QElapsedTimer waited;
    waited.start();
    while (x.windowManager().isEmpty()) {
        if (waited.elapsed() > WindowTimeoutMs)
            return QStringLiteral("no window manager runs on this display");
        QTest::qWait(InputPaceMs);
    }
    return {};
}

// Every opaque pixel of `drawn`, outside `skipped`, has its colour in `shown` from `at` on;
// false also when no pixel is compared.
inline bool showsOpaquePixels(const QImage &drawn, const QImage &shown, const QPoint &at = {},
                              const QRect &skipped = {})
{
    int compared = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb pixel = drawn.pixel(x, y);
            if (qAlpha(pixel) != 255 || skipped.contains(x, y))
                continue;
            if ((shown.pixel(at + QPoint(x, y)) & RGB_MASK) != (pixel & RGB_MASK))
                return false;
            ++compared;
        }
    }
    return compared > 0;
}

// A key pressed with a modifier held, such as Alt and S for the Start item.
inline void tapWith(XDisplay &x, const char *modifier, const char *key)
{
    x.keyDown(modifier);
    x.tapKey(key);
    x.keyUp(modifier);
}

} // namespace DesktopTest

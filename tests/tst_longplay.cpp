// Long play: a player who leaves the game running for days. A thousand rounds at Hard, driven
// through the handlers with a hit on every pop and every round recorded, leave resident
// memory where the first round left it, give or take less than 2 MB; so do a hundred thousand
// cues through the wave player. Runs on the desktop session,
// whose sound server keeps the wave player's stream open as in play.
#include "beattimer.h"
#include "cues.h"
#include "desktoptest.h"
#include "frmzub.h"
#include "levels.h"
#include "playcue.h"
#include "tonewell.h"
#include "widgettest.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <malloc.h>

using namespace DesktopTest;

namespace {

constexpr int Rounds = 1000;
constexpr int CueCount = 100000;
constexpr int Players = 10; // the names the rounds are recorded under, in turn
constexpr double GrowthLimitMb = 2.0;
constexpr int CueBatch = 1000; // cues queued before waiting for the player to take them

// Resident memory once freed memory has gone back to the system, so that what the allocator
// merely keeps for reuse does not count as growth.
double liveMb()
{
    malloc_trim(0);
    const QByteArray status = fileContent(QStringLiteral("/proc/self/status"));
    const qsizetype at = status.indexOf("VmRSS:");
    const QByteArray line = status.mid(at + 6, status.indexOf('\n', at) - at - 6);
    return line.trimmed().split(' ').first().toDouble() / 1024;
}

} // namespace

class TestLongPlay : public QObject
{
    Q_OBJECT

private slots:
    void memoryStaysFlat();

private:
    void playRound(frmZUB &window, const QString &player);
};

// One round from Start to its recorded score: Get Ready, the pops of each second at the
// level's beat, every one of them hit, then the end of the time and the record dialog.
void TestLongPlay::playRound(frmZUB &window, const QString &player)
{
    window.bmSTART_Click();
    const auto *pop = window.findChild<BeatTimer *>(QStringLiteral("Pop"));
    do
        window.timStart_Timer();
    while (!pop->isActive());
    const int beatMs = levelInfo(Level::Hard).beatMs;
    int sinceSecondMs = 0;
    for (int second = 0; second <= RoundSeconds; ++second) {
        for (; sinceSecondMs < MsPerSecond; sinceSecondMs += beatMs) {
            window.Pop_Timer();
            window.ZubIN_MouseDown(window.currentHole());
            window.ZubIN_MouseUp(window.currentHole());
        }
        sinceSecondMs -= MsPerSecond;
        if (second == RoundSeconds) {
            const auto record = [player](QWidget *dialog) {
                nameBox(dialog)->setEditText(player);
                pressOk(dialog);
            };
            whenModal(record);
        }
        window.Countdown_Timer();
    }
    window.sound().flush();
}

void TestLongPlay::memoryStaysFlat()
{
    QTemporaryDir folder;
    for (const CueInfo &cue : Cues)
        QVERIFY(QFile::copy(cueFile(QCoreApplication::applicationDirPath(), cue.cue),
                            cueFile(folder.path(), cue.cue)));
    frmZUB window(folder.path());
    window.bmLEVEL_Click(levelNumber(Level::Hard));

    playRound(window, playerName(0));
    const double afterFirstRound = liveMb();
    for (int round = 1; round < Rounds; ++round)
        playRound(window, playerName(round % Players));
    const double afterRounds = liveMb();
    qInfo("%.1f MB after the first round, %+.2f MB after %d rounds", afterFirstRound,
          afterRounds - afterFirstRound, Rounds);
    QVERIFY(afterRounds - afterFirstRound < GrowthLimitMb);
    const QByteArray table = fileContent(window.tables().filePath(Level::Hard));
    QCOMPARE(int(table.count('\n')), Players);
    QVERIFY(table.endsWith(QStringLiteral("Player 9;%1;\r\n").arg(window.score()).toLatin1()));

    for (int cue = 0; cue < CueCount; ++cue) {
        playCue(window.sound(), folder.path(), cue % 2 ? Cue::Hit : Cue::Up);
        if (cue % CueBatch == 0)
            window.sound().flush();
    }
    window.sound().flush();
    const double afterCues = liveMb();
    qInfo("%+.2f MB after %d cues", afterCues - afterFirstRound, CueCount);
    QVERIFY(afterCues - afterFirstRound < GrowthLimitMb);
}

QTEST_MAIN(TestLongPlay)
#include "tst_longplay.moc"

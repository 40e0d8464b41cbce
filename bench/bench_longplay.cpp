// Long play: a player who leaves the game running for days. Drives 1,000 rounds at Hard
// through the handlers, with a hit on every pop and every round recorded into a folder of
// its own, then 100,000 cues through the wave player, and reports how resident memory grew
// after the first round. Time is not the point here: the handlers run back to back.
#include "benchkit.h"
#include "cues.h"
#include "frmzub.h"
#include "levels.h"
#include "playcue.h"
#include "tonewell.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <malloc.h>

namespace {
constexpr int Rounds = 1000;
constexpr int CueCount = 100000;
constexpr int RoundSeconds = 60;
// The player thread is given this long to play out the queued cues before memory is read.
constexpr int DrainMs = 3000;
constexpr int Players = 10; // the names the rounds are recorded under, in turn

// Types a name into the record dialog once it shows, and confirms it.
void recordWhenAsked(const QString &name)
{
    QTimer::singleShot(0, [name] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog) {
            recordWhenAsked(name);
            return;
        }
        dialog->findChild<QComboBox *>(QStringLiteral("txtNAME"))->setEditText(name);
        dialog->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
    });
}

// One round from Start to its recorded score: Get Ready, then the pops of each second of
// the level's beat, every one of them hit, then the end of the time.
void playRound(frmZUB &window, int round)
{
    window.bmSTART_Click();
    const auto *pop = window.findChild<QTimer *>(QStringLiteral("Pop"));
    do
        window.timStart_Timer();
    while (!pop->isActive());
    const int beatMs = levelInfo(Level::Hard).beatMs;
    int sinceSecondMs = 0;
    for (int second = 0; second <= RoundSeconds; ++second) {
        for (; sinceSecondMs < 1000; sinceSecondMs += beatMs) {
            window.Pop_Timer();
            window.ZubIN_MouseDown(window.currentHole());
            window.ZubIN_MouseUp(window.currentHole());
        }
        sinceSecondMs -= 1000;
        if (second == RoundSeconds)
            recordWhenAsked(QStringLiteral("Player %1").arg(round % Players));
        window.Countdown_Timer();
    }
}

// Resident memory once freed memory has gone back to the system, so that what the
// allocator merely keeps for reuse does not count as growth.
double liveMb()
{
    malloc_trim(0);
    return BenchKit::rssMb();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    for (const CueInfo &cue : Cues)
        QFile::copy(cueFile(QCoreApplication::applicationDirPath(), cue.cue),
                    cueFile(folder.path(), cue.cue));

    frmZUB window(folder.path());
    window.bmLEVEL_Click(levelNumber(Level::Hard));
    playRound(window, 0);
    const double afterFirstRound = liveMb();
    const double cpuBefore = BenchKit::cpuSeconds();
    for (int round = 1; round < Rounds; ++round)
        playRound(window, round);
    const double afterRounds = liveMb();
    const double roundsCpu = BenchKit::cpuSeconds() - cpuBefore;

    Tonewell &sound = window.sound();
    for (int cue = 0; cue < CueCount; ++cue)
        playCue(sound, folder.path(), cue % 2 ? Cue::Hit : Cue::Up);
    QTimer::singleShot(DrainMs, &app, &QCoreApplication::quit);
    QApplication::exec();
    const double afterCues = liveMb();

    BenchKit::printFigure(QStringLiteral("Long play: memory after the first round (MB)"),
                          afterFirstRound);
    BenchKit::printFigure(QStringLiteral("Long play: growth over %1 rounds at Hard (MB)").arg(Rounds),
                          afterRounds - afterFirstRound, QStringLiteral("< 2"));
    BenchKit::printFigure(QStringLiteral("Long play: growth after %1 more cues (MB)").arg(CueCount),
                          afterCues - afterFirstRound, QStringLiteral("< 2"));
    BenchKit::printFigure(QStringLiteral("Long play: CPU per round of handlers (ms)"),
                          roundsCpu / (Rounds - 1) * 1000);
    QFile hardTable(window.tables().filePath(Level::Hard));
    hardTable.open(QIODevice::ReadOnly);
    BenchKit::printFigure(QStringLiteral("Long play: players in the Hard table file"),
                          hardTable.readAll().count('\n'), QString::number(Players));
    return 0;
}

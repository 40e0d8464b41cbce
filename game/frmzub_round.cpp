// The round: Start and Stop, the Get Ready phase, the countdown, the beat of the pops and
// the hammer with its hits.
#include "frmzub.h"

#include "beattimer.h"
#include "frmrecord.h"
#include "gametext.h"
#include "picturecontrol.h"
#include "playcue.h"
#include "tonewell.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {
constexpr int ReadyTicksToPlay = 2;
const QString RoundStartTime = QStringLiteral("60");
const QString RoundOverTime = QStringLiteral("0");
} // namespace

void frmZUB::bmSTART_Click()
{
    if (!Running) {
        Running = true;
        bmSTART->setText(tr("&Stop"));
        TimeX->setText(RoundStartTime);
        enableLevelChoice(false);
        Score = 0;
        PointsTable->setText(scoreText(Score));
        timStart->start();
    } else {
        stopRound();
    }
}

void frmZUB::stopRound()
{
    endPause();
    Running = false;
    bmSTART->setText(tr("&Start"));
    Pop->stop();
    Countdown->stop();
    timStart->stop();
    TimeX->setText(RoundOverTime);
    Explode[CurrentHole]->hide();
    ZubIN[CurrentHole]->hide();
    enableLevelChoice(true);
}

void frmZUB::enableLevelChoice(bool enabled)
{
    mnuLEVEL->menuAction()->setEnabled(enabled);
    mnuTOP->menuAction()->setEnabled(enabled);
}

// ReadyTicks is never reset by Start or Stop: the first round after program start waits
// three ticks, later rounds two, and a Stop during Get Ready carries its count over.
void frmZUB::timStart_Timer()
{
    lblMESSAGE->show();
    if (ReadyTicks == ReadyTicksToPlay) {
        ReadyTicks = 0;
        lblMESSAGE->hide();
        timStart->stop();
        Pop->start();
        Countdown->start();
        // The sound stream closes while the game is quiet; opened now, it is ready for the
        // first pop, which then sounds as promptly as every later one.
        Sound->preload(cueFiles(m_cueFolder));
    }
    ++ReadyTicks;
}

void frmZUB::Countdown_Timer()
{
    const int remaining = timeValue(TimeX->text());
    if (remaining != 0) {
        TimeX->setText(countdownText(remaining - 1));
        return;
    }
    bmSTART_Click();
    playCue(*Sound, m_cueFolder, Cue::End);
    // Waits here until the player has recorded the score or cancelled.
    frmRECORD record(m_tables, Level(currentLevel()), Score, this);
    record.exec();
}

void frmZUB::Pop_Timer()
{
    // The interval is set first: on the running timer it sets the wait until the next tick,
    // counted from when this one was due, so the level chosen governs it.
    Pop->setInterval(levelInfo(Level(currentLevel())).beatMs);
    Explode[CurrentHole]->hide();
    ZubIN[CurrentHole]->hide();
    ZubIN[CurrentHole]->setMouseIcon(m_raisedHammer);
    CurrentHole = static_cast<quint8>(m_holes.pickHole(m_clock()));
    ZubIN[CurrentHole]->show();
    playCue(*Sound, m_cueFolder, Cue::Up);
}

void frmZUB::ZubIN_MouseDown(int Index)
{
    ZubIN[Index]->setMouseIcon(m_strikingHammer);
    Score = addHitPoints(Score);
    playCue(*Sound, m_cueFolder, Cue::Hit);
    PointsTable->setText(scoreText(Score));
    Explode[CurrentHole]->show();
}

void frmZUB::ZubIN_MouseUp(int Index)
{
    ZubIN[Index]->setMouseIcon(m_strikingHammer);
}

// A pressed hit picture takes its target's pointer, which after a hit is the striking one.
void frmZUB::Explode_MouseDown(int Index)
{
    Explode[Index]->setMouseIcon(ZubIN[Index]->mouseIcon());
}

void frmZUB::Explode_MouseUp(int Index)
{
    Explode[Index]->setMouseIcon(ZubIN[Index]->mouseIcon());
}

void frmZUB::imgCUR_MouseDown()
{
    imgCUR->setMouseIcon(m_strikingHammer);
}

void frmZUB::imgCUR_MouseUp()
{
    imgCUR->setMouseIcon(m_raisedHammer);
}

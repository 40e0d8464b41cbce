#pragma once

#include "boardlayout.h"
#include "gamefolders.h"
#include "levels.h"
#include "randomholes.h"
#include "zubmod.h"

#include <QCursor>
#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>

class BeatTimer;
class PictureControl;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class TimerFreeze;
class Tonewell;
class TopTenViewer;

// The time of day as a fraction of a day, in whole seconds.
using DayClock = std::function<double()>;
double currentDayFraction();

// Waits out the warning shown before a paused round goes on, then calls `over`, as long as
// `context` lives. The game waits as long as a tick of Get Ready.
using WarningWait = std::function<void(QObject *context, std::function<void()> over)>;
void waitGetReadyTick(QObject *context, std::function<void()> over);

// The main window: the board with its targets, hit pictures, panels and labels, the menus,
// the three timers of a round and the game state. Its handlers carry the game's rules: the
// round from Start to the end of the time, the beat of the pops, the hammer and the hits.
class frmZUB : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmZUB(const GameFolders &folders, DayClock clock = currentDayFraction,
                    WarningWait warningWait = waitGetReadyTick, QWidget *parent = nullptr);
    // The score tables and the wave cues in `folder`, the sound output module beside the
    // program.
    explicit frmZUB(const QString &folder, DayClock clock = currentDayFraction,
                    WarningWait warningWait = waitGetReadyTick, QWidget *parent = nullptr);
    ~frmZUB() override;

    qint32 score() const { return Score; }
    int currentHole() const { return CurrentHole; }
    bool running() const { return Running; }
    // A round held still: by the player leaving the game or by the pause key.
    bool paused() const { return m_pause != Pause::None; }
    int readyTicks() const { return ReadyTicks; }
    int currentLevel() const;
    ZubMod &tables() { return m_tables; }
    Tonewell &sound() { return *Sound; }

public slots:
    void bmSTART_Click();
    void timStart_Timer();
    void Countdown_Timer();
    void Pop_Timer();
    void bmLEVEL_Click(int Index);
    void bmT_EASY_Click() { showTopTen(Level::Easy); }
    void bmT_MEDIUM_Click() { showTopTen(Level::Medium); }
    void bmT_HARD_Click() { showTopTen(Level::Hard); }
    void bmHELP_Click();
    void bmABOUT_Click();

    void ZubIN_MouseDown(int Index);
    void ZubIN_MouseUp(int Index);
    void Explode_MouseDown(int Index);
    void Explode_MouseUp(int Index);
    void imgCUR_MouseDown();
    void imgCUR_MouseUp();

    // The desktop's ways beside the menus: pausing and going on, the mute, quitting.
    void togglePause();
    void toggleMute();
    void applicationStateChanged(Qt::ApplicationState state);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class Pause { None, Paused, Resuming };
    //: The message before play, spaced out letter by letter with three blanks between the words.
    static QString getReadyMessage() { return tr("G e t   R e a d y"); }
    void buildBoard();
    void drawPictures(qreal ratio);
    void buildMenus();
    void buildTimers();
    void buildDesktopKeys();
    void pauseRound();
    void resumeRound();
    void goOnPlaying();
    void endPause();
    void showMessageAsBeforePause();
    void Form_Load();
    void stopRound();
    // Enables or disables what a round locks: the Level and Top Scores menus.
    void enableLevelChoice(bool enabled);
    void showTopTen(Level level);

    // Game state, alive as long as the window.
    qint32 Score = 0;
    quint8 CurrentHole = 0;
    bool Running = false;
    quint8 ReadyTicks = 0;

    QString m_cueFolder;
    DayClock m_clock;
    WarningWait m_warningWait;
    RandomHoles m_holes;
    ZubMod m_tables;
    Tonewell *Sound = nullptr;
    // The pointers made from the pictures of imgHAM(0) and imgHAM(1).
    QCursor m_raisedHammer;
    QCursor m_strikingHammer;

    QLabel *PointsTable = nullptr;
    QLabel *TimeX = nullptr;
    QLabel *lblVER = nullptr;
    QLabel *lblMESSAGE = nullptr;
    std::array<PictureControl *, 2> Caps{};
    std::array<PictureControl *, BoardLayout::HoleCount> ZubIN{};
    std::array<PictureControl *, BoardLayout::HoleCount> Explode{};
    std::array<PictureControl *, 2> imgHAM{};
    PictureControl *imgCUR = nullptr;

    QAction *bmSTART = nullptr;
    QMenu *mnuLEVEL = nullptr;
    std::array<QAction *, FirstLevel + LevelCount> bmLEVEL{}; // items from FirstLevel
    QMenu *mnuTOP = nullptr;

    QTimer *timStart = nullptr;
    QTimer *Countdown = nullptr;
    BeatTimer *Pop = nullptr;

    // A pause: the round's timers held still, what it hid from the board, and the number of
    // warnings shown before play went on, the last of which is the one that counts.
    Pause m_pause = Pause::None;
    TimerFreeze *m_freeze = nullptr;
    int m_warnings = 0;
    Qt::ApplicationState m_applicationState;
    bool m_targetWasShown = false;
    bool m_hitWasShown = false;
    bool m_messageWasShown = false;
    QString m_messageText;

    // The table viewers, one per level, live from their first opening until their close
    // box is used.
    std::array<QPointer<TopTenViewer>, LevelCount> m_viewers;
};

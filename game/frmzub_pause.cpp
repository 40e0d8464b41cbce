// A round held still while the player is away, and the keys a desktop game answers to
// beside its menus.
//
// A round pauses when the program stops being the active one (another program takes the
// focus, or the window is minimised) and by the P and Pause keys. Its timers then stop, each
// keeping what was left of its interval, the eyes and the fireball go, and the message label
// says so. The game's own windows, which keep the program active, pause nothing. A pause
// ends by the P key or a press on the board; the Get Ready message then shows for one Get
// Ready tick before the timers go on, since the press that ends a pause is often the one
// that brought the player back. Neither the pause nor that warning counts as play time.
#include "frmzub.h"

#include "beattimer.h"
#include "picturecontrol.h"
#include "timerfreeze.h"
#include "tonewell.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QShortcut>
#include <QTimer>
#include <QTouchEvent>

namespace {
// As long as a tick of Get Ready.
constexpr int ResumeWarningMs = 1100;
} // namespace

void waitGetReadyTick(QObject *context, std::function<void()> over)
{
    QTimer::singleShot(ResumeWarningMs, context, std::move(over));
}

void frmZUB::buildDesktopKeys()
{
    m_freeze = new TimerFreeze(this);
    m_freeze->add(timStart);
    m_freeze->add(Countdown);
    m_freeze->add(Pop);

    m_applicationState = QGuiApplication::applicationState();
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &frmZUB::applicationStateChanged);

    // On the main window alone, so that a letter typed in the record dialog stays a letter.
    const auto addKey = [this](QKeySequence key, void (frmZUB::*action)()) {
        connect(new QShortcut(key, this), &QShortcut::activated, this, action);
    };
    addKey(Qt::Key_P, &frmZUB::togglePause);
    addKey(Qt::Key_Pause, &frmZUB::togglePause);
    addKey(Qt::Key_M, &frmZUB::toggleMute);
    addKey(QKeySequence::HelpContents, &frmZUB::bmHELP_Click);
    // Quitting is heard in every window of the game, the modal ones included, where the
    // main window's shortcuts are not; the filter also takes the fingers on the board.
    qApp->installEventFilter(this);
}

void frmZUB::applicationStateChanged(Qt::ApplicationState state)
{
    const bool left = m_applicationState == Qt::ApplicationActive && state != Qt::ApplicationActive;
    m_applicationState = state;
    if (left && Running)
        pauseRound();
}

void frmZUB::togglePause()
{
    if (m_pause == Pause::Paused)
        resumeRound();
    else if (Running)
        pauseRound();
}

void frmZUB::toggleMute()
{
    Sound->setMuted(!Sound->muted());
}

void frmZUB::pauseRound()
{
    if (m_pause == Pause::None) {
        m_freeze->freeze();
        m_targetWasShown = !ZubIN[CurrentHole]->isHidden();
        m_hitWasShown = !Explode[CurrentHole]->isHidden();
        m_messageWasShown = !lblMESSAGE->isHidden();
        m_messageText = lblMESSAGE->text();
        ZubIN[CurrentHole]->hide();
        Explode[CurrentHole]->hide();
    }
    m_pause = Pause::Paused;
    //: The message while a round is paused, spaced out as the one before play.
    lblMESSAGE->setText(tr("P a u s e d"));
    lblMESSAGE->show();
}

void frmZUB::resumeRound()
{
    m_pause = Pause::Resuming;
    lblMESSAGE->setText(getReadyMessage());
    lblMESSAGE->show();
    // A pause or a Stop before the warning is over leaves its end unheard.
    m_warningWait(this, [this, warning = ++m_warnings] {
        if (m_pause == Pause::Resuming && warning == m_warnings)
            goOnPlaying();
    });
}

void frmZUB::goOnPlaying()
{
    m_pause = Pause::None;
    showMessageAsBeforePause();
    ZubIN[CurrentHole]->setVisible(m_targetWasShown);
    Explode[CurrentHole]->setVisible(m_hitWasShown);
    m_freeze->thaw();
}

// A round stopped while paused leaves the message as it was before the pause.
void frmZUB::endPause()
{
    m_freeze->clear();
    if (m_pause == Pause::None)
        return;
    m_pause = Pause::None;
    showMessageAsBeforePause();
}

void frmZUB::showMessageAsBeforePause()
{
    lblMESSAGE->setText(m_messageText);
    lblMESSAGE->setVisible(m_messageWasShown);
}

bool frmZUB::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Quit)) {
        close();
        return true;
    }
    // A finger on the board's labels, which take no touch of their own, strikes nothing and
    // is turned into no mouse press either.
    if (watched == centralWidget() && dynamic_cast<QTouchEvent *>(event)) {
        event->accept();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Closing the main window ends the program with every other window, also from within a
// modal window's loop, which then returns at once. Nothing is recorded on the way out.
void frmZUB::closeEvent(QCloseEvent *event)
{
    event->accept();
    QCoreApplication::quit();
}

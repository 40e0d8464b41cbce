#include "tonewell.h"

#include "cueplayer.h"

#include <QEventLoop>
#include <QThread>

#include <memory>
#include <utility>

#include <pthread.h>

namespace {
constexpr float ForegroundVolume = 1.0f;
constexpr float BeatVolume = 0.6f;
constexpr char ThreadName[] = "Tonewell";

// The player's thread: takes the player over, carries out the calls queued to it until it
// is told to quit, and deletes it, so that the player's output and timers end on the thread
// they ran on.
void runPlayer(CuePlayer *player)
{
    pthread_setname_np(pthread_self(), ThreadName);
    const std::unique_ptr<CuePlayer> owned(player);
    QEventLoop loop;
    owned->moveToThread(QThread::currentThread());
    loop.exec();
}
} // namespace

Tonewell::Tonewell(QString moduleFolder, QObject *parent)
    : QObject(parent), m_moduleFolder(std::move(moduleFolder))
{
}

// The quit is queued behind the calls made before, and join() returns only once the thread
// has exited, its Qt thread data released along with it.
Tonewell::~Tonewell()
{
    if (!m_thread.joinable())
        return;
    QMetaObject::invokeMethod(
        m_player, [] { QThread::currentThread()->quit(); }, Qt::QueuedConnection);
    m_thread.join();
}

// The player's thread starts with the first cue or preload; the player is used only
// through calls queued to that thread. Until the thread takes the player over, the player
// belongs to no thread and the calls wait in its queue, so none of this waits for the
// thread to start.
CuePlayer *Tonewell::player()
{
    if (!m_player) {
        m_player = new CuePlayer(m_moduleFolder);
        m_player->moveToThread(nullptr);
        m_thread = std::thread(runPlayer, m_player);
    }
    return m_player;
}

void Tonewell::preload(const QStringList &paths)
{
    CuePlayer *target = player();
    QMetaObject::invokeMethod(
        target, [target, paths] { target->preload(paths); }, Qt::QueuedConnection);
}

void Tonewell::flush()
{
    const auto nothing = [] {};
    if (m_player)
        QMetaObject::invokeMethod(m_player, nothing, Qt::BlockingQueuedConnection);
}

void Tonewell::setMuted(bool muted)
{
    m_muted = muted;
    CuePlayer *target = player();
    QMetaObject::invokeMethod(
        target, [target, muted] { target->setMuted(muted); }, Qt::QueuedConnection);
}

void Tonewell::Play()
{
    emit played(m_waveFile, m_cueFlag);
    CuePlayer *target = player();
    const float gain = m_cueFlag ? ForegroundVolume : BeatVolume;
    QMetaObject::invokeMethod(
        target, [target, file = m_waveFile, gain] { target->play(file, gain); },
        Qt::QueuedConnection);
}

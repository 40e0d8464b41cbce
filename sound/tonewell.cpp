#include "tonewell.h"

#include "cueplayer.h"

#include <QThread>

#include <utility>

namespace {
constexpr float ForegroundVolume = 1.0f;
constexpr float BeatVolume = 0.6f;
} // namespace

Tonewell::Tonewell(QString moduleFolder, QObject *parent)
    : QObject(parent), m_moduleFolder(std::move(moduleFolder))
{
}

Tonewell::~Tonewell()
{
    if (m_thread) {
        m_thread->quit();
        m_thread->wait();
    }
}

// The player's thread starts with the first cue or preload; the player is used only
// through calls queued to that thread.
CuePlayer *Tonewell::player()
{
    if (!m_player) {
        m_thread = new QThread(this);
        m_thread->setObjectName(QStringLiteral("Tonewell"));
        m_player = new CuePlayer(m_moduleFolder);
        m_player->moveToThread(m_thread);
        connect(m_thread, &QThread::finished, m_player, &QObject::deleteLater);
        m_thread->start();
    }
    return m_player;
}

void Tonewell::preload(const QStringList &paths)
{
    CuePlayer *target = player();
    QMetaObject::invokeMethod(
        target, [target, paths] { target->preload(paths); }, Qt::QueuedConnection);
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

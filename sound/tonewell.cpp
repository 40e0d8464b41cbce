#include "tonewell.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace {
constexpr float ForegroundVolume = 1.0f;
constexpr float BeatVolume = 0.6f;
}

Tonewell::Tonewell(QObject *parent) : QObject(parent) {}

QSoundEffect *Tonewell::voice(const QString &path)
{
    if (auto found = m_voices.constFind(path); found != m_voices.constEnd())
        return found.value();
    QSoundEffect *effect = nullptr;
    if (QFileInfo(path).isFile()) {
        effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(path));
    }
    // A missing file is remembered as no voice, so it is not looked for on every beat.
    m_voices.insert(path, effect);
    return effect;
}

void Tonewell::preload(const QStringList &paths)
{
    for (const QString &path : paths)
        voice(path);
}

void Tonewell::Play()
{
    emit played(m_waveFile, m_cueFlag);
    QSoundEffect *effect = voice(m_waveFile);
    if (!effect || effect->status() == QSoundEffect::Error)
        return;
    effect->setVolume(m_cueFlag ? ForegroundVolume : BeatVolume);
    effect->play();
}

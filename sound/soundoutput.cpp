#include "soundoutput.h"

#include "wavereader.h"

#include <QTimer>

namespace {
// Longer than the slowest beat, so the stream stays open through a round.
constexpr int LingerMs = 2000;
} // namespace

static_assert(CueStream::SampleRate == CueOutput::SampleRate);

SoundOutput::SoundOutput() : m_linger(new QTimer(this))
{
    m_linger->setSingleShot(true);
    m_linger->setInterval(LingerMs);
    connect(m_linger, &QTimer::timeout, this, &SoundOutput::closeWhenSilent);
}

QList<qint16> SoundOutput::read(const QString &path)
{
    return readWave(path, SampleRate);
}

void SoundOutput::open()
{
    m_stream.open();
    m_linger->start();
}

void SoundOutput::play(const QString &cue, const QList<qint16> &samples, float gain)
{
    m_stream.play(cue, samples, gain);
    m_linger->start();
}

void SoundOutput::closeWhenSilent()
{
    if (!m_stream.closeIfSilent())
        m_linger->start();
}

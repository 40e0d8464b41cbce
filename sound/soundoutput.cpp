#include "soundoutput.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QTimer>

#include <utility>

namespace {
// The stream's buffer: what a new cue may have to wait behind while another sounds.
constexpr int BufferMs = 20;
constexpr int FeedMs = 5;
// Longer than the slowest beat, so the stream stays open through a round.
constexpr int LingerMs = 2000;
} // namespace

SoundOutput::SoundOutput() : m_feed(new QTimer(this)), m_linger(new QTimer(this))
{
    m_feed->setTimerType(Qt::PreciseTimer);
    m_feed->setInterval(FeedMs);
    connect(m_feed, &QTimer::timeout, this, &SoundOutput::feed);
    m_linger->setSingleShot(true);
    m_linger->setInterval(LingerMs);
    connect(m_linger, &QTimer::timeout, this, &SoundOutput::close);
}

void SoundOutput::open()
{
    if (m_sink && !m_stream)
        delete std::exchange(m_sink, nullptr); // its stream went with the sound server
    if (m_sink)
        return;
    QAudioFormat format;
    format.setSampleRate(SampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    m_sink = new QAudioSink(format, this);
    m_sink->setBufferSize(qsizetype(SampleRate) * BufferMs / 1000 * sizeof(qint16));
    m_stream = m_sink->isNull() ? nullptr : m_sink->start();
    if (!m_stream) {
        delete std::exchange(m_sink, nullptr);
        return;
    }
    m_linger->start();
}

void SoundOutput::play(const QString &cue, const QList<qint16> &samples, float gain)
{
    open();
    if (!m_stream)
        return;
    m_mixer.start(cue, samples, gain);
    feed();
    m_feed->start();
    m_linger->start();
}

// Writes as much as the stream takes. When the last cue has been written the stream is
// left to run dry; the next cue then fills the whole buffer at once and starts at once.
void SoundOutput::feed()
{
    if (m_mixer.isSilent() || !m_stream) {
        m_feed->stop();
        return;
    }
    const qsizetype count = m_sink->bytesFree() / qsizetype(sizeof(qint16));
    if (count <= 0)
        return;
    m_block.resize(count);
    m_mixer.mix(m_block.data(), count);
    m_stream->write(reinterpret_cast<const char *>(m_block.constData()),
                    count * qsizetype(sizeof(qint16)));
}

void SoundOutput::close()
{
    if (!m_mixer.isSilent()) {
        m_linger->start();
        return;
    }
    m_feed->stop();
    // Cleared first: closing the stream runs pending events, so a cue may arrive meanwhile
    // and must find the player closed.
    m_stream.clear();
    delete std::exchange(m_sink, nullptr);
}

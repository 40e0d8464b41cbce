#include "backgroundrecording.h"

#include "sinkrecorder.h"
#include "steadyclock.h"

namespace {
constexpr double NsPerMs = 1e6;
// Deliveries of samples come a few milliseconds apart; one that shows more than this
// missing against the ones before it marks a gap.
constexpr qint64 GapSlackNs = 20'000'000;
} // namespace

BackgroundRecording::BackgroundRecording(const QString &sink, int level, int quietMs)
    : m_worker(new QObject), m_level(level), m_quietMs(quietMs)
{
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
    const auto start = [this, sink] {
        m_recorder = std::make_unique<SinkRecorder>(sink, steadyClockNs);
        const bool recording = m_recorder->start();
        if (!recording)
            m_error = m_recorder->errorText();
        m_recording.store(recording);
        m_started.store(true);
    };
    QMetaObject::invokeMethod(m_worker, start);
}

BackgroundRecording::~BackgroundRecording()
{
    // The recorder's process belongs to the thread: it goes before the thread ends.
    const auto end = [this] { m_recorder.reset(); };
    QMetaObject::invokeMethod(m_worker, end, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void BackgroundRecording::stop()
{
    const auto stopAndFindOnsets = [this] {
        m_recorder->stop();
        m_onsetsNs = m_recorder->onsetsNs(m_level, m_quietMs);
        m_recordedFromNs = m_recorder->firstSampleNs();
        m_recordedUntilNs = m_recordedFromNs + qint64(m_recorder->lengthMs() * NsPerMs);
        m_gapsNs = m_recorder->gapsNs(GapSlackNs);
        m_done.store(true);
    };
    QMetaObject::invokeMethod(m_worker, stopAndFindOnsets);
}

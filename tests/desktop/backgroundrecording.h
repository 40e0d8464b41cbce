#pragma once

#include <QList>
#include <QString>
#include <QThread>

#include <atomic>
#include <memory>
#include <utility>

class SinkRecorder;

// A recording of the sink (SinkRecorder) made on a thread of its own: starting and stopping
// the recorder wait for it, and the window's thread, whose beat a test checks, must not wait.
// Onsets are placed on the steady clock of the beat (steadyClockNs).
class BackgroundRecording
{
public:
    // Starts recording at once, in the background.
    BackgroundRecording(const QString &sink, int level, int quietMs);
    ~BackgroundRecording();

    // The first samples have arrived, or the recorder failed to start.
    bool hasStarted() const { return m_started.load(); }
    bool isRecording() const { return m_recording.load(); }
    // Stops recording in the background; the results are there once isDone().
    void stop();
    bool isDone() const { return m_done.load(); }
    const QList<qint64> &onsetsNs() const { return m_onsetsNs; }
    // No later than the times the first and the last sample recorded were rendered: samples
    // may arrive long after, when the server delivers them in long blocks.
    qint64 recordedFromNs() const { return m_recordedFromNs; }
    qint64 recordedUntilNs() const { return m_recordedUntilNs; }
    // Where the recording lacks samples (SinkRecorder::gapsNs).
    const QList<std::pair<qint64, qint64>> &gapsNs() const { return m_gapsNs; }
    const QString &errorText() const { return m_error; }

private:
    QThread m_thread;
    QObject *m_worker; // lives on m_thread; runs the recorder's calls there
    std::unique_ptr<SinkRecorder> m_recorder;
    QList<qint64> m_onsetsNs;
    qint64 m_recordedFromNs = 0;
    qint64 m_recordedUntilNs = 0;
    QList<std::pair<qint64, qint64>> m_gapsNs;
    QString m_error;
    int m_level;
    int m_quietMs;
    std::atomic<bool> m_started = false;
    std::atomic<bool> m_recording = false;
    std::atomic<bool> m_done = false;
};

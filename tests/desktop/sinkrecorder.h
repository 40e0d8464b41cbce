#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>

// Records what a PulseAudio sink plays, by reading its monitor source through parec, and
// finds where each sound begins in the recording.
class SinkRecorder
{
public:
    static constexpr int SampleRate = 44100;

    explicit SinkRecorder(const QString &sink);
    ~SinkRecorder();

    // Starts parec and returns once the first samples have arrived, so the recording covers
    // everything played from then on; false if parec could not record the sink.
    bool start();
    void stop();
    QString errorText();

    // Milliseconds from the first recorded sample to each onset: a sample above the noise
    // floor after at least MinimumSilenceMs of silence.
    QList<double> onsets() const;
    double lengthMs() const;

private:
    QString m_sink;
    QProcess m_parec;
    QByteArray m_samples; // 16-bit signed little-endian mono
};

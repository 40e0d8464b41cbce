#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>

#include <functional>

// Records what a PulseAudio sink plays, by reading its monitor source through parec, and
// finds where each sound begins in the recording. An onset is the first sample of at least
// `level` (of 32767) after at least `quietMs` of quieter samples, or after the start.
//
// Onsets can also be placed on a clock of the caller's (onsetsNs). The recorder's own clock
// is unknown, but a sample cannot reach this process before the sound server has rendered
// it: every arrival of samples bounds the time of the recording's first sample from above,
// and the tightest bound is kept. An onset's time is thus when the server rendered it, give
// or take the smallest delivery delay of any arrival; a server that renders ahead of playing
// (a null sink does) places it that much early.
class SinkRecorder
{
public:
    static constexpr int SampleRate = 44100;

    // `nowNs` is the clock for onsetsNs(); without one only onsetsMs() has a meaning.
    explicit SinkRecorder(const QString &sink, std::function<qint64()> nowNs = {});
    ~SinkRecorder();

    // Starts parec and returns once the first samples have arrived, so the recording covers
    // everything played from then on; false if parec could not record the sink.
    bool start();
    void stop();
    QString errorText();

    // The loudest sample's magnitude.
    int loudest() const;
    double lengthMs() const;

    // Milliseconds from the first recorded sample to each onset.
    QList<double> onsetsMs(int level, int quietMs) const;
    // Each onset's time on the `nowNs` clock, in nanoseconds.
    QList<qint64> onsetsNs(int level, int quietMs) const;

private:
    void takeSamples();
    qint16 sample(qsizetype i) const;
    qsizetype sampleCount() const;
    QList<qsizetype> onsets(int level, int quietMs) const;

    QString m_sink;
    std::function<qint64()> m_nowNs;
    QProcess m_parec;
    QByteArray m_samples; // 16-bit signed little-endian mono
    qint64 m_firstSampleNs = 0;
    bool m_haveFirstSampleNs = false;
};

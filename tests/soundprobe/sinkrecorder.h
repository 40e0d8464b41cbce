#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>

#include <functional>
#include <utility>

// Records what a PulseAudio sink plays, by reading its monitor source through parec, and
// finds where each sound begins in the recording. An onset is the first sample of at least
// `level` (of 32767) after at least `quietMs` of quieter samples, or after the start.
//
// Onsets can also be placed on a clock of the caller's (onsetsNs). The recorder's own clock
// is unknown, but a sample cannot reach this process before the sound server has rendered
// it: every arrival of samples bounds the time of each sample it brings, and of each one
// before it, from above, and the tightest bound is kept. An onset's time is thus when the
// server rendered it, give or take the smallest delivery delay after it; a server that
// renders ahead of playing (a null sink does) places it that much early. Each onset is timed
// by the arrivals from its own on, so a stall of the server, which leaves the recording
// short of the time that passed, moves no onset before it.
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
    // No later than when the first sample recorded was rendered, on the `nowNs` clock.
    qint64 firstSampleNs() const;
    // Where samples went missing, from and to on the `nowNs` clock: a place after which every
    // arrival shows more time gone by than samples came, by more than `slackNs`. The server
    // dropped them on the way to the recorder, or rendered nothing for that long.
    QList<std::pair<qint64, qint64>> gapsNs(qint64 slackNs) const;

private:
    void takeSamples();
    qint16 sample(qsizetype i) const;
    qsizetype sampleCount() const;
    QList<qsizetype> onsets(int level, int quietMs) const;
    QList<qint64> boundsFromEachArrivalOn() const;

    QString m_sink;
    std::function<qint64()> m_nowNs;
    QProcess m_parec;
    QByteArray m_samples; // 16-bit signed little-endian mono
    // Each arrival of samples: when it came, less the time of all samples so far at the
    // recorded rate; the bound it gives on the first sample's time.
    struct Arrival
    {
        qsizetype samplesSoFar;
        qint64 firstSampleNs;
    };
    QList<Arrival> m_arrivals;
};

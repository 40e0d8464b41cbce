#pragma once

#include <QList>

// Finds where sounds start in a mono 16-bit recording that arrives in chunks, and places
// those onsets on the monotonic clock. The recorder's own clock is unknown, but a sample
// cannot reach this process before the sound server has rendered it: every chunk bounds
// the time of the recording's first sample from above, and the tightest bound is kept.
// An onset's time is thus when the server rendered it, give or take the smallest delivery
// delay of any chunk; a server that renders ahead of playing (a null sink does) places it
// that much early.
class OnsetClock
{
public:
    explicit OnsetClock(int sampleRate);

    // A chunk of samples, received at `receivedNs` (steadyClockNs()).
    void addChunk(const QByteArray &samples, qint64 receivedNs);

    // The times at which the signal first rose above `fraction` of its loudest sample
    // after at least `quietMs` below it.
    QList<qint64> onsetsNs(double fraction, int quietMs) const;

private:
    int m_sampleRate;
    QList<qint16> m_samples;
    qint64 m_firstSampleNs = 0;
    bool m_haveClock = false;
};

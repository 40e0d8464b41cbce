#pragma once

#include <QList>
#include <QString>

// Mixes the cues that are sounding into one mono 16-bit stream. Each cue is one voice:
// starting a cue that still sounds starts it again from its beginning, while different
// cues sound together. Each voice has its own gain; the sum is clipped, never wrapped.
class CueMixer
{
public:
    void start(const QString &cue, const QList<qint16> &samples, float gain);

    // Fills `out` with the next `count` samples, silence where no voice sounds, and
    // drops the voices that have ended.
    void mix(qint16 *out, qsizetype count);

    bool isSilent() const { return m_voices.isEmpty(); }

private:
    struct Voice
    {
        QString cue;
        QList<qint16> samples;
        float gain;
        qsizetype position;
    };
    QList<Voice> m_voices;
};

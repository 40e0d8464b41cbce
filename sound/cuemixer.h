#pragma once

#include <QList>
#include <QString>

#include <vector>

// Mixes the cues that are sounding into one mono 16-bit stream. Each cue is one voice:
// starting a cue that still sounds starts it again from its beginning, while different
// cues sound together. Each voice has its own gain; the sum is clipped, never wrapped.
//
// Mixing runs in the sound server's callback, so nothing there allocates or copies: a voice
// shares the caller's samples and only reads them, and the room for the voices is taken
// once, for as many as the game has cues.
class CueMixer
{
public:
    CueMixer();

    void start(const QString &cue, const QList<qint16> &samples, float gain);
    // Ends every voice; the room for them stays.
    void stopAll() { m_voices.clear(); }

    // Fills `out` with the next `count` samples, silence where no voice sounds, and
    // drops the voices that have ended.
    void mix(qint16 *out, qsizetype count);

    bool isSilent() const { return m_voices.empty(); }

private:
    struct Voice
    {
        QString cue;
        QList<qint16> samples;
        float gain;
        qsizetype position;
    };
    std::vector<Voice> m_voices;
};

#pragma once

#include <QList>
#include <QObject>
#include <QString>

// Where the wave player sends its cues: the sound output, built as a module of its own
// (zubbo_soundoutput, beside the program) because the sound libraries it needs take
// milliseconds to load. The player loads it once the window shows, so starting the game
// does not wait for them; the output then lives on the player's own thread.
class CueOutput : public QObject
{
public:
    static constexpr int SampleRate = 44100;

    // Opens the sound device ahead of the first cue.
    virtual void open() = 0;
    // Starts `samples` (mono, 16-bit, SampleRate) as the cue named `cue`, at `gain`.
    virtual void play(const QString &cue, const QList<qint16> &samples, float gain) = 0;
};

// The module's one exported function, which makes its output.
using MakeCueOutput = CueOutput *(*)();
inline constexpr char MakeCueOutputName[] = "zubboMakeCueOutput";
inline constexpr char CueOutputModule[] = "zubbo_soundoutput";

#pragma once

#include <QList>
#include <QString>
#include <QtPlugin>

#include <memory>

// Where the wave player reads its cue files and sends its cues: the sound output, built as a
// plugin of its own (zubbo_soundoutput, beside the program or in the install's module
// folder) because the sound libraries it needs (the sound server's client, the wave file
// reader and the resampler) take milliseconds to load. The player loads it once the window
// shows, so starting the game does not wait for them.
class CueOutput
{
public:
    static constexpr int SampleRate = 44100;

    virtual ~CueOutput() = default;
    // Reads a wave file as samples for play(); none if it does not play (see readWave).
    virtual QList<qint16> read(const QString &path) = 0;
    // Opens the sound device ahead of the first cue.
    virtual void open() = 0;
    // Starts `samples` (mono, 16-bit, SampleRate) as the cue named `cue`, at `gain`.
    virtual void play(const QString &cue, const QList<qint16> &samples, float gain) = 0;
    // Ends every cue that sounds, at once.
    virtual void silence() = 0;
};

// The plugin's one object, which Qt makes once per process and shares among all who load the
// module: it keeps nothing, it makes each wave player a sound output of its own. An output
// lives on the thread that made it and belongs to whoever asked for it.
class CueOutputFactory
{
public:
    virtual ~CueOutputFactory() = default;
    virtual std::unique_ptr<CueOutput> makeOutput() = 0;
};

#define ZUBBO_CUE_OUTPUT_IID "com.example.Zubbo.CueOutputFactory/4"
Q_DECLARE_INTERFACE(CueOutputFactory, ZUBBO_CUE_OUTPUT_IID)

inline constexpr char CueOutputModule[] = "zubbo_soundoutput";

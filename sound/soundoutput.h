#pragma once

#include "cuemixer.h"
#include "cueoutput.h"

#include <QObject>
#include <QPointer>

class QAudioSink;
class QIODevice;
class QTimer;

// The one output stream of the wave player, living on the player's own thread so that a
// busy window never starves it. The stream stays open while cues come: a cue only has to
// be mixed into it, instead of opening a stream of its own. Its buffer is short, so a cue
// sounds within a few milliseconds of being started; while any cue sounds, the mixer
// tops it up every few milliseconds. Once nothing has played for a while the stream is
// closed, since an open stream keeps timers ticking even when silent; the next cue opens
// it again.
//
// Without a sound device, or while the stream cannot be opened, nothing plays; each cue
// tries again, which costs little, so sound comes back with a restarted sound server.
class SoundOutput : public QObject, public CueOutput
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ZUBBO_CUE_OUTPUT_IID)
    Q_INTERFACES(CueOutput)
public:
    SoundOutput();

    void open() override;
    void play(const QString &cue, const QList<qint16> &samples, float gain) override;

private:
    void feed();
    void close();

    QAudioSink *m_sink = nullptr;
    // The sink's device, which the sink deletes should the sound server go away.
    QPointer<QIODevice> m_stream;
    CueMixer m_mixer;
    QList<qint16> m_block;
    // Children, so that they move to the player's thread with this object.
    QTimer *m_feed;
    QTimer *m_linger;
};

#pragma once

#include "cueoutput.h"
#include "cuestream.h"

#include <QObject>

class QTimer;

// A wave player's sound output, living on the player's own thread. It plays every cue
// through one stream on the sound server (CueStream), which stays open while cues come, so a
// cue only has to be mixed into it. Once nothing has played for a while the stream is
// closed, so that an idle game keeps no stream running on the server; the next cue opens it
// again.
//
// Without a sound server nothing plays. None of this waits for the server: sound comes back
// with the first cue after a server starts, or starts again, however often that happens.
class SoundOutput : public QObject, public CueOutput
{
public:
    SoundOutput();

    QList<qint16> read(const QString &path) override;
    void open() override;
    void play(const QString &cue, const QList<qint16> &samples, float gain) override;
    void silence() override { m_stream.silence(); }

private:
    void closeWhenSilent();

    CueStream m_stream;
    // A child, so that it lives and dies on the player's thread with this object.
    QTimer *m_linger;
};

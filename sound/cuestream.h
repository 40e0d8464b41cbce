#pragma once

#include "cuemixer.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <vector>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

// The wave player's one playback stream on the sound server (PulseAudio, or PipeWire's
// PulseAudio service). libpulse runs the connection on a thread of its own, which asks the
// mixer for samples as the server plays them; the stream's buffer is short, so a cue sounds
// within milliseconds of being started.
//
// The server may be missing, or go away and come back, at any time and any number of times.
// Nothing here waits for it: a cue that finds no connection begins one and sounds as soon as
// it is made, a connection that failed is dropped together with the cues it still held, and
// one that takes too long is given up, so a later cue begins a new one, a quarter second
// after the last at the soonest. Sound therefore returns with the first cues after the
// server does, and without a server cues are lost.
class CueStream
{
public:
    static constexpr int SampleRate = 44100;

    CueStream();
    ~CueStream();
    CueStream(const CueStream &) = delete;
    CueStream &operator=(const CueStream &) = delete;

    // Connects and opens the stream ahead of the first cue.
    void open();
    // Starts `samples` (mono, 16-bit, SampleRate) as the cue named `cue`, at `gain`.
    void play(const QString &cue, const QList<qint16> &samples, float gain);
    // Ends every cue that sounds, at once.
    void silence();
    // Closes the stream unless a cue still sounds; the connection stays. True if closed.
    bool closeIfSilent();

private:
    // These run with the connection's thread locked out (or on that thread).
    bool prepare();
    void connectToServer();
    void openStream();
    void dropStream();
    void dropConnection();
    void fill(size_t bytes);

    static void contextChanged(pa_context *context, void *self);
    static void streamWritable(pa_stream *stream, size_t bytes, void *self);

    pa_threaded_mainloop *m_loop;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    QElapsedTimer m_settingUp;   // since the connection or the stream was begun
    QElapsedTimer m_lastAttempt; // since the last connection was begun
    bool m_wanted = false;       // a cue or open() asked for the stream, and it is not closed
    CueMixer m_mixer;
    std::vector<qint16> m_block; // sized once, see fill()
};

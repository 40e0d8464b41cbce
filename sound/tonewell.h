#pragma once

#include <QObject>
#include <QString>

#include <thread>

class CuePlayer;

// The wave player of the main window. A caller names a wave file, may flag the cue, and
// plays it; Play() hands the cue to the player's own thread and returns at once, it never
// waits for a file, for the sound libraries or for the sound device.
//
// Each file is read once and kept. Cues of different files sound together, and a new cue
// of the same file starts it again (a pop restarts the pop sound). CueFlag marks a
// foreground cue (a hit, the end of a round): it plays at full volume, while the unflagged
// beat of the pops plays softer underneath, so a hit always stands out over the beat.
//
// A missing or unplayable file, or a machine without a sound device, plays nothing and
// reports nothing: the game goes on unchanged. The sound output module is loaded from
// moduleFolder; without it the player says once on stderr that the game will be silent.
//
// Destroying the player lets its thread carry out what it was asked before, then waits for
// that thread to end: nothing of it outlives the player.
class Tonewell : public QObject
{
    Q_OBJECT
public:
    explicit Tonewell(QString moduleFolder, QObject *parent = nullptr);
    ~Tonewell() override;

    void setWaveFile(const QString &path) { m_waveFile = path; }
    void setCueFlag(bool flag) { m_cueFlag = flag; }
    bool cueFlag() const { return m_cueFlag; }
    void Play();

    // Silences the cues at the output, or lets them sound again; the cues are still played
    // (played() is still emitted), only not heard. The server's own mute of the stream is
    // left to the desktop's mixer: the server would remember it beyond this run.
    void setMuted(bool muted);
    bool muted() const { return m_muted; }

    // Reads the files, loads the sound output and opens the sound device ahead of the
    // first cue, so that the first pop sounds on the beat; on the player's thread.
    void preload(const QStringList &paths);

    // Returns once the player's thread has carried out every call made before: for a caller
    // that queues cues faster than they sound and must not count the queue (a long-play test).
    void flush();

signals:
    // Every Play() call, with the file and the flag it was played with.
    void played(const QString &waveFile, bool cueFlag);

private:
    CuePlayer *player();

    QString m_moduleFolder;
    QString m_waveFile;
    bool m_cueFlag = false;
    bool m_muted = false;
    std::thread m_thread;
    CuePlayer *m_player = nullptr; // lives on m_thread, which deletes it
};

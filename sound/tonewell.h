#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class QSoundEffect;

// The wave player of the main window. A caller names a wave file, may flag the cue, and
// plays it; Play() starts the sound and returns at once, it never waits for the end.
//
// Each file gets one voice, loaded once and kept, so cues of different files overlap and a
// new cue of the same file restarts it (a pop restarts the pop sound). CueFlag marks a
// foreground cue (a hit, the end of a round): it plays at full volume, while the unflagged
// beat of the pops plays softer underneath, so a hit always stands out over the beat.
//
// A missing or unplayable file, or a machine without a sound device, plays nothing and
// reports nothing: the game goes on unchanged.
class Tonewell : public QObject
{
    Q_OBJECT
public:
    explicit Tonewell(QObject *parent = nullptr);

    void setWaveFile(const QString &path) { m_waveFile = path; }
    void setCueFlag(bool flag) { m_cueFlag = flag; }
    bool cueFlag() const { return m_cueFlag; }
    void Play();

    // Opens the files ahead of their first cue, so that the first pop sounds on the beat.
    void preload(const QStringList &paths);

signals:
    // Every Play() call, with the file and the flag it was played with.
    void played(const QString &waveFile, bool cueFlag);

private:
    QSoundEffect *voice(const QString &path);

    QString m_waveFile;
    bool m_cueFlag = false;
    QHash<QString, QSoundEffect *> m_voices;
};

#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class CueOutput;

// The wave player's side on its own thread: it loads the sound output module from its folder
// when sound is first needed, reads each cue file through it once and keeps it, and hands it
// the cues. All of this takes milliseconds now and then, none of which the window waits for.
// The sound output it gets from the module is its own, made on its thread and deleted with it.
class CuePlayer : public QObject
{
public:
    explicit CuePlayer(QString moduleFolder);
    ~CuePlayer() override;

    void preload(const QStringList &paths);
    void play(const QString &path, float gain);
    // While muted no cue starts, and muting ends the cues that sound.
    void setMuted(bool muted);

private:
    const QList<qint16> &samples(const QString &path);
    CueOutput *output();

    QString m_moduleFolder;
    QHash<QString, QList<qint16>> m_samples;
    bool m_muted = false;
    bool m_outputLoaded = false;
    std::unique_ptr<CueOutput> m_output;
};

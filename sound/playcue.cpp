#include "playcue.h"

#include "tonewell.h"

QString cueFile(const QString &folder, Cue cue)
{
    return folder + QLatin1Char('/') + QLatin1StringView(cueInfo(cue).fileName);
}

QStringList cueFiles(const QString &folder)
{
    QStringList files;
    for (const CueInfo &info : Cues)
        files.append(cueFile(folder, info.cue));
    return files;
}

void playCue(Tonewell &sound, const QString &folder, Cue cue)
{
    const CueFlagging flagging = cueInfo(cue).flagging;
    if (flagging == CueFlagging::FlagBeforeFile)
        sound.setCueFlag(true);
    sound.setWaveFile(cueFile(folder, cue));
    if (flagging == CueFlagging::FlagAfterFile)
        sound.setCueFlag(true);
    sound.Play();
    if (flagging != CueFlagging::Unflagged)
        sound.setCueFlag(false);
}

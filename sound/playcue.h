#pragma once

#include "cues.h"

#include <QStringList>

class Tonewell;

// The path of the cue's wave file in `folder`, and those of every cue.
QString cueFile(const QString &folder, Cue cue);
QStringList cueFiles(const QString &folder);

// Plays the cue's wave file from `folder` through the wave player, setting WaveFile and
// CueFlag around Play in the order the cue's table entry gives.
void playCue(Tonewell &sound, const QString &folder, Cue cue);

#pragma once

#include <QList>
#include <QString>

// Reads a cue's wave file into mono 16-bit samples at `sampleRate`, the mixer's format. The
// files lie beside the program and players replace them with sounds of their own, so every
// common wave file plays: integer PCM of 8, 16, 24 or 32 bits, 32- or 64-bit float, plain or
// WAVE_FORMAT_EXTENSIBLE, any number of channels (averaged), at 8 to 192 kHz (resampled).
//
// Anything else gives no samples, and costs little: a path that is no regular file (a
// folder, a pipe, a device) is not read, nor is a file over 16 MiB; a file whose chunks
// claim more than it holds, in a compressed format, at a rate outside 8 to 192 kHz, or
// longer than ten seconds is refused before its samples are read.
QList<qint16> readWave(const QString &path, int sampleRate);

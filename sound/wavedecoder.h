#pragma once

#include <QByteArray>
#include <QList>

// The bytes of a wave file as mono 16-bit samples at `sampleRate`, or none when they are not
// a wave file that plays (see readWave).
QList<qint16> decodeWave(const QByteArray &bytes, int sampleRate);

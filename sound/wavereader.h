#pragma once

#include <QList>
#include <QString>

// Reads a plain PCM wave file (format tag 1, 8 or 16 bits, any number of channels, any
// rate) into mono 16-bit samples at `sampleRate`: channels are averaged, other rates are
// resampled linearly. Any file it cannot read gives no samples.
QList<qint16> readWave(const QString &path, int sampleRate);

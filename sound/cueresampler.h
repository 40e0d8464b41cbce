#pragma once

#include <QList>

#include <vector>

// Mono samples in [-1, 1] at `fromRate` as 16-bit samples at `toRate`. Rates differ by a
// band-limited (sinc) resampler, libsamplerate's medium quality: its error stays below
// 16-bit resolution over the audible band, where the linear interpolation it replaces
// misses by up to -7 dB on high notes and folds what lies above the new rate's Nyquist
// frequency back into the audible band.
QList<qint16> cueSamples(const std::vector<float> &mono, int fromRate, int toRate);

#pragma once

#include <QByteArray>

// Whether the bytes are a RIFF WAVE file whose chunks, up to and including the data chunk,
// lie within it, with a format chunk before the data that names plain samples (integer PCM,
// IEEE float, or WAVE_FORMAT_EXTENSIBLE, whose own tag libsndfile reads). The RIFF size
// itself is not trusted: writers that stream leave it wrong.
//
// Checked before libsndfile sees the file: it plays what there is of a data chunk that claims
// more, where a cue is to play whole or not at all, and it would decode compressed formats
// that the game refuses anyway.
bool isPlainWave(const QByteArray &bytes);

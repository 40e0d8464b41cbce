#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The format and data chunks of a wave file, each with its chunk header, as they lie in it.
struct WaveChunks
{
    QByteArrayView format;
    QByteArrayView data;
};

// The chunks of a RIFF WAVE file that holds plain samples: every chunk lies within the file,
// and a format chunk before the data names integer PCM, IEEE float, or
// WAVE_FORMAT_EXTENSIBLE (whose own tag libsndfile reads). Nothing for anything else. The
// RIFF size itself is not trusted: writers that stream leave it wrong.
//
// Checked before libsndfile sees the file: it plays what there is of a data chunk that
// claims more, where a cue is to play whole or not at all; it loops for ever on some files
// with a chunk after the data that claims more (libsndfile 1.2.0, found by fuzzing); and it
// would decode compressed formats that the game refuses anyway.
std::optional<WaveChunks> plainWaveChunks(const QByteArray &bytes);

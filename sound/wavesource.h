#pragma once

#include "wavechunks.h"

#include <QByteArray>
#include <QByteArrayView>

#include <sndfile.h>

// What libsndfile reads of a cue file, from memory: a wave file of its format and data chunks
// alone, made of a new head (the RIFF header and the format chunk) and the data chunk where
// it lies, not copied. The other chunks carry nothing the game plays, and libsndfile need not
// parse them.
class WaveSource
{
public:
    explicit WaveSource(const WaveChunks &chunks);
    WaveSource(const WaveSource &) = delete;
    WaveSource &operator=(const WaveSource &) = delete;

    // Opens the source with libsndfile, which reads it through this object; null if it
    // cannot. The source must outlive what this returns.
    SNDFILE *open(SF_INFO *info);

private:
    sf_count_t size() const { return m_head.size() + m_data.size(); }
    sf_count_t seek(sf_count_t offset, int whence);
    sf_count_t read(char *into, sf_count_t count);

    QByteArray m_head;
    QByteArrayView m_data;
    sf_count_t m_at = 0;
};

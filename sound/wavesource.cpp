#include "wavesource.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {
constexpr qsizetype RiffSizeAt = 4;
constexpr qsizetype FormTypeSize = 4;

// Copies what lies of [at, at + count) of the source in `part`, which begins at `partAt`.
sf_count_t copyFrom(QByteArrayView part, sf_count_t partAt, char *into, sf_count_t at,
                    sf_count_t count)
{
    const sf_count_t from = std::clamp<sf_count_t>(at - partAt, 0, part.size());
    const sf_count_t to = std::clamp<sf_count_t>(at + count - partAt, 0, part.size());
    if (to <= from)
        return 0;
    std::memcpy(into + (partAt + from - at), part.data() + from, size_t(to - from));
    return to - from;
}
} // namespace

WaveSource::WaveSource(const WaveChunks &chunks) : m_data(chunks.data)
{
    const QByteArray pad(chunks.format.size() % 2, '\0');
    const auto riffSize = quint32(FormTypeSize + chunks.format.size() + pad.size() + m_data.size());
    m_head = "RIFF" + QByteArray(RiffSizeAt, '\0') + "WAVE" + chunks.format.toByteArray() + pad;
    qToLittleEndian(riffSize, m_head.data() + RiffSizeAt);
}

SNDFILE *WaveSource::open(SF_INFO *info)
{
    static SF_VIRTUAL_IO io{
        [](void *self) { return static_cast<WaveSource *>(self)->size(); },
        [](sf_count_t offset, int whence, void *self) {
            return static_cast<WaveSource *>(self)->seek(offset, whence);
        },
        [](void *into, sf_count_t count, void *self) {
            return static_cast<WaveSource *>(self)->read(static_cast<char *>(into), count);
        },
        [](const void *, sf_count_t, void *) { return sf_count_t(0); }, // read only
        [](void *self) { return static_cast<WaveSource *>(self)->m_at; },
    };
    return sf_open_virtual(&io, SFM_READ, info, this);
}

// As in a file: past the end is a place, where reads find nothing; before the start and
// beyond the largest offset is none.
sf_count_t WaveSource::seek(sf_count_t offset, int whence)
{
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m_at : size();
    sf_count_t place = 0;
    if (__builtin_add_overflow(base, offset, &place) || place < 0)
        return -1;
    m_at = place;
    return m_at;
}

sf_count_t WaveSource::read(char *into, sf_count_t count)
{
    count = std::clamp<sf_count_t>(count, 0, std::max<sf_count_t>(0, size() - m_at));
    const sf_count_t taken = copyFrom(m_head, 0, into, m_at, count)
        + copyFrom(m_data, m_head.size(), into, m_at, count);
    m_at += taken;
    return taken;
}

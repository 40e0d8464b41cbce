#include "wavechunks.h"

#include <QtEndian>

namespace {
constexpr qsizetype IdSize = 4;
constexpr qsizetype FormTypeAt = 8; // "WAVE", after "RIFF" and the RIFF size
constexpr qsizetype RiffHeaderSize = 12;
constexpr qsizetype ChunkHeaderSize = 8;
constexpr qsizetype FormatTagSize = 2;
constexpr quint16 PcmTag = 0x0001;
constexpr quint16 FloatTag = 0x0003;
constexpr quint16 ExtensibleTag = 0xfffe;

bool namesPlainSamples(QByteArrayView format)
{
    if (format.size() < ChunkHeaderSize + FormatTagSize)
        return false;
    const quint16 tag = qFromLittleEndian<quint16>(format.data() + ChunkHeaderSize);
    return tag == PcmTag || tag == FloatTag || tag == ExtensibleTag;
}
} // namespace

std::optional<WaveChunks> plainWaveChunks(const QByteArray &bytes)
{
    if (bytes.size() < RiffHeaderSize || !bytes.startsWith("RIFF")
        || bytes.mid(FormTypeAt, IdSize) != "WAVE")
        return std::nullopt;
    WaveChunks chunks;
    for (qsizetype at = RiffHeaderSize; at + ChunkHeaderSize <= bytes.size();) {
        const QByteArrayView id(bytes.constData() + at, IdSize);
        const qint64 size = qFromLittleEndian<quint32>(bytes.constData() + at + IdSize);
        if (size > bytes.size() - at - ChunkHeaderSize)
            return std::nullopt;
        const QByteArrayView chunk(bytes.constData() + at, ChunkHeaderSize + size);
        if (id == "fmt " && chunks.format.isNull())
            chunks.format = chunk;
        else if (id == "data" && chunks.data.isNull())
            chunks.data = chunk;
        at += ChunkHeaderSize + size + (size & 1); // chunks are padded to even sizes
    }
    const bool formatFirst = !chunks.format.isNull() && !chunks.data.isNull()
        && chunks.format.data() < chunks.data.data();
    if (!formatFirst || !namesPlainSamples(chunks.format))
        return std::nullopt;
    return chunks;
}

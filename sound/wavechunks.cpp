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
} // namespace

bool isPlainWave(const QByteArray &bytes)
{
    if (bytes.size() < RiffHeaderSize || !bytes.startsWith("RIFF")
        || bytes.mid(FormTypeAt, IdSize) != "WAVE")
        return false;
    bool plainFormat = false;
    for (qsizetype at = RiffHeaderSize; at + ChunkHeaderSize <= bytes.size();) {
        const QByteArray id = bytes.mid(at, IdSize);
        const qint64 size = qFromLittleEndian<quint32>(bytes.constData() + at + IdSize);
        const qsizetype body = at + ChunkHeaderSize;
        if (size > bytes.size() - body)
            return false;
        if (id == "fmt ") {
            if (size < FormatTagSize)
                return false;
            const quint16 tag = qFromLittleEndian<quint16>(bytes.constData() + body);
            plainFormat = tag == PcmTag || tag == FloatTag || tag == ExtensibleTag;
        } else if (id == "data") {
            return plainFormat;
        }
        at = body + qsizetype(size) + (size & 1); // chunks are padded to even sizes
    }
    return false;
}

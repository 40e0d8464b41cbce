#include "wavereader.h"

#include <QFile>
#include <QtEndian>

namespace {
constexpr quint16 PcmFormat = 1;
constexpr qsizetype FmtSize = 16;
// Cue files are short sounds; anything larger is not one.
constexpr qint64 LargestFile = 16 * 1024 * 1024;

struct Format
{
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
};

quint16 le16(const char *p)
{
    return qFromLittleEndian<quint16>(p);
}

quint32 le32(const char *p)
{
    return qFromLittleEndian<quint32>(p);
}

// One channel sample as a signed 16-bit value: 8-bit wave samples are unsigned.
int sampleAt(const char *p, quint16 bits)
{
    if (bits == 8)
        return (int(quint8(*p)) - 128) * 256;
    return qint16(le16(p));
}

QList<qint16> mixDown(const QByteArray &data, const Format &format)
{
    const int bytes = format.bits / 8;
    const int frameBytes = bytes * format.channels;
    QList<qint16> mono(data.size() / frameBytes);
    for (qsizetype frame = 0; frame < mono.size(); ++frame) {
        const char *p = data.constData() + frame * frameBytes;
        int sum = 0;
        for (int channel = 0; channel < format.channels; ++channel)
            sum += sampleAt(p + channel * bytes, format.bits);
        mono[frame] = qint16(sum / format.channels);
    }
    return mono;
}

QList<qint16> resample(const QList<qint16> &in, quint32 from, int to)
{
    if (from == quint32(to) || in.isEmpty())
        return in;
    const double step = double(from) / to;
    QList<qint16> out(qsizetype((in.size() - 1) / step) + 1);
    for (qsizetype i = 0; i < out.size(); ++i) {
        const double at = i * step;
        const auto left = qsizetype(at);
        const qsizetype right = qMin(left + 1, in.size() - 1);
        const double weight = at - left;
        out[i] = qint16(in[left] * (1 - weight) + in[right] * weight);
    }
    return out;
}
} // namespace

QList<qint16> readWave(const QString &path, int sampleRate)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > LargestFile)
        return {};
    const QByteArray wave = file.readAll();
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE")
        return {};

    Format format;
    for (qsizetype at = 12; at + 8 <= wave.size();) {
        const QByteArray id = wave.mid(at, 4);
        const qsizetype size = le32(wave.constData() + at + 4);
        const qsizetype body = at + 8;
        if (size > wave.size() - body)
            return {};
        if (id == "fmt " && size >= FmtSize) {
            const char *p = wave.constData() + body;
            if (le16(p) != PcmFormat)
                return {};
            format = {le16(p + 2), le32(p + 4), le16(p + 14)};
        } else if (id == "data") {
            if (format.channels == 0 || format.rate == 0 || (format.bits != 8 && format.bits != 16))
                return {};
            return resample(mixDown(wave.mid(body, size), format), format.rate, sampleRate);
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return {};
}

#include "textcodec.h"

#include <algorithm>
#include <array>

namespace {

constexpr uchar FirstSpecialByte = 0x80;
constexpr uchar FirstLatin1Byte = 0xA0;

// Windows-1252 for the bytes 0x80 to 0x9F. The five bytes it leaves undefined map to the
// control character of the same value, so they come back unchanged when a table is rewritten.
constexpr std::array<char16_t, FirstLatin1Byte - FirstSpecialByte> SpecialBytes = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::optional<char> windows1252Byte(char16_t unit)
{
    if (unit < FirstSpecialByte || (unit >= FirstLatin1Byte && unit <= 0xFF))
        return char(unit);
    const auto found = std::find(SpecialBytes.begin(), SpecialBytes.end(), unit);
    if (found == SpecialBytes.end())
        return std::nullopt;
    return char(FirstSpecialByte + (found - SpecialBytes.begin()));
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

} // namespace

namespace TextCodec {

QString decodeLine(QByteArrayView bytes)
{
    return bytes.isValidUtf8() ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    std::transform(bytes.begin(), bytes.end(), text.begin(), [](char c) {
        const uchar byte = uchar(c);
        const bool special = byte >= FirstSpecialByte && byte < FirstLatin1Byte;
        return QChar(special ? SpecialBytes[byte - FirstSpecialByte] : char16_t(byte));
    });
    return text;
}

std::optional<QByteArray> encodeWindows1252Line(QStringView line)
{
    QByteArray bytes;
    bytes.reserve(line.size());
    for (const QChar ch : line) {
        const auto byte = windows1252Byte(ch.unicode());
        if (!byte)
            return std::nullopt;
        bytes.append(*byte);
    }
    if (!isAscii(bytes) && QByteArrayView(bytes).isValidUtf8())
        return std::nullopt;
    return bytes;
}

} // namespace TextCodec

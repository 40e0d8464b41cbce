#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The character sets of the table files. Older files hold Windows-1252, newer ones may hold
// UTF-8; each line is decided on its own, so a file that mixes both still reads correctly.
// Qt has no Windows-1252 codec, so the part that differs from Latin-1 lives here.
namespace TextCodec {

// UTF-8 when the bytes are valid UTF-8, else Windows-1252. Never fails.
QString decodeLine(QByteArrayView bytes);

QString fromWindows1252(QByteArrayView bytes);

// The Windows-1252 bytes of a line that decodeLine turns back into the same text, or nothing
// when Windows-1252 cannot carry a character or its bytes would pass for UTF-8.
std::optional<QByteArray> encodeWindows1252Line(QStringView line);

} // namespace TextCodec

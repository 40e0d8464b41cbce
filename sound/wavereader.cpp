#include "wavereader.h"

#include "wavedecoder.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Ten seconds of 192 kHz stereo 32-bit samples fit, with room for other chunks.
constexpr qint64 LargestFile = 16 * 1024 * 1024;

// The whole file, or nothing when it is no regular file of a cue's size. The path is opened
// without blocking and checked through what was opened: a pipe in its place would block an
// ordinary open until a writer comes, and a device would never end.
QByteArray cueFileBytes(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > LargestFile)
        return {};
    return file.read(info.st_size);
}
} // namespace

QList<qint16> readWave(const QString &path, int sampleRate)
{
    const QByteArray bytes = cueFileBytes(path);
    if (bytes.isEmpty())
        return {};
    return decodeWave(bytes, sampleRate);
}

// Fuzz target of the wave reader. Any bytes in a cue file's place must read without a crash,
// a hang or a large allocation (scripts/fuzz.sh limits each), and never give more than the
// longest cue, ten seconds at the mix rate: a file that claims more is refused, whatever its
// header says.
#include "fuzzkit.h"
#include "wavereader.h"

#include <QFile>

#include <cstdint>

namespace {
constexpr int MixRate = 44100;
constexpr qsizetype LongestCue = 10 * MixRate;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const QString path = fuzzFilePath(QStringLiteral("Up.wav"));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        failWith("the input cannot be written as a cue file");
    file.close();
    // One sample more than the bound: the resampler may round the length up.
    if (readWave(path, MixRate).size() > LongestCue + 1)
        failWith("more samples than the longest cue");
    return 0;
}

// The wave player's parts that need no sound device: reading cue files into the mixer's
// format, mixing the cues that sound at the same time, telling the player once when the
// sound output module is missing, and two players in one process each with an output of its
// own. Every wave file here is written byte by byte by the test itself.
#include "cuemixer.h"
#include "cueplayer.h"
#include "testfiles.h"
#include "tonewell.h"
#include "wavereader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int MixRate = 44100;
// The reader's bounds, as designed.
constexpr int LongestCueSeconds = 10;
constexpr qint64 SparseFileSize = qint64(2) * 1024 * 1024 * 1024;
// A resampled tone is to match the ideal one to within this (dB below the tone), short of
// 16-bit resolution; tones above the mix rate's Nyquist frequency are to fall below it.
constexpr double ResampledErrorDb = -80;
constexpr double ToneAmplitude = 0.5;
constexpr double ToneSeconds = 0.5;
constexpr double EdgeSeconds = 0.02; // left out of the comparison at both ends
constexpr int HangGuardMs = 10000;

using Samples = QList<qint16>;

QByteArray le(quint64 value, int bytes)
{
    QByteArray out(bytes, '\0');
    for (int i = 0; i < bytes; ++i)
        out[i] = char((value >> (8 * i)) & 0xff);
    return out;
}

QByteArray chunk(const QByteArray &id, const QByteArray &body)
{
    QByteArray out = id + le(quint32(body.size()), 4) + body;
    if (body.size() % 2)
        out += '\0';
    return out;
}

QByteArray riffWave(const QByteArray &chunks)
{
    return "RIFF" + le(quint32(chunks.size() + 4), 4) + "WAVE" + chunks;
}

QByteArray fmtBody(quint16 tag, quint16 channels, quint32 rate, quint16 bits)
{
    const quint16 align = quint16(channels * ((bits + 7) / 8));
    return le(tag, 2) + le(channels, 2) + le(rate, 4) + le(quint64(rate) * align, 4) + le(align, 2)
        + le(bits, 2);
}

// A RIFF/WAVE file with the given fmt fields, data bytes and an optional chunk between
// the two.
QByteArray wave(quint16 tag, quint16 channels, quint32 rate, quint16 bits, const QByteArray &data,
                const QByteArray &between = {})
{
    return riffWave(chunk("fmt ", fmtBody(tag, channels, rate, bits)) + between
                    + chunk("data", data));
}

// A WAVE_FORMAT_EXTENSIBLE file: the fmt chunk carries the valid bits, the speaker mask and
// the sample format as a GUID whose first two bytes are the plain format tag.
QByteArray extensibleWave(quint16 subformat, quint16 channels, quint32 rate, quint16 bits,
                          quint16 validBits, const QByteArray &data)
{
    static const QByteArray GuidTail("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71",
                                     14);
    constexpr quint16 ExtensionSize = 22;
    const quint32 speakers = (1u << channels) - 1;
    const QByteArray extension = le(ExtensionSize, 2) + le(validBits, 2) + le(speakers, 4)
        + le(subformat, 2) + GuidTail;
    return riffWave(chunk("fmt ", fmtBody(0xfffe, channels, rate, bits) + extension)
                    + chunk("data", data));
}

// Signed integer samples of `bytes` bytes each.
QByteArray pcm(const QList<qint64> &samples, int bytes)
{
    QByteArray out;
    for (qint64 sample : samples)
        out += le(quint64(sample), bytes);
    return out;
}

QByteArray pcm16(const Samples &samples)
{
    QList<qint64> wide(samples.begin(), samples.end());
    return pcm(wide, 2);
}

template<typename Real>
QByteArray floats(const QList<Real> &samples)
{
    QByteArray out(samples.size() * qsizetype(sizeof(Real)), '\0');
    std::memcpy(out.data(), samples.constData(), size_t(out.size()));
    return out;
}

// A sine tone of ToneAmplitude as 32-bit float samples at `rate`.
QByteArray toneFile(int rate, double frequency)
{
    QList<float> samples(qsizetype(rate * ToneSeconds));
    for (qsizetype i = 0; i < samples.size(); ++i)
        samples[i] = float(ToneAmplitude
                           * std::sin(2 * std::numbers::pi * frequency * double(i) / rate));
    return wave(3, 1, quint32(rate), 32, floats(samples));
}

// How far `samples` lie from the tone (none for a tone to vanish), in dB below the tone,
// leaving out the edges where the resampler starts and stops.
double errorDb(const Samples &samples, double frequency, bool audible)
{
    const auto edge = qsizetype(EdgeSeconds * MixRate);
    double error = 0;
    qsizetype count = 0;
    for (qsizetype i = edge; i + edge < samples.size(); ++i) {
        const double expected = audible
            ? ToneAmplitude * std::sin(2 * std::numbers::pi * frequency * double(i) / MixRate)
            : 0.0;
        const double off = samples[i] / 32768.0 - expected;
        error += off * off;
        ++count;
    }
    const double toneSquare = ToneAmplitude * ToneAmplitude / 2;
    return 10 * std::log10(error / double(count) / toneSquare);
}

enum class Place { Missing, Folder, Pipe, Device, SparseFile };

// Reads the path on a thread of its own, so that a read that never ends fails the test
// instead of hanging it: a read blocked on a pipe is let go by opening the pipe's other end,
// and one that never returns is left behind. Nothing if the read did not end in time.
std::optional<Samples> readWithoutHanging(const QString &path)
{
    struct Read
    {
        Samples samples;
        std::atomic<bool> done = false;
    };
    const auto read = std::make_shared<Read>();
    std::thread([read, path] {
        read->samples = ::readWave(path, MixRate);
        read->done = true;
    }).detach();
    if (QTest::qWaitFor([&read] { return read->done.load(); }, HangGuardMs))
        return read->samples;
    const int writer = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
    if (writer >= 0)
        ::close(writer);
    return std::nullopt;
}
} // namespace

Q_DECLARE_METATYPE(Place)

class TestSound : public QObject
{
    Q_OBJECT
private slots:
    void readWave_data();
    void readWave();
    void readWaveOfNoCueFile_data();
    void readWaveOfNoCueFile();
    void resampledTone_data();
    void resampledTone();
    void mix_data();
    void mix();
    void restartedCueStartsAgain();
    void playersWarnOnlyOfAMissingModule();
};

void TestSound::readWave_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Samples>("samples");

    const Samples ramp{0, 1000, -1000, 32767, -32768};
    const QList<qint64> ramp24{0, 0x123400, -0x123400, 0x7fffff, -0x800000};
    const QList<qint64> ramp32{0, 0x12340000, -0x12340000, 0x7fffffff, -0x7fffffff - 1};
    const Samples scaledRamp{0, 0x1234, -0x1234, 32767, -32768};
    const QByteArray junk(64, '\x5a');
    const qsizetype longest = qsizetype(LongestCueSeconds) * MixRate;

    // Every common wave file plays.
    QTest::newRow("16-bit mono at the mix rate") << wave(1, 1, MixRate, 16, pcm16(ramp)) << ramp;
    QTest::newRow("stereo is averaged")
        << wave(1, 2, MixRate, 16, pcm16({100, 300, -32768, -32768, 32767, -32767}))
        << Samples{200, -32768, 0};
    QTest::newRow("8-bit samples are unsigned")
        << wave(1, 1, MixRate, 8, QByteArray("\x80\xff\x00", 3)) << Samples{0, 127 * 256, -32768};
    QTest::newRow("24-bit") << wave(1, 1, MixRate, 24, pcm(ramp24, 3)) << scaledRamp;
    QTest::newRow("24-bit, not a multiple of 256")
        << wave(1, 1, MixRate, 24, QByteArray(6, '\1')) << Samples{257, 257};
    QTest::newRow("32-bit integer") << wave(1, 1, MixRate, 32, pcm(ramp32, 4)) << scaledRamp;
    QTest::newRow("32-bit float") << wave(3, 1, MixRate, 32,
                                          floats<float>({0, 0.5f, -0.25f, 1, -1}))
                                  << Samples{0, 16384, -8192, 32767, -32768};
    QTest::newRow("float beyond full scale is clipped")
        << wave(3, 1, MixRate, 32, floats<float>({2, -3.5f, 1e30f}))
        << Samples{32767, -32768, 32767};
    QTest::newRow("float that is no number is silence")
        << wave(3, 1, MixRate, 32,
                floats<float>({std::numeric_limits<float>::quiet_NaN(),
                               std::numeric_limits<float>::infinity(),
                               -std::numeric_limits<float>::infinity(), 0.5f}))
        << Samples{0, 0, 0, 16384};
    QTest::newRow("64-bit float") << wave(3, 1, MixRate, 64, floats<double>({0.5, -0.5}))
                                  << Samples{16384, -16384};
    QTest::newRow("extensible, 16-bit stereo")
        << extensibleWave(1, 2, MixRate, 16, 16, pcm16({100, 300, 5, 7})) << Samples{200, 6};
    QTest::newRow("extensible, 24 valid bits in 32")
        << extensibleWave(1, 1, MixRate, 32, 24, pcm(ramp32, 4)) << scaledRamp;
    QTest::newRow("extensible, 32-bit float")
        << extensibleWave(3, 1, MixRate, 32, 32, floats<float>({0.25f, -1}))
        << Samples{8192, -32768};
    QTest::newRow("six channels are averaged")
        << extensibleWave(1, 6, MixRate, 16, 16,
                          pcm16({600, 0, 0, 0, 0, 0, 60, 60, 60, 60, 60, 60}))
        << Samples{100, 60};
    QTest::newRow("odd-sized chunk before the data is skipped with its pad byte")
        << wave(1, 1, MixRate, 16, pcm16({7, 8}), chunk("LIST", "abc")) << Samples{7, 8};
    QTest::newRow("fact chunk of a float file")
        << wave(3, 1, MixRate, 32, floats<float>({0.5f}), chunk("fact", le(1, 4)))
        << Samples{16384};
    QTest::newRow("chunk after the data")
        << wave(1, 1, MixRate, 16, pcm16({7, 8})) + chunk("LIST", "INFOabcd") << Samples{7, 8};
    // 8-bit silence, at most ten seconds of it.
    const auto silence = [](quint32 rate, qsizetype frames) {
        return wave(1, 1, rate, 8, QByteArray(frames, '\x80'));
    };
    QTest::newRow("ten seconds") << silence(MixRate, longest) << Samples(longest, 0);

    // Anything else plays nothing.
    QTest::newRow("extensible format without its extension")
        << wave(0xfffe, 1, MixRate, 16, pcm16({1, 2})) << Samples{};
    for (const auto &[tag, name] : {std::pair{quint16(2), "MS ADPCM"},
                                    {quint16(6), "A-law"},
                                    {quint16(7), "mu-law"},
                                    {quint16(0x11), "IMA ADPCM"},
                                    {quint16(0x31), "GSM 6.10"},
                                    {quint16(0x55), "MPEG layer 3"}}) {
        QTest::addRow("compressed: %s", name) << wave(tag, 1, MixRate, 8, junk) << Samples{};
        QTest::addRow("compressed, extensible: %s", name)
            << extensibleWave(tag, 1, MixRate, 8, 8, junk) << Samples{};
    }
    QTest::newRow("a frame over ten seconds") << silence(MixRate, longest + 1) << Samples{};
    QTest::newRow("a frame over ten seconds at 8 kHz")
        << silence(8000, qsizetype(LongestCueSeconds) * 8000 + 1) << Samples{};
    QTest::newRow("rate of 1 Hz") << wave(1, 1, 1, 16, pcm16(ramp)) << Samples{};
    QTest::newRow("rate of 4 GHz") << wave(1, 1, 4000000000u, 16, pcm16(ramp)) << Samples{};
    QTest::newRow("rate of 0") << wave(1, 1, 0, 16, pcm16(ramp)) << Samples{};
    QTest::newRow("rate just below 8 kHz") << wave(1, 1, 7999, 16, pcm16(ramp)) << Samples{};
    QTest::newRow("rate just above 192 kHz") << wave(1, 1, 192001, 16, pcm16(ramp)) << Samples{};
    QTest::newRow("no channels") << wave(1, 0, MixRate, 16, pcm16(ramp)) << Samples{};
    QTest::newRow("data longer than the file")
        << wave(1, 1, MixRate, 16, pcm16({1, 2, 3})).chopped(2) << Samples{};
    QTest::newRow("data chunk claiming 2 GB") << riffWave(
        chunk("fmt ", fmtBody(1, 1, MixRate, 16)) + "data" + le(0x7fffffff, 4) + pcm16(ramp))
                                              << Samples{};
    QTest::newRow("data chunk of a streaming writer, of unknown size") << riffWave(
        chunk("fmt ", fmtBody(1, 1, MixRate, 16)) + "data" + le(0xffffffff, 4) + pcm16(ramp))
                                                                       << Samples{};
    QTest::newRow("chunk before the data claiming more than the file")
        << riffWave(chunk("fmt ", fmtBody(1, 1, MixRate, 16)) + "LIST" + le(0x10000, 4)
                    + chunk("data", pcm16(ramp)))
        << Samples{};
    QTest::newRow("chunk after the data claiming more than the file") << wave(1, 1, MixRate, 16,
                                                                              pcm16(ramp))
            + "LIST" + le(0xff000004, 4) + QByteArray(40, '\xff') << Samples{};
    // libsndfile 1.2.0 reads this file for ever: a LIST chunk before the format chunk and
    // one after the data that claims nearly 4 GB.
    QTest::newRow("file that libsndfile reads for ever")
        << QByteArray::fromBase64("UklGRmgAAABXQVZFTElTVBAAAABJTkZPSVNGVAMAAABhYgAAZm10IBAAAAABAAEA"
                                  "+CsAACJWAAACABAAZGF0YSAAAAAAAOstTUpNSustAAAV0rO1s5txAAAA6y1NSk1K"
                                  "6y0AAExJU1QEAAD///////////////////////////////////////f/////////"
                                  "////////////ACtP")
        << Samples{};
    QTest::newRow("data before the fmt chunk")
        << riffWave(chunk("data", pcm16(ramp)) + chunk("fmt ", fmtBody(1, 1, MixRate, 16)))
        << Samples{};
    QTest::newRow("fmt chunk too short")
        << riffWave(chunk("fmt ", "\1") + chunk("data", pcm16(ramp))) << Samples{};
    QTest::newRow("truncated in the header")
        << wave(1, 1, MixRate, 16, pcm16(ramp)).left(20) << Samples{};
    QTest::newRow("big-endian RIFX")
        << "RIFX" + wave(1, 1, MixRate, 16, pcm16(ramp)).mid(4) << Samples{};
    QTest::newRow("RF64") << "RF64" + wave(1, 1, MixRate, 16, pcm16(ramp)).mid(4) << Samples{};
    QTest::newRow("another sound format") << QByteArray("fLaC\0\0\0\x22", 8) + junk << Samples{};
    QTest::newRow("no fmt chunk") << QByteArray("RIFF\x0c\0\0\0WAVEdata\0\0\0\0", 20) << Samples{};
    QTest::newRow("not a wave file") << QByteArray("just some text, not a sound") << Samples{};
    QTest::newRow("empty file") << QByteArray() << Samples{};
}

void TestSound::readWave()
{
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cue.wav"));
    QVERIFY(writeFile(path, file));
    const std::optional<Samples> samples = readWithoutHanging(path);
    QVERIFY2(samples, "the read never ended");
    QTEST(*samples, "samples");
}

void TestSound::readWaveOfNoCueFile_data()
{
    QTest::addColumn<Place>("place");

    QTest::newRow("missing file") << Place::Missing;
    QTest::newRow("folder") << Place::Folder;
    QTest::newRow("pipe without a writer") << Place::Pipe;
    QTest::newRow("endless device") << Place::Device;
    QTest::newRow("2 GB file, sparse") << Place::SparseFile;
}

// What lies in a cue file's place, when it is no wave file, plays nothing: it is not read, and
// no read blocks. An empty file is a row of the reads above.
void TestSound::readWaveOfNoCueFile()
{
    QFETCH(Place, place);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Up.wav"));
    switch (place) {
    case Place::Missing:
        break;
    case Place::Folder:
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Up.wav")));
        break;
    case Place::Pipe:
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Place::Device:
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        break;
    case Place::SparseFile: {
        // A header that plays, so that only the size refuses it.
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(wave(1, 1, MixRate, 16, QByteArray(64, '\0'))) > 0);
        QVERIFY(file.resize(SparseFileSize));
        break;
    }
    }
    const std::optional<Samples> samples = readWithoutHanging(path);
    QVERIFY2(samples, "the read never ended");
    QCOMPARE(*samples, Samples{});
}

void TestSound::resampledTone_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<bool>("audible"); // below the mix rate's Nyquist frequency

    QTest::newRow("8 kHz, 1 kHz tone") << 8000 << 1000.0 << true;
    QTest::newRow("8 kHz, 3 kHz tone") << 8000 << 3000.0 << true;
    QTest::newRow("11.025 kHz, 4 kHz tone") << 11025 << 4000.0 << true;
    QTest::newRow("22.05 kHz, 5 kHz tone") << 22050 << 5000.0 << true;
    QTest::newRow("32 kHz, 10 kHz tone") << 32000 << 10000.0 << true;
    QTest::newRow("48 kHz, 1 kHz tone") << 48000 << 1000.0 << true;
    QTest::newRow("48 kHz, 10 kHz tone") << 48000 << 10000.0 << true;
    QTest::newRow("48 kHz, 18 kHz tone") << 48000 << 18000.0 << true;
    QTest::newRow("88.2 kHz, 15 kHz tone") << 88200 << 15000.0 << true;
    QTest::newRow("96 kHz, 10 kHz tone") << 96000 << 10000.0 << true;
    QTest::newRow("96 kHz, 30 kHz tone vanishes") << 96000 << 30000.0 << false;
    QTest::newRow("176.4 kHz, 16 kHz tone") << 176400 << 16000.0 << true;
    QTest::newRow("192 kHz, 10 kHz tone") << 192000 << 10000.0 << true;
    QTest::newRow("192 kHz, 60 kHz tone vanishes") << 192000 << 60000.0 << false;
}

// A file at another rate is brought to the mix rate with its length in time kept: a tone
// comes out as the same tone to within 16-bit resolution, and a tone too high for the mix
// rate vanishes instead of folding back as another, audible one.
void TestSound::resampledTone()
{
    QFETCH(int, rate);
    QFETCH(double, frequency);
    QFETCH(bool, audible);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Hit.wav"));
    QVERIFY(writeFile(path, toneFile(rate, frequency)));

    const Samples samples = ::readWave(path, MixRate);
    const auto expectedLength = qsizetype(
        std::lround(qsizetype(rate * ToneSeconds) * double(MixRate) / rate));
    QVERIFY2(qAbs(samples.size() - expectedLength) <= 1,
             qPrintable(QString::number(samples.size())));
    const double error = errorDb(samples, frequency, audible);
    QVERIFY2(error < ResampledErrorDb, qPrintable(QStringLiteral("%1 dB").arg(error)));
}

void TestSound::mix_data()
{
    QTest::addColumn<Samples>("first");
    QTest::addColumn<float>("firstGain");
    QTest::addColumn<Samples>("second");
    QTest::addColumn<float>("secondGain");
    QTest::addColumn<Samples>("mixed");
    QTest::addColumn<bool>("silentAfter");

    QTest::newRow("one cue at full volume, then silence")
        << Samples{100, -200, 300} << 1.0f << Samples{} << 1.0f << Samples{100, -200, 300, 0, 0}
        << true;
    QTest::newRow("a softer cue") << Samples{1000, -1000} << 0.5f << Samples{} << 1.0f
                                  << Samples{500, -500, 0, 0, 0} << true;
    QTest::newRow("two cues add up")
        << Samples{100, 100, 100} << 1.0f << Samples{10, 20, 30, 40, 50} << 1.0f
        << Samples{110, 120, 130, 40, 50} << true;
    QTest::newRow("a sum too loud is clipped, not wrapped")
        << Samples{30000, -30000} << 1.0f << Samples{30000, -30000} << 1.0f
        << Samples{32767, -32768, 0, 0, 0} << true;
    QTest::newRow("a cue longer than the block goes on")
        << Samples{1, 2, 3, 4, 5, 6} << 1.0f << Samples{} << 1.0f << Samples{1, 2, 3, 4, 5}
        << false;
    QTest::newRow("an empty cue adds nothing")
        << Samples{} << 1.0f << Samples{} << 1.0f << Samples{0, 0, 0, 0, 0} << true;
}

void TestSound::mix()
{
    QFETCH(Samples, first);
    QFETCH(float, firstGain);
    QFETCH(Samples, second);
    QFETCH(float, secondGain);
    QFETCH(Samples, mixed);
    CueMixer mixer;
    mixer.start(QStringLiteral("first"), first, firstGain);
    mixer.start(QStringLiteral("second"), second, secondGain);
    Samples out(mixed.size(), qint16(12345));
    mixer.mix(out.data(), out.size());
    QCOMPARE(out, mixed);
    QTEST(mixer.isSilent(), "silentAfter");
}

// A pop that comes while the previous pop still sounds starts the pop sound again
// instead of adding a second copy; another cue sounds on. The sound thread only reads a cue:
// its voice goes on sharing the player's samples, where a copy would take the time and
// memory of the whole cue in the middle of the sound.
void TestSound::restartedCueStartsAgain()
{
    const Samples pop{1, 2, 3, 4};
    CueMixer mixer;
    mixer.start(QStringLiteral("Up.wav"), pop, 1.0f);
    mixer.start(QStringLiteral("Hit.wav"), {100, 100, 100, 100, 100}, 1.0f);
    Samples out(2);
    mixer.mix(out.data(), out.size());
    QCOMPARE(out, (Samples{101, 102}));
    QVERIFY(!pop.isDetached());
    mixer.start(QStringLiteral("Up.wav"), pop, 1.0f);
    out.resize(4);
    mixer.mix(out.data(), out.size());
    QCOMPARE(out, (Samples{101, 102, 103, 4}));
    QVERIFY(mixer.isSilent());
}

// A copy without its sound output module plays nothing; it says so in one line that names
// the folder it looked in, once however many cues come. Two wave players in one process,
// each on its own thread, each get a sound output of their own from the module beside the
// program: neither takes over the other's output or its timer, which Qt would refuse with a
// warning. Destroying the players at the end carries out their preloads first.
void TestSound::playersWarnOnlyOfAMissingModule()
{
    QTemporaryDir dir;
    const QString cue = dir.filePath(QStringLiteral("Up.wav"));
    QVERIFY(writeFile(cue, wave(1, 1, MixRate, 16, pcm16({1000, -1000}))));
    const QRegularExpression silent(
        QStringLiteral(
            "^Zubbo!: no sound output module in %1 \\(.+\\); the game will be silent\\.$")
            .arg(QRegularExpression::escape(dir.path())));
    QTest::ignoreMessage(QtWarningMsg, silent);
    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));

    CuePlayer player(dir.path());
    player.preload({cue});
    player.play(cue, 1.0f);
    player.play(cue, 1.0f);
    Tonewell first(QCoreApplication::applicationDirPath());
    Tonewell second(QCoreApplication::applicationDirPath());
    first.preload({cue});
    second.preload({cue});
}

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"

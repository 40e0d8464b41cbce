// The wave player's parts that need no sound device: reading cue files into the mixer's
// format, mixing the cues that sound at the same time, and telling the player once when
// the sound output module is missing.
#include "cuemixer.h"
#include "cueplayer.h"
#include "testfiles.h"
#include "wavereader.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {
constexpr int MixRate = 44100;

using Samples = QList<qint16>;

QByteArray le(quint32 value, int bytes)
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

// A RIFF/WAVE file with the given fmt fields, data bytes and an optional chunk between
// the two.
QByteArray wave(quint16 tag, quint16 channels, quint32 rate, quint16 bits, const QByteArray &data,
                const QByteArray &between = {})
{
    const quint16 align = quint16(channels * bits / 8);
    const QByteArray fmt = le(tag, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4)
        + le(align, 2) + le(bits, 2);
    const QByteArray body = "WAVE" + chunk("fmt ", fmt) + between + chunk("data", data);
    return "RIFF" + le(quint32(body.size()), 4) + body;
}

QByteArray pcm16(const Samples &samples)
{
    QByteArray out;
    for (qint16 sample : samples)
        out += le(quint16(sample), 2);
    return out;
}
} // namespace

class TestSound : public QObject
{
    Q_OBJECT
private slots:
    void readWave_data();
    void readWave();
    void readWaveOfMissingFile();
    void mix_data();
    void mix();
    void restartedCueStartsAgain();
    void missingOutputModuleIsReportedOnce();
};

void TestSound::readWave_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Samples>("samples");

    const Samples ramp{0, 1000, -1000, 32767, -32768};
    QTest::newRow("16-bit mono at the mix rate")
        << wave(1, 1, MixRate, 16, pcm16(ramp)) << ramp;
    QTest::newRow("stereo is averaged")
        << wave(1, 2, MixRate, 16, pcm16({100, 300, -32768, -32768, 32767, -32767}))
        << Samples{200, -32768, 0};
    QTest::newRow("8-bit samples are unsigned")
        << wave(1, 1, MixRate, 8, QByteArray("\x80\xff\x00", 3)) << Samples{0, 127 * 256, -32768};
    QTest::newRow("half the rate is interpolated")
        << wave(1, 1, MixRate / 2, 16, pcm16({0, 1000, 3000})) << Samples{0, 500, 1000, 2000, 3000};
    QTest::newRow("odd-sized chunk before the data is skipped with its pad byte")
        << wave(1, 1, MixRate, 16, pcm16({7, 8}), chunk("LIST", "abc")) << Samples{7, 8};
    QTest::newRow("float samples are not read")
        << wave(3, 1, MixRate, 32, QByteArray(8, '\0')) << Samples{};
    QTest::newRow("extensible format is not read")
        << wave(0xfffe, 1, MixRate, 16, pcm16({1, 2})) << Samples{};
    QTest::newRow("24-bit samples are not read")
        << wave(1, 1, MixRate, 24, QByteArray(6, '\1')) << Samples{};
    QTest::newRow("data longer than the file")
        << wave(1, 1, MixRate, 16, pcm16({1, 2, 3})).chopped(2) << Samples{};
    QTest::newRow("no fmt chunk") << QByteArray("RIFF\x0c\0\0\0WAVEdata\0\0\0\0", 20) << Samples{};
    QTest::newRow("not a wave file") << QByteArray("just some text, not a sound") << Samples{};
}

void TestSound::readWave()
{
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cue.wav"));
    QVERIFY(writeFile(path, file));
    QTEST(::readWave(path, MixRate), "samples");
}

void TestSound::readWaveOfMissingFile()
{
    QTemporaryDir dir;
    QVERIFY(::readWave(dir.filePath(QStringLiteral("Up.wav")), MixRate).isEmpty());
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
        << Samples{100, -200, 300} << 1.0f << Samples{} << 1.0f
        << Samples{100, -200, 300, 0, 0} << true;
    QTest::newRow("a softer cue")
        << Samples{1000, -1000} << 0.5f << Samples{} << 1.0f << Samples{500, -500, 0, 0, 0}
        << true;
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
// instead of adding a second copy; another cue sounds on.
void TestSound::restartedCueStartsAgain()
{
    CueMixer mixer;
    mixer.start(QStringLiteral("Up.wav"), {1, 2, 3, 4}, 1.0f);
    mixer.start(QStringLiteral("Hit.wav"), {100, 100, 100, 100, 100}, 1.0f);
    Samples out(2);
    mixer.mix(out.data(), out.size());
    QCOMPARE(out, (Samples{101, 102}));
    mixer.start(QStringLiteral("Up.wav"), {1, 2, 3, 4}, 1.0f);
    out.resize(4);
    mixer.mix(out.data(), out.size());
    QCOMPARE(out, (Samples{101, 102, 103, 4}));
    QVERIFY(mixer.isSilent());
}

// A copy without its sound output module plays nothing; it says so in one line that names
// the folder it looked in, once however many cues come.
void TestSound::missingOutputModuleIsReportedOnce()
{
    QTemporaryDir dir;
    const QString cue = dir.filePath(QStringLiteral("Up.wav"));
    QVERIFY(writeFile(cue, wave(1, 1, MixRate, 16, pcm16({1000, -1000}))));
    const QRegularExpression silent(
        QStringLiteral("^Zubbo!: no sound output module in %1 \\(.+\\); the game will be silent\\.$")
            .arg(QRegularExpression::escape(dir.path())));
    QTest::ignoreMessage(QtWarningMsg, silent);
    QTest::failOnWarning(silent);

    CuePlayer player(dir.path());
    player.preload({cue});
    player.play(cue, 1.0f);
    player.play(cue, 1.0f);
}

QTEST_GUILESS_MAIN(TestSound)
#include "tst_sound.moc"

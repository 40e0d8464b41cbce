#include "sinkrecorder.h"

#include <QtEndian>

namespace {
constexpr int StartTimeoutMs = 10000;
constexpr int NoiseFloor = 100;       // of 32767, about -50 dBFS: no cue is this soft
constexpr double MinimumSilenceMs = 20;
constexpr int BytesPerSample = 2;
} // namespace

SinkRecorder::SinkRecorder(const QString &sink) : m_sink(sink)
{
    // Read in as the samples come, so the pipe never fills while the test waits.
    QObject::connect(&m_parec, &QProcess::readyReadStandardOutput,
                     [this] { m_samples += m_parec.readAllStandardOutput(); });
}

SinkRecorder::~SinkRecorder()
{
    stop();
}

bool SinkRecorder::start()
{
    m_samples.clear();
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("--device=%1.monitor").arg(m_sink), QStringLiteral("--raw"),
                   QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(SampleRate),
                   QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
    if (!m_parec.waitForReadyRead(StartTimeoutMs))
        return false;
    m_samples += m_parec.readAllStandardOutput();
    return true;
}

void SinkRecorder::stop()
{
    if (m_parec.state() == QProcess::NotRunning)
        return;
    m_parec.terminate();
    m_parec.waitForFinished(StartTimeoutMs);
    m_samples += m_parec.readAllStandardOutput();
}

QString SinkRecorder::errorText()
{
    return m_parec.errorString() + QLatin1Char(' ')
        + QString::fromLocal8Bit(m_parec.readAllStandardError());
}

double SinkRecorder::lengthMs() const
{
    return 1000.0 * double(m_samples.size() / BytesPerSample) / SampleRate;
}

QList<double> SinkRecorder::onsets() const
{
    const qsizetype count = m_samples.size() / BytesPerSample;
    const auto minimumSilence = qsizetype(MinimumSilenceMs * SampleRate / 1000);
    QList<double> found;
    qsizetype silentRun = minimumSilence; // the recording starts as if after silence
    for (qsizetype i = 0; i < count; ++i) {
        const qint16 sample = qFromLittleEndian<qint16>(m_samples.constData() + i * BytesPerSample);
        if (qAbs(int(sample)) <= NoiseFloor) {
            ++silentRun;
            continue;
        }
        if (silentRun >= minimumSilence)
            found << 1000.0 * double(i) / SampleRate;
        silentRun = 0;
    }
    return found;
}

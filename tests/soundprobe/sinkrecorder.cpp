#include "sinkrecorder.h"

#include <QtEndian>

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
constexpr int StartTimeoutMs = 10000;
// Small deliveries keep the bound on the first sample's time tight.
constexpr int LatencyMs = 5;
constexpr int BytesPerSample = 2;
constexpr qint64 NsPerSecond = 1000000000;

// How long `samples` samples play.
constexpr qint64 samplesNs(qint64 samples)
{
    return samples * NsPerSecond / SinkRecorder::SampleRate;
}
} // namespace

SinkRecorder::SinkRecorder(const QString &sink, std::function<qint64()> nowNs)
    : m_sink(sink), m_nowNs(std::move(nowNs))
{
    // Read in as the samples come, so the pipe never fills and each arrival is timed.
    QObject::connect(&m_parec, &QProcess::readyReadStandardOutput, [this] { takeSamples(); });
}

SinkRecorder::~SinkRecorder()
{
    stop();
}

bool SinkRecorder::start()
{
    m_samples.clear();
    m_arrivals.clear();
    m_parec.start(QStringLiteral("parec"),
                  {QStringLiteral("--device=%1.monitor").arg(m_sink), QStringLiteral("--raw"),
                   QStringLiteral("--format=s16le"), QStringLiteral("--rate=%1").arg(SampleRate),
                   QStringLiteral("--channels=1"),
                   QStringLiteral("--latency-msec=%1").arg(LatencyMs)});
    if (!m_parec.waitForReadyRead(StartTimeoutMs))
        return false;
    takeSamples();
    return true;
}

void SinkRecorder::stop()
{
    if (m_parec.state() == QProcess::NotRunning)
        return;
    m_parec.terminate();
    m_parec.waitForFinished(StartTimeoutMs);
    takeSamples();
}

QString SinkRecorder::errorText()
{
    return m_parec.errorString() + QLatin1Char(' ')
        + QString::fromLocal8Bit(m_parec.readAllStandardError());
}

void SinkRecorder::takeSamples()
{
    const qint64 now = m_nowNs ? m_nowNs() : 0;
    const QByteArray arrived = m_parec.readAllStandardOutput();
    if (arrived.isEmpty())
        return;
    m_samples += arrived;
    if (m_nowNs)
        m_arrivals.append({sampleCount(), now - samplesNs(sampleCount())});
}

qsizetype SinkRecorder::sampleCount() const
{
    return m_samples.size() / BytesPerSample;
}

qint16 SinkRecorder::sample(qsizetype i) const
{
    return qFromLittleEndian<qint16>(m_samples.constData() + i * BytesPerSample);
}

int SinkRecorder::loudest() const
{
    int most = 0;
    for (qsizetype i = 0; i < sampleCount(); ++i)
        most = std::max(most, std::abs(int(sample(i))));
    return most;
}

double SinkRecorder::lengthMs() const
{
    return 1000.0 * double(sampleCount()) / SampleRate;
}

QList<qsizetype> SinkRecorder::onsets(int level, int quietMs) const
{
    const qsizetype quietSamples = qsizetype(quietMs) * SampleRate / 1000;
    QList<qsizetype> found;
    qsizetype lastLoud = -quietSamples - 1; // the recording starts as if after quiet
    for (qsizetype i = 0; i < sampleCount(); ++i) {
        if (std::abs(int(sample(i))) < level)
            continue;
        if (i - lastLoud > quietSamples)
            found.append(i);
        lastLoud = i;
    }
    return found;
}

QList<double> SinkRecorder::onsetsMs(int level, int quietMs) const
{
    QList<double> times;
    for (qsizetype i : onsets(level, quietMs))
        times.append(1000.0 * double(i) / SampleRate);
    return times;
}

// For each arrival, the tightest bound on the first sample's time that it and the arrivals
// after it give: a sample's time is bounded by every arrival from the one that brought it on.
QList<qint64> SinkRecorder::boundsFromEachArrivalOn() const
{
    QList<qint64> bounds(m_arrivals.size());
    qint64 later = std::numeric_limits<qint64>::max();
    for (qsizetype i = m_arrivals.size() - 1; i >= 0; --i)
        bounds[i] = later = std::min(later, m_arrivals[i].firstSampleNs);
    return bounds;
}

qint64 SinkRecorder::firstSampleNs() const
{
    const QList<qint64> bounds = boundsFromEachArrivalOn();
    return bounds.isEmpty() ? std::numeric_limits<qint64>::max() : bounds.first();
}

QList<std::pair<qint64, qint64>> SinkRecorder::gapsNs(qint64 slackNs) const
{
    const QList<qint64> bounds = boundsFromEachArrivalOn();
    QList<std::pair<qint64, qint64>> gaps;
    for (qsizetype i = 0; i + 1 < bounds.size(); ++i) {
        const qint64 missing = bounds[i + 1] - bounds[i];
        if (missing > slackNs) {
            const qint64 at = bounds[i] + samplesNs(m_arrivals[i].samplesSoFar);
            gaps.append({at, at + missing});
        }
    }
    return gaps;
}

QList<qint64> SinkRecorder::onsetsNs(int level, int quietMs) const
{
    const QList<qint64> bounds = boundsFromEachArrivalOn();
    const auto comesBefore = [](qsizetype sample, const Arrival &arrival) {
        return sample < arrival.samplesSoFar;
    };
    QList<qint64> times;
    for (const qsizetype onset : onsets(level, quietMs)) {
        // The arrival that brought the onset's sample.
        const auto brought = std::upper_bound(m_arrivals.cbegin(), m_arrivals.cend(), onset,
                                              comesBefore);
        const qint64 bound = brought == m_arrivals.cend() ? std::numeric_limits<qint64>::max()
                                                          : bounds[brought - m_arrivals.cbegin()];
        times.append(bound + samplesNs(onset));
    }
    return times;
}

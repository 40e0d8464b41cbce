// Sound timing: the game's Pop timer ticks at Hard in the shown window while the sound
// server's output is recorded (the monitor of the sink that ZUBBO_SINK names, the null sink
// of scripts/desktop-session.sh). Each pop cue's onset in the recording is matched to the
// Play() call that started it: the spread of those delays is the onset jitter. Their median
// estimates the time from Play() to the sound as far as a recording can tell (see
// SinkRecorder); a null sink takes data ahead of playing it, so it can even come out below
// zero.
//   bench_sound [POPS]
#include "beattimer.h"
#include "benchkit.h"
#include "cues.h"
#include "eventwatch.h"
#include "frmzub.h"
#include "levels.h"
#include "sinkrecorder.h"
#include "steadyclock.h"
#include "tonewell.h"

#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {
constexpr int DefaultPops = 30;
constexpr int SettleMs = 1000;
// The recording itself takes a second or two to settle: until then the sound server may
// place what it plays late or not at all in the monitor's stream.
constexpr int RecordLeadMs = 2500;
constexpr int RecordTailMs = 600;
constexpr double OnsetFraction = 0.1;
constexpr int QuietBeforeOnsetMs = 150;
// A cue's onset is looked for from a little before its Play() call up to well before the
// next pop: a sound server may take data from a stream ahead of the time it plays it, so
// a recording of its output can place the onset a little early.
constexpr qint64 EarliestOnsetNs = -50000000;
constexpr qint64 LatestOnsetNs = 300000000;

double spread(const QList<double> &values)
{
    if (values.isEmpty())
        return 0;
    const auto [least, most] = std::minmax_element(values.begin(), values.end());
    return *most - *least;
}

// The sound server's clock may run at a slightly different rate from the system clock
// (the null sink's does, by about 200 ppm, as its block times are rounded), which makes
// the delays drift steadily over a recording. A least-squares line takes the drift out.
struct Line
{
    double offset = 0;
    double slope = 0;
    double at(double x) const { return offset + slope * x; }
};

Line fitLine(const QList<double> &x, const QList<double> &y)
{
    const double meanX = BenchKit::mean(x);
    const double meanY = BenchKit::mean(y);
    double covariance = 0;
    double variance = 0;
    for (qsizetype i = 0; i < x.size(); ++i) {
        covariance += (x[i] - meanX) * (y[i] - meanY);
        variance += (x[i] - meanX) * (x[i] - meanX);
    }
    const double slope = variance > 0 ? covariance / variance : 0;
    return {meanY - slope * meanX, slope};
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int pops = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : DefaultPops;
    frmZUB window(QCoreApplication::applicationDirPath());
    auto *pop = window.findChild<BeatTimer *>(QStringLiteral("Pop"));

    QList<qint64> played;
    SinkRecorder recorder(qEnvironmentVariable("ZUBBO_SINK"), steadyClockNs);
    const auto analyse = [&] {
        recorder.stop();
        const int level = std::max(1, int(recorder.loudest() * OnsetFraction));
        const QList<qint64> onsets = recorder.onsetsNs(level, QuietBeforeOnsetMs);
        QList<double> playedMs;
        QList<double> delays;
        for (qint64 at : played) {
            const auto onset = std::find_if(onsets.begin(), onsets.end(), [at](qint64 o) {
                return o - at >= EarliestOnsetNs && o - at <= LatestOnsetNs;
            });
            if (onset != onsets.end()) {
                playedMs.append((at - played.first()) / 1e6);
                delays.append((*onset - at) / 1e6);
            }
        }
        const Line drift = fitLine(playedMs, delays);
        QList<double> residuals;
        for (qsizetype i = 0; i < delays.size(); ++i)
            residuals.append(delays[i] - drift.at(playedMs[i]));
        std::fprintf(stderr, "sound server clock against the system clock: %+.0f ppm\n",
                     drift.slope * 1e6);
        std::fprintf(stderr, "Play() to onset of each pop (ms):");
        for (double delay : delays)
            std::fprintf(stderr, " %.1f", delay);
        std::fprintf(stderr, "\n");
        BenchKit::printFigure(QStringLiteral("Sound: Play() to onset in the recording (ms)"),
                              BenchKit::median(delays));
        const QString over = QStringLiteral(" over %1 pops").arg(pops);
        BenchKit::printFigure(QStringLiteral("Sound: onset spread%1, raw (ms)").arg(over),
                              spread(delays));
        BenchKit::printFigure(
            QStringLiteral("Sound: onset jitter%1, clock drift removed (ms)").arg(over),
            spread(residuals), QStringLiteral("< 5"));
        BenchKit::printFigure(QStringLiteral("Sound: pops without an onset"),
                              played.size() - delays.size());
        QCoreApplication::quit();
    };

    QObject::connect(&window.sound(), &Tonewell::played, [&](const QString &file) {
        if (!file.endsWith(QLatin1String(cueInfo(Cue::Up).fileName)))
            return;
        played.append(steadyClockNs());
        if (played.size() == pops) {
            pop->stop();
            QTimer::singleShot(RecordTailMs, analyse);
        }
    });
    window.show();
    afterFirstFrame(window.centralWidget(), SettleMs, [&] {
        if (!recorder.start()) {
            std::fprintf(stderr, "cannot record the sound server: %s\n",
                         qPrintable(recorder.errorText()));
            QCoreApplication::exit(1);
            return;
        }
        window.bmLEVEL_Click(levelNumber(Level::Hard));
        QTimer::singleShot(RecordLeadMs, pop, &BeatTimer::start);
    });
    return QApplication::exec();
}

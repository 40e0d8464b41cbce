// Hit latency in the shown game window: a target is popped up, a real press is sent
// through the X server (xdotool) onto it, and the time runs from the press reaching the
// target to the end of the frame that shows the fireball and the new score. Then the time
// Play() takes to return, for the pop and hit cues as the game plays them.
//   bench_hit [HITS]
#include "benchkit.h"
#include "cues.h"
#include "eventwatch.h"
#include "frmzub.h"
#include "steadyclock.h"
#include "tonewell.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QTimer>

namespace {
constexpr int DefaultHits = 20;
constexpr int SettleMs = 1000;
// One hit every cycle: pop, press, release. Presses lie further apart than the
// double-click interval, so none of them counts as the second press of a double-click.
constexpr int PressAtMs = 60;
constexpr int ReleaseAtMs = 160;
constexpr int CycleMs = 450;
constexpr int PlayCalls = 20;
constexpr int PlayGapMs = 150;

void xdotool(const QStringList &args)
{
    auto *process = new QProcess;
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(QStringLiteral("xdotool"), args);
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int hits = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : DefaultHits;
    const QString folder = QCoreApplication::applicationDirPath();
    frmZUB window(folder);

    QList<double> latencies;
    qint64 pressedAt = 0;
    qint64 fireballAt = 0;
    qint64 scoreAt = 0;
    const auto finishHit = [&] {
        if (pressedAt && fireballAt && scoreAt) {
            latencies.append((std::max(fireballAt, scoreAt) - pressedAt) / 1e6);
            pressedAt = 0;
        }
    };
    auto *score = window.findChild<QLabel *>(QStringLiteral("PointsTable"));
    QObject::connect(new EventWatch(score, QEvent::Paint), &EventWatch::seen, [&](qint64 ns) {
        scoreAt = ns;
        finishHit();
    });
    for (int i = 0; i < 11; ++i) {
        auto *target = window.findChild<QWidget *>(QStringLiteral("ZubIN(%1)").arg(i));
        auto *fireball = window.findChild<QWidget *>(QStringLiteral("Explode(%1)").arg(i));
        QObject::connect(new EventWatch(target, QEvent::MouseButtonPress), &EventWatch::seen,
                         [&](qint64 ns) {
                             pressedAt = ns;
                             fireballAt = scoreAt = 0;
                         });
        QObject::connect(new EventWatch(fireball, QEvent::Paint), &EventWatch::seen,
                         [&](qint64 ns) {
                             fireballAt = ns;
                             finishHit();
                         });
    }

    QList<double> playTimes;
    const auto timePlay = [&] {
        const bool hit = playTimes.size() % 2;
        Tonewell &sound = window.sound();
        const char *file = cueInfo(hit ? Cue::Hit : Cue::Up).fileName;
        sound.setWaveFile(folder + QLatin1Char('/') + QLatin1String(file));
        sound.setCueFlag(hit);
        const qint64 start = steadyClockNs();
        sound.Play();
        playTimes.append((steadyClockNs() - start) / 1e6);
        sound.setCueFlag(false);
        if (playTimes.size() < PlayCalls)
            return;
        const QString latency = QStringLiteral("Hit: press to painted fireball and score, %1 (ms)");
        BenchKit::printFigure(latency.arg(QStringLiteral("median")), BenchKit::median(latencies),
                              QStringLiteral("< 4"));
        BenchKit::printFigure(latency.arg(QStringLiteral("worst")), BenchKit::largest(latencies));
        BenchKit::printFigure(QStringLiteral("Hit: presses that missed their target"),
                              hits - latencies.size());
        BenchKit::printFigure(QStringLiteral("Play() return time, median (ms)"),
                              BenchKit::median(playTimes), QStringLiteral("< 1"));
        BenchKit::printFigure(QStringLiteral("Play() return time, worst (ms)"),
                              BenchKit::largest(playTimes));
        QCoreApplication::quit();
    };

    int cycles = 0;
    QTimer cycle;
    cycle.setTimerType(Qt::PreciseTimer);
    QObject::connect(&cycle, &QTimer::timeout, [&] {
        if (cycles++ == hits) {
            cycle.setInterval(PlayGapMs);
            QObject::disconnect(&cycle, nullptr, nullptr, nullptr);
            QObject::connect(&cycle, &QTimer::timeout, timePlay);
            return;
        }
        window.Pop_Timer();
        const auto *target = window.findChild<QWidget *>(
            QStringLiteral("ZubIN(%1)").arg(window.currentHole()));
        const QPoint at = target->mapToGlobal(target->rect().center());
        QTimer::singleShot(PressAtMs, [at] {
            xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                     QStringLiteral("mousedown"), QStringLiteral("1")});
        });
        const auto release = [] { xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}); };
        QTimer::singleShot(ReleaseAtMs, release);
    });
    window.show();
    afterFirstFrame(window.centralWidget(), SettleMs, [&] { cycle.start(CycleMs); });
    return QApplication::exec();
}

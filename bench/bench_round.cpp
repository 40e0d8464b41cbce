// A full round as a player plays it, at Easy in the shown window: Start, Get Ready, 61
// seconds of pops with a hit on every other pop, the end cue and the record dialog, which
// is closed. Reports the CPU time and peak memory of the round, the beat kept during it,
// and then, idle between rounds, how often the program's threads wake up.
#include "benchkit.h"
#include "cues.h"
#include "eventwatch.h"
#include "frmzub.h"
#include "levels.h"
#include "poplog.h"
#include "steadyclock.h"
#include "tonewell.h"

#include <QApplication>
#include <QMap>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>

namespace {
constexpr int SettleMs = 1000;
constexpr int HitAfterPopMs = 150;
constexpr int ReleaseAfterHitMs = 80;
constexpr int CloseDialogAfterMs = 200;
// Idle is measured once the sounds of the round have long ended and the wave player has
// closed its stream (two seconds after the last cue).
constexpr int IdleSettleMs = 4000;
constexpr int IdleMs = 10000;

// What a press and release with the left button on the middle of `target` delivers.
void click(QWidget *target)
{
    const QPointF at = QRectF(target->rect()).center();
    const QPointF global = target->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QTimer::singleShot(ReleaseAfterHitMs, target, [target, at, global] {
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
    });
}

// Counts the timer events this program's event loop delivers, by the receiver's class.
class TimerEventCount : public QObject
{
public:
    qint64 count = 0;
    QMap<QString, qint64> byClass;

protected:
    bool eventFilter(QObject *receiver, QEvent *event) override
    {
        if (event->type() == QEvent::Timer) {
            ++count;
            ++byClass[QString::fromLatin1(receiver->metaObject()->className())];
        }
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TimerEventCount timerEvents;
    app.installEventFilter(&timerEvents);
    frmZUB window(QCoreApplication::applicationDirPath());
    auto *beat = logPops(window);

    double cpuAtStart = 0;
    QList<QPair<QString, double>> threadCpuAtStart;
    qint64 startedAt = 0;
    int pops = 0;
    const auto measureIdle = [&] {
        QList<QPair<QString, qint64>> before;
        const qint64 switches = BenchKit::contextSwitches(&before);
        const qint64 timers = timerEvents.count;
        timerEvents.byClass.clear();
        QTimer::singleShot(IdleMs, [&, before, switches, timers] {
            // Less the one wake-up and timer event of this measurement's own timer.
            QList<QPair<QString, qint64>> after;
            const double seconds = IdleMs / 1000.0;
            BenchKit::printFigure(QStringLiteral("Idle: wake-ups per second, all threads"),
                                  (BenchKit::contextSwitches(&after) - switches - 1) / seconds,
                                  QStringLiteral("0"));
            BenchKit::printFigure(QStringLiteral("Idle: timer events per second"),
                                  (timerEvents.count - timers - 1) / seconds, QStringLiteral("0"));
            for (const auto &[thread, count] : after) {
                for (const auto &[earlier, countBefore] : before) {
                    if (earlier == thread && count != countBefore)
                        std::fprintf(stderr, "idle wake-ups of thread %s: %lld\n",
                                     qPrintable(thread), count - countBefore);
                }
            }
            for (auto it = timerEvents.byClass.cbegin(); it != timerEvents.byClass.cend(); ++it)
                std::fprintf(stderr, "idle timer events of %s: %lld\n", qPrintable(it.key()),
                             it.value());
            QCoreApplication::quit();
        });
    };
    const auto roundOver = [&] {
        const double seconds = (steadyClockNs() - startedAt) / 1e9;
        const double cpu = BenchKit::cpuSeconds() - cpuAtStart;
        BenchKit::printFigure(QStringLiteral("Round: CPU seconds (user + system)"), cpu);
        BenchKit::printFigure(QStringLiteral("Round: CPU share of one core (%)"),
                              100 * cpu / seconds, QStringLiteral("< 0.3"));
        for (const auto &[thread, total] : BenchKit::cpuSecondsPerThread()) {
            double before = 0;
            for (const auto &[earlier, atStart] : threadCpuAtStart)
                before = earlier == thread ? atStart : before;
            std::fprintf(stderr, "round CPU of thread %s: %.3f s\n", qPrintable(thread),
                         total - before);
        }
        BenchKit::printFigure(QStringLiteral("Round: peak memory (MB)"), BenchKit::peakRssMb(),
                              QStringLiteral("< 40"));
        const TickLog::Error error = beat->error(levelInfo(Level::Easy).beatMs, 1);
        BenchKit::printFigure(QStringLiteral("Round: beat error at Easy with hits, mean (ms)"),
                              error.mean, QStringLiteral("< 0.05"));
        BenchKit::printFigure(QStringLiteral("Round: beat error at Easy with hits, worst (ms)"),
                              error.worst, QStringLiteral("< 0.5"));
        BenchKit::printFigure(QStringLiteral("Round: hits scored"), window.score() / 10.0);
        QTimer::singleShot(IdleSettleMs, measureIdle);
    };

    QObject::connect(&window.sound(), &Tonewell::played, [&](const QString &file) {
        if (file.endsWith(QLatin1String(cueInfo(Cue::End).fileName))) {
            // Runs inside the record dialog's own event loop, which the close ends.
            QTimer::singleShot(CloseDialogAfterMs, [&] {
                if (QWidget *dialog = QApplication::activeModalWidget())
                    dialog->close();
                QTimer::singleShot(0, roundOver);
            });
        } else if (file.endsWith(QLatin1String(cueInfo(Cue::Up).fileName)) && ++pops % 2) {
            QTimer::singleShot(HitAfterPopMs, [&] {
                click(window.findChild<QWidget *>(
                    QStringLiteral("ZubIN(%1)").arg(window.currentHole())));
            });
        }
    });

    window.show();
    afterFirstFrame(window.centralWidget(), SettleMs, [&] {
        cpuAtStart = BenchKit::cpuSeconds();
        threadCpuAtStart = BenchKit::cpuSecondsPerThread();
        startedAt = steadyClockNs();
        window.bmSTART_Click();
    });
    return QApplication::exec();
}

// Beat accuracy: the game's Pop timer ticking at one level in the shown game window, with
// its real tick handler (targets shown and hidden, the pop cue played), for a number of
// intervals. With "coarse" the same timer is switched to Qt::CoarseTimer, the default
// timer most Qt games ship with, as the baseline.
//   bench_beat LEVEL(1-3) precise|coarse [INTERVALS]
#include "benchkit.h"
#include "eventwatch.h"
#include "frmzub.h"
#include "ticklog.h"

#include <QApplication>
#include <QTimer>

namespace {
constexpr int DefaultIntervals = 100;
constexpr int SettleMs = 1000;
constexpr std::array<int, 4> LevelInterval{0, 950, 600, 400};
const std::array<QString, 4> LevelName{QString(), QStringLiteral("Easy"),
                                       QStringLiteral("Medium"), QStringLiteral("Hard")};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int level = qBound(1, args.value(1).toInt(), 3);
    const bool coarse = args.value(2) == QLatin1String("coarse");
    const int intervals = args.size() > 3 ? args.value(3).toInt() : DefaultIntervals;

    frmZUB window(QCoreApplication::applicationDirPath());
    auto *pop = window.findChild<QTimer *>(QStringLiteral("Pop"));
    auto *log = new TickLog(pop);
    window.show();

    afterFirstFrame(window.centralWidget(), SettleMs, [&] {
        window.bmLEVEL_Click(level);
        if (coarse)
            pop->setTimerType(Qt::CoarseTimer);
        pop->start();
    });
    // The first interval is the designed 400 ms of a stopped timer, not the level's.
    QObject::connect(log, &TickLog::ticked, &app, [&](int count) {
        if (count < intervals + 2)
            return;
        pop->stop();
        const TickLog::Error error = log->error(LevelInterval[level], 1);
        const QString name = QStringLiteral("Beat error, %1 %2 ms%3")
                                 .arg(LevelName[level])
                                 .arg(LevelInterval[level])
                                 .arg(coarse ? QStringLiteral(", coarse timer") : QString());
        BenchKit::printFigure(name + QStringLiteral(", mean (ms)"), error.mean,
                              coarse ? QString() : QStringLiteral("< 0.5"));
        BenchKit::printFigure(name + QStringLiteral(", worst (ms)"), error.worst,
                              coarse ? QString() : QStringLiteral("< 3"));
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

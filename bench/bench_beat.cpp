// Beat accuracy: the game's Pop timer ticking at one level in the shown game window, with
// its real tick handler (targets shown and hidden, the pop cue played), for a number of
// intervals. With "coarse" the same timer is switched to Qt::CoarseTimer, the default
// timer most Qt games ship with, as the baseline.
//   bench_beat LEVEL(1-3) precise|coarse [INTERVALS]
#include "beattimer.h"
#include "benchkit.h"
#include "eventwatch.h"
#include "frmzub.h"
#include "levels.h"
#include "poplog.h"

#include <QApplication>

namespace {
constexpr int DefaultIntervals = 100;
constexpr int SettleMs = 1000;

// The level's menu caption without its shortcut mark: "&Easy" prints as "Easy".
QString levelName(const LevelInfo &info)
{
    return QString::fromLatin1(info.caption).remove(QLatin1Char('&'));
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int level = qBound(FirstLevel, args.value(1).toInt(), FirstLevel + LevelCount - 1);
    const LevelInfo &info = levelInfo(Level(level));
    const bool coarse = args.value(2) == QLatin1String("coarse");
    const int intervals = args.size() > 3 ? args.value(3).toInt() : DefaultIntervals;

    frmZUB window(QCoreApplication::applicationDirPath());
    auto *pop = window.findChild<BeatTimer *>(QStringLiteral("Pop"));
    auto *log = logPops(window);
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
        const TickLog::Error error = log->error(info.beatMs, 1);
        const QString name = QStringLiteral("Beat error, %1 %2 ms%3")
                                 .arg(levelName(info))
                                 .arg(info.beatMs)
                                 .arg(coarse ? QStringLiteral(", coarse timer") : QString());
        BenchKit::printFigure(name + QStringLiteral(", mean (ms)"), error.mean,
                              coarse ? QString() : QStringLiteral("< 0.05"));
        BenchKit::printFigure(name + QStringLiteral(", worst (ms)"), error.worst,
                              coarse ? QString() : QStringLiteral("< 0.5"));
        QCoreApplication::quit();
    });
    return QApplication::exec();
}

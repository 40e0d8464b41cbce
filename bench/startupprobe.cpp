#include "startupprobe.h"

#include "benchkit.h"
#include "eventwatch.h"

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>

namespace {
// Long enough for the work the game defers until its window shows (opening the sound
// device, loading the cues) to have run before memory is read.
constexpr int SettleMs = 1000;
} // namespace

StartupProbe::StartupProbe(const QString &who, bool goals)
    : m_who(who), m_goals(goals), m_mainMs(BenchKit::msSinceLaunch())
{
}

void StartupProbe::windowBuilt()
{
    m_builtMs = BenchKit::msSinceLaunch();
}

void StartupProbe::watch(QWidget *area)
{
    connect(new EventWatch(area, QEvent::Paint), &EventWatch::seen, this, [this] {
        if (!m_seen) {
            m_seen = true;
            firstFrame();
        }
    });
}

QString StartupProbe::figure(const QString &what) const
{
    return QStringLiteral("Start-up, %1: %2 (ms)").arg(m_who, what);
}

void StartupProbe::firstFrame()
{
    const double frameMs = BenchKit::msSinceLaunch();
    BenchKit::printFigure(figure(QStringLiteral("launch to first frame")), frameMs,
                          m_goals ? QStringLiteral("< 60") : QString());
    BenchKit::printFigure(figure(QStringLiteral("launch to main()")), m_mainMs);
    BenchKit::printFigure(figure(QStringLiteral("main() to window built")), m_builtMs - m_mainMs);
    BenchKit::printFigure(figure(QStringLiteral("window built to first frame")),
                          frameMs - m_builtMs);
    QTimer::singleShot(SettleMs, this, [this] {
        BenchKit::printFigure(QStringLiteral("Start-up, %1: peak memory (MB)").arg(m_who),
                              BenchKit::peakRssMb(), m_goals ? QStringLiteral("< 40") : QString());
        QCoreApplication::quit();
    });
}

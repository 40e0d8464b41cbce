#include "ticklog.h"

#include "benchkit.h"
#include "steadyclock.h"

#include <QEvent>

#include <cmath>

TickLog::TickLog(QObject *timer) : QObject(timer)
{
    timer->installEventFilter(this);
    for (QObject *part : timer->children()) {
        if (part != this)
            part->installEventFilter(this);
    }
}

bool TickLog::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Timer || event->type() == QEvent::SockAct) {
        m_ticks.append(steadyClockNs());
        emit ticked(int(m_ticks.size()));
    }
    return false;
}

TickLog::Error TickLog::error(int nominalMs, int skip) const
{
    QList<double> errors;
    for (qsizetype i = skip + 1; i < m_ticks.size(); ++i)
        errors.append(std::abs((m_ticks[i] - m_ticks[i - 1]) / 1e6 - nominalMs));
    return {BenchKit::mean(errors), BenchKit::largest(errors)};
}

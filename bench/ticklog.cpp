#include "ticklog.h"

#include "benchkit.h"
#include "steadyclock.h"

#include <cmath>

TickLog::TickLog(QObject *parent) : QObject(parent) {}

void TickLog::stamp()
{
    m_ticks.append(steadyClockNs());
    emit ticked(int(m_ticks.size()));
}

TickLog::Error TickLog::error(int nominalMs, int skip) const
{
    QList<double> errors;
    for (qsizetype i = skip + 1; i < m_ticks.size(); ++i)
        errors.append(std::abs((m_ticks[i] - m_ticks[i - 1]) / 1e6 - nominalMs));
    return {BenchKit::mean(errors), BenchKit::largest(errors)};
}

#pragma once

#include <QList>
#include <QString>

// Shared pieces of the benchmark programs: the launch clock, memory and CPU readings, and
// the one output format run.sh turns into the table. Every program prints its figures as
// lines "figure|value|goal" on standard output; everything else goes to standard error.
namespace BenchKit {

// Milliseconds since the process was launched: from ZUBBO_LAUNCHED_AT (the launcher's
// wall-clock time in seconds, as bash's $EPOCHREALTIME gives it) when set, otherwise from
// the kernel's process start time, which only has 10 ms steps.
double msSinceLaunch();

// Peak resident memory of this process in MB (VmHWM).
double peakRssMb();

// User plus system CPU seconds used by this process so far.
double cpuSeconds();

// Voluntary plus involuntary context switches of every thread of this process, that is
// how often its threads went to sleep and were woken; per thread name on request.
qint64 contextSwitches(QList<QPair<QString, qint64>> *perThread = nullptr);

// CPU seconds of every thread of this process so far, per thread name.
QList<QPair<QString, double>> cpuSecondsPerThread();

void printFigure(const QString &name, double value, const QString &goal = QString());

double median(QList<double> values);
double mean(const QList<double> &values);
double largest(const QList<double> &values);

} // namespace BenchKit

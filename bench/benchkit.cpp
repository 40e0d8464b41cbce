#include "benchkit.h"

#include <QDir>
#include <QFile>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {
constexpr double KbPerMb = 1024.0;

double clockSeconds(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// The kernel's start time of this process, in seconds on the boot-time clock.
double kernelStartSeconds()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return clockSeconds(CLOCK_BOOTTIME);
    const QByteArray line = stat.readAll();
    // The command name may hold blanks; the fields after it start behind the last ')'.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    constexpr int StartTimeField = 22 - 3; // field 22, counted after pid, comm and state
    return fields.value(StartTimeField).toDouble() / sysconf(_SC_CLK_TCK);
}

double statusKb(const QString &path, const QByteArray &key)
{
    QFile status(path);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toDouble();
    }
    return 0;
}
// Every thread of this process, as its name and task id, with the folder the kernel
// describes it in.
QList<QPair<QString, QString>> threads()
{
    QList<QPair<QString, QString>> found;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        comm.open(QIODevice::ReadOnly);
        found.append({QString::fromUtf8(comm.readAll().trimmed()) + QLatin1Char('/') + task,
                      tasks.filePath(task)});
    }
    return found;
}
} // namespace

namespace BenchKit {

double msSinceLaunch()
{
    bool ok = false;
    const double launchedAt = qEnvironmentVariable("ZUBBO_LAUNCHED_AT").toDouble(&ok);
    if (ok)
        return (clockSeconds(CLOCK_REALTIME) - launchedAt) * 1000.0;
    return (clockSeconds(CLOCK_BOOTTIME) - kernelStartSeconds()) * 1000.0;
}

double peakRssMb()
{
    return statusKb(QStringLiteral("/proc/self/status"), "VmHWM:") / KbPerMb;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

qint64 contextSwitches(QList<QPair<QString, qint64>> *perThread)
{
    qint64 total = 0;
    for (const auto &[thread, task] : threads()) {
        const QString status = task + QStringLiteral("/status");
        const auto count = qint64(statusKb(status, "voluntary_ctxt_switches:")
                                  + statusKb(status, "nonvoluntary_ctxt_switches:"));
        total += count;
        if (perThread)
            perThread->append({thread, count});
    }
    return total;
}

QList<QPair<QString, double>> cpuSecondsPerThread()
{
    QList<QPair<QString, double>> seconds;
    for (const auto &[thread, task] : threads()) {
        QFile schedstat(task + QStringLiteral("/schedstat"));
        schedstat.open(QIODevice::ReadOnly);
        // The first field is the time on a CPU in nanoseconds.
        seconds.append({thread, schedstat.readAll().split(' ').value(0).toDouble() / 1e9});
    }
    return seconds;
}

void printFigure(const QString &name, double value, const QString &goal)
{
    std::printf("%s|%.3f|%s\n", qPrintable(name), value, qPrintable(goal));
    std::fflush(stdout);
}

double median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double mean(const QList<double> &values)
{
    if (values.isEmpty())
        return 0;
    return std::accumulate(values.begin(), values.end(), 0.0) / values.size();
}

double largest(const QList<double> &values)
{
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

} // namespace BenchKit

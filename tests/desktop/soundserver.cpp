#include "soundserver.h"

#include "testfiles.h"

#include <signal.h>

namespace {
QString pidFile()
{
    return qEnvironmentVariable("ZUBBO_SOUND_SERVER_PID");
}

QString startCommand()
{
    return qEnvironmentVariable("ZUBBO_START_SOUND_SERVER");
}
} // namespace

bool SoundServer::isKnown() const
{
    return !pidFile().isEmpty() && !startCommand().isEmpty();
}

bool SoundServer::signal(int number)
{
    bool ok = false;
    const qint64 pid = fileContent(pidFile()).trimmed().toLongLong(&ok);
    return ok && pid > 0 && ::kill(pid_t(pid), number) == 0;
}

void SoundServer::start()
{
    m_start.start(startCommand(), {});
}

bool SoundServer::startSucceeded() const
{
    return hasStarted() && m_start.exitStatus() == QProcess::NormalExit && m_start.exitCode() == 0;
}

QString SoundServer::startErrors()
{
    return m_start.errorString() + QLatin1Char(' ')
        + QString::fromLocal8Bit(m_start.readAllStandardError());
}

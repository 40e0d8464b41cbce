#pragma once

#include <QProcess>
#include <QString>

#include <csignal>

// The desktop session's sound server (scripts/desktop-session.sh), which a test kills and
// starts again as a crash and a restart of the server would. Starting runs the session's own
// start command in the background, so the window's thread goes on meanwhile.
class SoundServer
{
public:
    // Whether the session names the server's process id file and its start command.
    bool isKnown() const;
    // Kills the running server outright, as a crash would; false if there was none to kill.
    bool kill() { return signal(SIGKILL); }
    // Stops the running server where it stands, as a server that hangs would, and lets it go
    // on again; false if there was none.
    bool pause() { return signal(SIGSTOP); }
    bool resume() { return signal(SIGCONT); }
    void start();
    // The start command has finished: the server answers, unless it failed.
    bool hasStarted() const { return m_start.state() == QProcess::NotRunning; }
    bool startSucceeded() const;
    QString startErrors();

private:
    bool signal(int number);

    QProcess m_start;
};

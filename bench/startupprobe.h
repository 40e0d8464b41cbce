#pragma once

#include <QObject>
#include <QString>

class QWidget;

// Times a program's start-up: created first thing in main(), told when the main window
// is built, it watches the window's central area and reports, once that area's first
// frame has been painted, the times from process launch to main(), to the built window
// and to the end of the first frame; then, after the deferred start-up work has had
// its turn, the peak resident memory; and it quits the program.
class StartupProbe : public QObject
{
    Q_OBJECT
public:
    // `who` names the program in the figures ("game", "baseline"); `goals` adds the
    // game's goals to its figures.
    StartupProbe(const QString &who, bool goals);

    void windowBuilt();
    void watch(QWidget *area);

private:
    void firstFrame();
    QString figure(const QString &what) const;

    QString m_who;
    bool m_goals;
    double m_mainMs;
    double m_builtMs = 0;
    bool m_seen = false;
};

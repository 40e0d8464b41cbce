#pragma once

#include <QList>
#include <QObject>

// Timestamps every tick of a timer as it is delivered, before the timer's own handlers
// run, so the handlers' work does not move the stamps. A tick arrives as a timer event or,
// from the beat's fine clock, as the activation of its socket notifier, to the timer or to
// the object inside it that waits for it.
class TickLog : public QObject
{
    Q_OBJECT
public:
    explicit TickLog(QObject *timer);

    // How far the intervals between the logged ticks strayed from `nominalMs`, skipping
    // the first `skip` intervals: the mean and the worst absolute error in ms.
    struct Error
    {
        double mean = 0;
        double worst = 0;
    };
    Error error(int nominalMs, int skip) const;

signals:
    void ticked(int count);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<qint64> m_ticks;
};

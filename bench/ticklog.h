#pragma once

#include <QList>
#include <QObject>

// Timestamps the ticks of a timer, through stamp() connected to its timeout ahead of the
// timer's other handlers, so that their work does not move the stamps (bench/poplog.h).
class TickLog : public QObject
{
    Q_OBJECT
public:
    explicit TickLog(QObject *parent);

    void stamp();

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

private:
    QList<qint64> m_ticks;
};

#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

class QWidget;

// Tells when an object receives an event of one type, before the object handles it.
// Paint events are the exception: a widget paints inside the window's backing-store sync,
// which paints every dirty widget and then flushes the picture to the display server in
// one go; for them the watch reports the end of that sync, the end of the painted frame,
// through a call queued from the paint event.
class EventWatch : public QObject
{
    Q_OBJECT
public:
    EventWatch(QObject *target, QEvent::Type type);

signals:
    // `ns` is steadyClockNs() at that moment.
    void seen(qint64 ns);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QEvent::Type m_type;
    bool m_paintPending = false;
};

// Runs `then` once the first frame of `area` has been painted and `settleMs` more have
// passed, so that the work a program defers until its window shows has run.
void afterFirstFrame(QWidget *area, int settleMs, const std::function<void()> &then);

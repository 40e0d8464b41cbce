#include "eventwatch.h"

#include "steadyclock.h"

#include <QTimer>
#include <QWidget>

EventWatch::EventWatch(QObject *target, QEvent::Type type) : QObject(target), m_type(type)
{
    target->installEventFilter(this);
}

bool EventWatch::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != m_type)
        return false;
    if (m_type != QEvent::Paint) {
        emit seen(steadyClockNs());
    } else if (!m_paintPending) {
        m_paintPending = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_paintPending = false;
                emit seen(steadyClockNs());
            },
            Qt::QueuedConnection);
    }
    return false;
}

void afterFirstFrame(QWidget *area, int settleMs, const std::function<void()> &then)
{
    auto *watch = new EventWatch(area, QEvent::Paint);
    QObject::connect(
        watch, &EventWatch::seen, watch,
        [watch, settleMs, then] {
            watch->deleteLater();
            QTimer::singleShot(settleMs, then);
        },
        Qt::SingleShotConnection);
}

#include "picturecontrol.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTouchEvent>

PictureControl::PictureControl(const QString &name, int index, QWidget *parent)
    : QWidget(parent), m_index(index)
{
    setObjectName(index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index));
    setAttribute(Qt::WA_AcceptTouchEvents);
}

// Every finger that lands here is a press of its own and its lifting a release, whatever
// the other fingers do; Qt keeps sending a finger's points to the control it landed on.
bool PictureControl::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
        for (const QEventPoint &point : static_cast<QTouchEvent *>(event)->points()) {
            if (point.state() == QEventPoint::Pressed)
                emit pressed(m_index);
            else if (point.state() == QEventPoint::Released)
                emit released(m_index);
        }
        event->accept();
        return true;
    case QEvent::TouchCancel:
        emit released(m_index);
        return true;
    default:
        return QWidget::event(event);
    }
}

void PictureControl::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void PictureControl::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(rect(), m_picture);
}

void PictureControl::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    emit pressed(m_index);
}

void PictureControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit released(m_index);
}

// The second press of a double-click strikes nothing: Qt would otherwise deliver it as a
// press. Accepting it keeps it from reaching the board behind; its release stays ordinary.
void PictureControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

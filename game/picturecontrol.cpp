#include "picturecontrol.h"

#include <QMouseEvent>
#include <QPainter>

PictureControl::PictureControl(const QString &name, int index, QWidget *parent)
    : QWidget(parent), m_index(index)
{
    setObjectName(index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index));
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

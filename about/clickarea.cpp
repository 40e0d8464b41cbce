#include "clickarea.h"

#include <QMouseEvent>

ClickArea::ClickArea(const QString &name, QWidget *parent) : QWidget(parent)
{
    setObjectName(name);
}

// Accepting the press keeps it from reaching the window or anything behind the area, and
// makes the area the receiver of the matching release.
void ClickArea::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void ClickArea::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

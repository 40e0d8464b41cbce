#pragma once

#include <QCursor>
#include <QImage>
#include <QPixmap>

// Two pointers drawn from pictures that look the same and have the same hot spot.
inline bool samePointer(const QCursor &a, const QCursor &b)
{
    return a.shape() == Qt::BitmapCursor && b.shape() == Qt::BitmapCursor
        && a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
}

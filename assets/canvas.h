#pragma once

#include <QImage>
#include <QSize>

namespace Artwork {

// A cleared image of logical size `logical` at `dpr` device pixels per logical pixel:
// transparent, or black for an opaque format. A QPainter opened on it draws in logical
// coordinates.
QImage blankCanvas(QSize logical, qreal dpr,
                   QImage::Format format = QImage::Format_ARGB32_Premultiplied);

}

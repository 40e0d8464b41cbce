#include "canvas.h"

#include <QtMath>

namespace Artwork {

QImage blankCanvas(QSize logical, qreal dpr, QImage::Format format)
{
    QImage image(qCeil(logical.width() * dpr), qCeil(logical.height() * dpr), format);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(dpr);
    return image;
}

}

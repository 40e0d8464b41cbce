#include "boardpicture.h"

#include "artwork.h"
#include "boardlayout.h"

#include <QImage>
#include <QResource>

QPixmap boardPicture(qreal dpr)
{
    const QResource built(QStringLiteral(":/zubbo/board.rgb32"));
    const QSize size = BoardLayout::WallSize;
    if (dpr != 1.0 || built.compressionAlgorithm() != QResource::NoCompression
        || built.size() != qint64(size.width()) * size.height() * 4)
        return Artwork::board(dpr);
    // The image borrows the resource's bytes; the pixmap takes its own copy.
    return QPixmap::fromImage(
        QImage(built.data(), size.width(), size.height(), QImage::Format_RGB32));
}

#include "artwork.h"
#include "canvas.h"

#include <QPainter>

#include <array>

namespace Artwork {

namespace {

// At 16 pixels smooth ovals blur into grey, so the small icon is set pixel by pixel:
// '#' black, 'o' white, '.' transparent.
constexpr std::array<const char *, 16> SmallEyes{
    "..####....####..",
    ".#oooo#..#oooo#.",
    "#oooooo##oooooo#",
    "#oooooo##oooooo#",
    "#oooooo##oooooo#",
    "#oooooo##oooooo#",
    "#oooooo##oooooo#",
    "#oooooo##oooooo#",
    "#oo##oo##oo##oo#",
    "#o####o##o####o#",
    "#o####o##o####o#",
    "#o####o##o####o#",
    "#oo##oo##oo##oo#",
    ".#oooo#..#oooo#.",
    "..####....####..",
    "................",
};

constexpr int LargeDesign = 32;
constexpr QRectF LargeLeftEye(1.5, 1.5, 14, 28);
constexpr QRectF LargeRightEye(16.5, 1.5, 14, 28);

QPixmap smallEyes()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const char cell = SmallEyes[y][x];
            image.setPixel(x, y, cell == '#' ? qRgb(0, 0, 0) : cell == 'o' ? qRgb(255, 255, 255) : qRgba(0, 0, 0, 0));
        }
    return QPixmap::fromImage(image);
}

void paintLargeEye(QPainter &painter, const QRectF &eye)
{
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(eye);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPointF(eye.center().x(), eye.bottom() - 8.5), 4.2, 5.5);
}

// The 32-pixel design, drawn at `size` pixels so the 64-pixel icon is crisp too.
QPixmap largeEyes(int size)
{
    QImage image = blankCanvas(QSize(size, size), 1.0);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(static_cast<qreal>(size) / LargeDesign, static_cast<qreal>(size) / LargeDesign);
    paintLargeEye(painter, LargeLeftEye);
    paintLargeEye(painter, LargeRightEye);
    painter.end();
    return QPixmap::fromImage(image);
}

}

QIcon eyesIcon()
{
    QIcon icon;
    icon.addPixmap(smallEyes());
    icon.addPixmap(largeEyes(32));
    icon.addPixmap(largeEyes(64));
    return icon;
}

}

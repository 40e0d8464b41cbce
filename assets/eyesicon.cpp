#include "artwork.h"
#include "canvas.h"

#include <QPainter>

#include <array>

namespace Artwork {

namespace {

constexpr int SmallDesign = 16;
constexpr int LargeDesign = 32;

// At 16 pixels smooth ovals blur into grey, so the small icon is set pixel by pixel:
// '#' black, 'o' white, '.' transparent.
constexpr std::array<const char *, SmallDesign> SmallEyes{
    "..####....####..", ".#oooo#..#oooo#.", "#oooooo##oooooo#", "#oooooo##oooooo#",
    "#oooooo##oooooo#", "#oooooo##oooooo#", "#oooooo##oooooo#", "#oooooo##oooooo#",
    "#oo##oo##oo##oo#", "#o####o##o####o#", "#o####o##o####o#", "#o####o##o####o#",
    "#oo##oo##oo##oo#", ".#oooo#..#oooo#.", "..####....####..", "................",
};

constexpr QRectF LargeLeftEye(1.5, 1.5, 14, 28);
constexpr QRectF LargeRightEye(16.5, 1.5, 14, 28);

QImage smallEyes()
{
    QImage image(SmallDesign, SmallDesign, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const char cell = SmallEyes[y][x];
            image.setPixel(x, y,
                           cell == '#'       ? qRgb(0, 0, 0)
                               : cell == 'o' ? qRgb(255, 255, 255)
                                             : qRgba(0, 0, 0, 0));
        }
    return image;
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

}

void drawEyes(QPainter &painter, qreal size)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / LargeDesign, size / LargeDesign);
    paintLargeEye(painter, LargeLeftEye);
    paintLargeEye(painter, LargeRightEye);
    painter.restore();
}

QImage eyesImage(int size)
{
    if (size == SmallDesign)
        return smallEyes();
    QImage image = blankCanvas(QSize(size, size), 1.0);
    QPainter painter(&image);
    drawEyes(painter, size);
    return image;
}

QIcon eyesIcon()
{
    QIcon icon;
    for (const int size : {SmallDesign, LargeDesign, 2 * LargeDesign})
        icon.addPixmap(QPixmap::fromImage(eyesImage(size)));
    return icon;
}

}

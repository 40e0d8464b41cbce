#include "artwork.h"
#include "boardlayout.h"
#include "canvas.h"

#include <QGuiApplication>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace Artwork {

namespace {

// The pointers are masked black-and-white pictures, so they are drawn without
// antialiasing: every pixel is black, white or fully transparent. At a higher pixel
// ratio the same shapes land on the finer grid.
using BoardLayout::HammerSize;
constexpr qreal HandleWidth = 4.0;

struct Ellipse
{
    QPointF centre;
    qreal radiusX, radiusY;
};

// The point of `e` furthest out in the direction (nx, ny).
QPointF support(const Ellipse &e, qreal nx, qreal ny)
{
    const qreal k = std::hypot(e.radiusX * nx, e.radiusY * ny);
    return e.centre + QPointF(e.radiusX * e.radiusX * nx, e.radiusY * e.radiusY * ny) / k;
}

// A solid black cylinder: both end ellipses joined by their outer tangents.
void paintCylinder(QPainter &painter, const Ellipse &from, const Ellipse &to)
{
    const QPointF axis = to.centre - from.centre;
    const qreal length = std::hypot(axis.x(), axis.y());
    const qreal nx = -axis.y() / length;
    const qreal ny = axis.x() / length;
    QPainterPath side;
    side.addPolygon(QPolygonF{support(from, nx, ny), support(to, nx, ny), support(to, -nx, -ny),
                              support(from, -nx, -ny)});
    QPainterPath fromEnd;
    fromEnd.addEllipse(from.centre, from.radiusX, from.radiusY);
    QPainterPath toEnd;
    toEnd.addEllipse(to.centre, to.radiusX, to.radiusY);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPath(side.united(fromEnd).united(toEnd));
}

void paintFace(QPainter &painter, const Ellipse &face)
{
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::white);
    painter.drawEllipse(face.centre, face.radiusX, face.radiusY);
}

// A white stick with a black outline and rounded ends: a wide black stroke with a
// narrower white one on top.
void paintHandle(QPainter &painter, const QLineF &handle, qreal width)
{
    painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handle);
    painter.setPen(QPen(Qt::white, width - 2.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handle);
}

// A mallet on a transparent pointer canvas: its handle, then the head as a cylinder between
// two ends, then the white striking face on top; hard edges, as a pointer needs.
QPixmap drawHammer(qreal dpr, const QLineF &handle, const Ellipse &headFrom, const Ellipse &headTo,
                   const Ellipse &face)
{
    QImage image = blankCanvas(HammerSize, dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintHandle(painter, handle, HandleWidth);
    paintCylinder(painter, headFrom, headTo);
    paintFace(painter, face);
    painter.end();
    return QPixmap::fromImage(image);
}

}

QPixmap raisedHammer(qreal dpr)
{
    constexpr Ellipse Face{{12.0, 9.5}, 7.0, 6.0};
    constexpr Ellipse Back{{8.5, 16.5}, 7.0, 6.0};
    return drawHammer(dpr, QLineF(13.5, 19.5, 28.5, 29.0), Back, Face, Face);
}

QPixmap strikingHammer(qreal dpr)
{
    constexpr Ellipse Top{{9.5, 5.5}, 7.0, 3.0};
    constexpr Ellipse Bottom{{9.5, 20.5}, 4.5, 2.0};
    return drawHammer(dpr, QLineF(13.0, 13.0, 26.0, 12.0), Top, Bottom, Top);
}

qreal pointerRatio(qreal windowRatio, QStringView platformName)
{
    return platformName == QLatin1String("xcb") ? windowRatio : std::ceil(windowRatio);
}

QPoint hammerHotSpot(qreal dpr, QStringView platformName)
{
    // Qt's X11 platform sends the picture at its raw size and the hot spot as given; on
    // Wayland the compositor scales the picture by its pixel ratio, and Qt passes the hot
    // spot on as the surface's logical position.
    const qreal scale = platformName == QLatin1String("xcb") ? dpr : 1.0;
    return {qRound(HammerHotSpot.x() * scale), qRound(HammerHotSpot.y() * scale)};
}

QCursor pointer(const QPixmap &hammer)
{
    const QPoint hotSpot = hammerHotSpot(hammer.devicePixelRatio(),
                                         QGuiApplication::platformName());
    return QCursor(hammer, hotSpot.x(), hotSpot.y());
}

}

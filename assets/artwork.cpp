#include "artwork.h"
#include "boardlayout.h"
#include "canvas.h"
#include "valuenoise.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace Artwork {

namespace {

using BoardLayout::PanelSize;
constexpr QRectF PanelPill(6, 3, 116, 46);
constexpr qreal PanelRimWidth = 2.5;
constexpr QColor PanelColour(57, 57, 57);

using BoardLayout::TargetSize;
// Each eye stays well inside the fireball disc, wherever the hit picture sits on its target.
constexpr QRectF LeftEye(10.5, 9, 19, 36);
constexpr QRectF RightEye(30.5, 9, 19, 36);
constexpr qreal PupilRadiusX = 7.0;
constexpr qreal PupilRadiusY = 10.0;
constexpr qreal PupilGap = 2.0; // white below the pupil, so it reads on a black hole

using BoardLayout::HitSize;
constexpr float FireballRadius = 26.5f;
constexpr float MottleCoarse = 4.5f; // sizes of the fireball's blotches, in logical pixels
constexpr float MottleFine = 1.8f;

struct ColourStop
{
    float at;
    float r, g, b;
};

// Fireball colours from the centre out: a hot yellow core through orange and red to a
// dark red-brown rim.
constexpr std::array<ColourStop, 5> FireStops{{
    {0.00f, 255, 236, 120},
    {0.22f, 247, 206, 16},
    {0.50f, 244, 132, 12},
    {0.76f, 200, 44, 14},
    {1.00f, 82, 16, 16},
}};

void paintEye(QPainter &painter, const QRectF &eye)
{
    QRadialGradient white(eye.center() - QPointF(eye.width() * 0.15, eye.height() * 0.2),
                          eye.height() * 0.62);
    white.setColorAt(0.0, Qt::white);
    white.setColorAt(0.75, QColor(250, 250, 250));
    white.setColorAt(1.0, QColor(214, 216, 226));
    painter.setPen(Qt::NoPen);
    painter.setBrush(white);
    painter.drawEllipse(eye);

    const QPointF pupil(eye.center().x(), eye.bottom() - PupilGap - PupilRadiusY);
    painter.setBrush(Qt::black);
    painter.drawEllipse(pupil, PupilRadiusX, PupilRadiusY);
    painter.setBrush(Qt::white);
    painter.drawEllipse(pupil + QPointF(-2.4, -3.6), 1.7, 2.0);
}

QRgb fireColour(float t, float alpha)
{
    t = std::clamp(t, 0.0f, 1.0f);
    auto upper = std::find_if(FireStops.begin(), FireStops.end(),
                              [t](const ColourStop &s) { return s.at >= t; });
    if (upper == FireStops.begin())
        ++upper;
    const ColourStop &a = *(upper - 1);
    const ColourStop &b = *upper;
    const float f = (t - a.at) / (b.at - a.at);
    auto channel = [&](float from, float to) {
        return static_cast<int>((from + (to - from) * f) * alpha + 0.5f);
    };
    return qRgba(channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b),
                 static_cast<int>(alpha * 255 + 0.5f));
}

}

QPixmap panel(qreal dpr)
{
    QImage image = blankCanvas(PanelSize, dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // A rim lit on the upper left and shaded on the lower right, with the flat face inset.
    QLinearGradient rim(PanelPill.topLeft(), PanelPill.bottomRight());
    rim.setColorAt(0.0, QColor(118, 118, 118));
    rim.setColorAt(0.45, QColor(78, 78, 78));
    rim.setColorAt(1.0, QColor(28, 28, 28));
    painter.setBrush(rim);
    const qreal radius = PanelPill.height() / 2;
    painter.drawRoundedRect(PanelPill, radius, radius);

    const QRectF face = PanelPill.adjusted(PanelRimWidth, PanelRimWidth, -PanelRimWidth * 0.6,
                                           -PanelRimWidth * 0.6);
    painter.setBrush(PanelColour);
    painter.drawRoundedRect(face, face.height() / 2, face.height() / 2);
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap target(qreal dpr)
{
    QImage image = blankCanvas(TargetSize, dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintEye(painter, LeftEye);
    paintEye(painter, RightEye);
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap hit(qreal dpr)
{
    QImage image = blankCanvas(HitSize, dpr);
    const float scale = 1.0f / static_cast<float>(dpr);
    const float centre = HitSize.width() / 2.0f;
    const ValueNoise coarse(16, 16, 5);
    const ValueNoise fine(36, 36, 7);
    std::vector<float> coarseRow(image.width());
    std::vector<float> fineRow(image.width());
    for (int y = 0; y < image.height(); ++y) {
        const float ly = (y + 0.5f) * scale;
        coarse.sampleRow(ly / MottleCoarse, 0.5f * scale / MottleCoarse, scale / MottleCoarse,
                         coarseRow);
        fine.sampleRow(ly / MottleFine, 0.5f * scale / MottleFine, scale / MottleFine, fineRow);
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const float distance = std::hypot((x + 0.5f) * scale - centre, ly - centre);
            const float coverage = std::clamp((FireballRadius - distance) / scale + 0.5f, 0.0f,
                                              1.0f);
            if (coverage <= 0.0f)
                continue;
            const float mottle = 0.65f * coarseRow[x] + 0.35f * fineRow[x];
            line[x] = fireColour(std::pow(distance / FireballRadius, 1.3f)
                                     + (mottle - 0.5f) * 0.42f,
                                 coverage);
        }
    }
    return QPixmap::fromImage(image);
}

}

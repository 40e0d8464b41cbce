#include "aboutart.h"
#include "canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace Artwork {

namespace {

constexpr QSize IconSize(32, 32);
constexpr QColor Parchment(244, 230, 190);
constexpr QColor ParchmentShade(200, 172, 118);
constexpr QColor Ink(120, 92, 60);
constexpr QColor BoneLight(214, 214, 210);
constexpr QColor BoneDark(128, 128, 126);
constexpr QColor BoneOutline(58, 58, 60);

constexpr QSize LogoSize(120, 56);
constexpr QRectF LogoBand(0, 30, 120, 26);
constexpr QColor LogoInk(30, 30, 40);
constexpr QColor LogoRed(198, 28, 36);
const QString LogoFamily = QStringLiteral("Arial");

void paintScroll(QPainter &painter)
{
    // The unrolled sheet, its curled left edge and the roll still wound at the right.
    painter.setPen(QPen(ParchmentShade.darker(130), 0.8));
    painter.setBrush(Parchment);
    QPainterPath sheet;
    sheet.moveTo(4, 21);
    sheet.lineTo(26, 20);
    sheet.lineTo(26, 29);
    sheet.lineTo(4, 30);
    sheet.quadTo(1.5, 28, 3, 26);
    sheet.quadTo(4.5, 24, 2.5, 22.5);
    sheet.closeSubpath();
    painter.drawPath(sheet);

    painter.setPen(QPen(Ink, 0.8));
    for (qreal y : {25.0, 27.3})
        painter.drawLine(QPointF(6, y), QPointF(23, y - 0.5));

    QLinearGradient roll(QPointF(24, 0), QPointF(31, 0));
    roll.setColorAt(0.0, ParchmentShade);
    roll.setColorAt(0.45, Parchment.lighter(106));
    roll.setColorAt(1.0, ParchmentShade.darker(115));
    painter.setPen(QPen(ParchmentShade.darker(140), 0.8));
    painter.setBrush(roll);
    painter.drawRoundedRect(QRectF(24.5, 18.5, 6, 12), 3, 2);
    painter.setBrush(ParchmentShade);
    painter.drawEllipse(QRectF(25.5, 18.5, 4, 2.2));
}

void paintSkull(QPainter &painter)
{
    QPainterPath head;
    head.addEllipse(QRectF(6.5, 1.5, 19, 17));
    head.addRoundedRect(QRectF(10, 12, 12, 10.5), 3.5, 3.5);
    head = head.simplified();

    QRadialGradient bone(QPointF(12, 6), 18);
    bone.setColorAt(0.0, BoneLight.lighter(110));
    bone.setColorAt(0.6, BoneLight);
    bone.setColorAt(1.0, BoneDark);
    painter.setPen(QPen(BoneOutline, 1.0));
    painter.setBrush(bone);
    painter.drawPath(head);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 28, 24));
    for (qreal x : {12.0, 20.0})
        painter.drawEllipse(QPointF(x, 11.5), 3.4, 3.0);
    QPainterPath nose;
    nose.moveTo(16, 14.5);
    nose.lineTo(14.6, 17.3);
    nose.lineTo(17.4, 17.3);
    nose.closeSubpath();
    painter.drawPath(nose);

    // The eyes glow: a bright core fading out into a green halo over the sockets.
    for (qreal x : {12.0, 20.0}) {
        QRadialGradient glow(QPointF(x, 11.8), 3.6);
        glow.setColorAt(0.0, QColor(235, 255, 210));
        glow.setColorAt(0.22, QColor(120, 255, 90));
        glow.setColorAt(0.55, QColor(30, 200, 40, 170));
        glow.setColorAt(1.0, QColor(30, 200, 40, 0));
        painter.setBrush(glow);
        painter.drawEllipse(QPointF(x, 11.8), 3.6, 3.6);
    }

    painter.setPen(QPen(BoneOutline, 0.8));
    for (qreal x : {13.5, 16.0, 18.5})
        painter.drawLine(QPointF(x, 19.2), QPointF(x, 22));
}

}

QPixmap aboutIcon(qreal dpr)
{
    QImage image = blankCanvas(IconSize, dpr);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintScroll(painter);
    paintSkull(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

QPixmap logo(qreal dpr)
{
    QImage image = blankCanvas(LogoSize, dpr);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QFont capitals(LogoFamily);
    capitals.setBold(true);
    capitals.setPixelSize(27);
    capitals.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    painter.setFont(capitals);
    painter.setPen(LogoInk);
    painter.drawText(QRectF(0, 0, LogoSize.width(), LogoBand.top()), Qt::AlignCenter,
                     QStringLiteral("TINKER"));

    painter.fillRect(LogoBand, LogoRed);
    QFont lowerCase(LogoFamily);
    lowerCase.setBold(true);
    lowerCase.setPixelSize(22);
    painter.setFont(lowerCase);
    painter.setPen(Qt::white);
    painter.drawText(LogoBand.adjusted(0, -2, 0, 0), Qt::AlignCenter, QStringLiteral("quarters"));
    painter.end();
    return QPixmap::fromImage(image);
}

}

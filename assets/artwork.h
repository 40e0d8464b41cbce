#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QStringView>

class QPainter;

// The main window's pictures and pointers, drawn in code. Every picture is rendered at
// its logical size times `dpr` device pixels and carries that device pixel ratio, so it
// stays crisp on high-density screens. The drawings are deterministic.
namespace Artwork {

// Where the hammer pointers strike, in logical pixels of the 32 x 32 pointer.
constexpr QPoint HammerHotSpot{9, 19};

QPixmap board(qreal dpr = 1.0);          // 400 x 400, opaque wall with eleven holes
QPixmap panel(qreal dpr = 1.0);          // 127 x 52, dark pill behind the score and time
QPixmap target(qreal dpr = 1.0);         // 60 x 52, cartoon eyes looking down
QPixmap hit(qreal dpr = 1.0);            // 60 x 60, fireball disc
QPixmap raisedHammer(qreal dpr = 1.0);   // 32 x 32, black, white and transparent only
QPixmap strikingHammer(qreal dpr = 1.0); // 32 x 32, black, white and transparent only

// The device pixel ratio to draw the pointers at for a window of `windowRatio`, as the
// platform shows a pointer's picture: X11 (xcb) at its own pixels, Wayland at a whole buffer
// scale only, so there a fractional ratio is drawn at the next whole one, which the
// compositor scales down to the output, at the pointer's logical size.
qreal pointerRatio(qreal windowRatio, QStringView platformName);
// A pointer showing `hammer`, with its hot spot as the running platform reads it.
QCursor pointer(const QPixmap &hammer);
// HammerHotSpot for a picture of `dpr` device pixels per logical one, in the units the
// platform reads a pointer's hot spot in: X11 (xcb) takes device pixels, every other
// platform (Wayland) device-independent ones.
QPoint hammerHotSpot(qreal dpr, QStringView platformName);

// The window icon: cartoon eyes at 16, 32 and 64 pixels.
QIcon eyesIcon();
// The eyes as a size x size picture: at 16 pixels set pixel by pixel, at any other size the
// 32-pixel design drawn at that size, so that larger icons are crisp too.
QImage eyesImage(int size);
// Draws the 32-pixel design of the eyes into the square (0, 0, size, size): the drawing of
// eyesImage, for any paint device (the scalable icon).
void drawEyes(QPainter &painter, qreal size);

}

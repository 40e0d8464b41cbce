#pragma once

#include <QPixmap>

// The About window's pictures, drawn in code like the main window's artwork.
namespace Artwork {

QPixmap aboutIcon(qreal dpr = 1.0); // 32 x 32, a skull-like head resting on a scroll
QPixmap logo(qreal dpr = 1.0);      // 120 x 56, the two-line wordmark

}

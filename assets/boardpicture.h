#pragma once

#include <QPixmap>

// The board's wall for a screen of device pixel ratio `dpr`: at 1, the picture the build drew
// with Artwork::board() (zubbo_makeboard), read from the program's resources without drawing
// or decoding; at any other ratio, drawn now.
QPixmap boardPicture(qreal dpr);

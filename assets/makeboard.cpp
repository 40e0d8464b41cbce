// Build-time tool: writes the board's wall, drawn at one device pixel per pixel, as its raw
// pixels (QImage::Format_RGB32, rows without padding) into the file given, so that the
// game's first frame need not wait for the drawing (boardpicture.h).

#include "artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <iostream>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: zubbo_makeboard FILE\n";
        return 2;
    }
    // Pixmaps need an application; the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage image = Artwork::board().toImage().convertToFormat(QImage::Format_RGB32);
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes())
            != image.sizeInBytes()) {
        std::cerr << "zubbo_makeboard: cannot write " << argv[1] << '\n';
        return 1;
    }
    return 0;
}

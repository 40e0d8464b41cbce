// Build-time tool: writes the game's icon, the window's eyes, into an icon theme folder:
// FOLDER/hicolor/SxS/apps/NAME.png for every size S given, and the scalable drawing as
// FOLDER/hicolor/scalable/apps/NAME.svg.

#include "artwork.h"

#include <QDir>
#include <QPainter>
#include <QSvgGenerator>

#include <iostream>

namespace {

constexpr int ScalableDesign = 32;

// The icon's file in the theme's folder of one size, which is made if missing.
QString iconFile(const QString &theme, const QString &sizeName, const QString &fileName)
{
    const QDir folder(theme + QStringLiteral("/hicolor/") + sizeName + QStringLiteral("/apps"));
    folder.mkpath(QStringLiteral("."));
    return folder.filePath(fileName);
}

bool writeScalable(const QString &path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(ScalableDesign, ScalableDesign));
    svg.setViewBox(QRect(0, 0, ScalableDesign, ScalableDesign));
    svg.setTitle(QStringLiteral("Zubbo!"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    Artwork::drawEyes(painter, ScalableDesign);
    return painter.end();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::cerr << "usage: zubbo_makeicons FOLDER NAME SIZE...\n";
        return 2;
    }
    const QString theme = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString sizeName = QStringLiteral("%1x%1").arg(size);
        if (size <= 0
            || !Artwork::eyesImage(size).save(
                iconFile(theme, sizeName, name + QStringLiteral(".png")))) {
            std::cerr << "zubbo_makeicons: cannot write the " << argv[i] << " pixel icon\n";
            return 1;
        }
    }
    if (!writeScalable(
            iconFile(theme, QStringLiteral("scalable"), name + QStringLiteral(".svg")))) {
        std::cerr << "zubbo_makeicons: cannot write the scalable icon\n";
        return 1;
    }
    return 0;
}

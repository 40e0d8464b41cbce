#include "artwork.h"
#include "frmzub.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zubbo!"));
    QApplication::setWindowIcon(Artwork::eyesIcon());
    frmZUB window(QCoreApplication::applicationDirPath());
    window.show();
    return QApplication::exec();
}

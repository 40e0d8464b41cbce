// Start-up of the game as the player starts it: from process launch to the end of the
// first painted frame of the main window with its board, then the peak memory.
#include "artwork.h"
#include "frmzub.h"
#include "startupprobe.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    StartupProbe probe(QStringLiteral("game"), true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zubbo!"));
    QApplication::setWindowIcon(Artwork::eyesIcon());
    frmZUB window(QCoreApplication::applicationDirPath());
    probe.windowBuilt();
    probe.watch(window.centralWidget());
    window.show();
    return QApplication::exec();
}

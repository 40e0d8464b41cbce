#include "artwork.h"
#include "frmzub.h"
#include "gamefolders.h"
#include "translators.h"
#include "windowdress.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    quietLateRatioNotice();
    QApplication::setApplicationName(QStringLiteral("Zubbo!"));
    // On Wayland the compositor takes the window's icon from the desktop entry of this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZUBBO_APP_ID));
    QApplication::setWindowIcon(Artwork::eyesIcon());
    // Before any window: every control takes its text when it is built.
    installTranslators(app, userUiLanguages());
    frmZUB window(findGameFolders(QCoreApplication::applicationDirPath(), playerDataHome()));
    window.show();
    return QApplication::exec();
}

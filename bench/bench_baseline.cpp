// The least Qt program with the game's kind of window: a main window with a menu bar and
// an empty 400 x 398 area. Its start-up is the yardstick for the game's.
#include "startupprobe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace {
constexpr QSize AreaSize{400, 398};
} // namespace

int main(int argc, char *argv[])
{
    StartupProbe probe(QStringLiteral("baseline"), false);
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("&Start"));
    window.menuBar()->addMenu(QStringLiteral("&Level"));
    auto *area = new QWidget;
    area->setFixedSize(AreaSize);
    window.setCentralWidget(area);
    probe.windowBuilt();
    probe.watch(area);
    window.show();
    return QApplication::exec();
}

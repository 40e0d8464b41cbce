// The least Qt program that does what the board does on every beat: in a main window with a
// menu bar, one 60 x 52 picture is hidden and another shown, on a precise timer at Easy's
// 950 ms. Its CPU share is the yardstick for a round's.
#include "benchkit.h"
#include "eventwatch.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

#include <array>

namespace {
constexpr QSize AreaSize{400, 398};
constexpr QSize PictureSize{60, 52};
constexpr int BeatMs = 950;
constexpr int SettleMs = 1000;
constexpr int MeasureMs = 30000;
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("&Start"));
    auto *area = new QWidget;
    area->setFixedSize(AreaSize);
    window.setCentralWidget(area);
    QPixmap picture(PictureSize);
    picture.fill(Qt::darkRed);
    std::array<QLabel *, 2> pictures{};
    for (int i = 0; i < 2; ++i) {
        pictures[i] = new QLabel(area);
        pictures[i]->setPixmap(picture);
        pictures[i]->setGeometry(QRect(QPoint(50 + 200 * i, 150), PictureSize));
        pictures[i]->hide();
    }

    QTimer beat;
    beat.setTimerType(Qt::PreciseTimer);
    beat.setInterval(BeatMs);
    int shown = 0;
    QObject::connect(&beat, &QTimer::timeout, [&] {
        pictures[shown]->hide();
        shown = 1 - shown;
        pictures[shown]->show();
    });

    double cpuAtStart = 0;
    QElapsedTimer measured;
    window.show();
    afterFirstFrame(area, SettleMs, [&] {
        cpuAtStart = BenchKit::cpuSeconds();
        measured.start();
        beat.start();
        QTimer::singleShot(MeasureMs, [&] {
            const double seconds = measured.nsecsElapsed() / 1e9;
            BenchKit::printFigure(QStringLiteral("Beat baseline: CPU share of one core (%)"),
                                  100 * (BenchKit::cpuSeconds() - cpuAtStart) / seconds);
            QCoreApplication::quit();
        });
    });
    return QApplication::exec();
}

// The game natively on Wayland: a headless sway compositor, the player's pointer and keyboard
// on its seat, and screenshots of its output, at output scales 1, 1.5 and 2. It guards what
// differs from X11: the window placed by the compositor and known by its app id, the pointers
// sent as pictures that the compositor scales, with the hot spot on the hammer's face, the
// board and the pointers drawn for the window's own scale, also once it moves to an output of
// another scale, and the dialogs opening over the board. Run it inside
// scripts/wayland-session.sh.
#include "artwork.h"
#include "desktoptest.h"
#include "frmzub.h"
#include "modaldriver.h"
#include "picturecontrol.h"
#include "waylanddesktop.h"
#include "windowdress.h"

#include <QComboBox>
#include <QDebug>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QVersionNumber>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>

using namespace DesktopTest;

namespace {
constexpr QPoint BareWall(200, 140); // on the board, away from the holes and panels
constexpr QPoint Parking(1, 1);      // on the output, away from every window
constexpr int FirstHole = 7;
constexpr int PausedMs = 1500;
constexpr int WhiteLevel = 192; // lighter than anything on the wall around BareWall
// Alt+S, the Start item's key, typed on the seat's keyboard.
const QStringList AltS{QStringLiteral("-M"), QStringLiteral("alt"), QStringLiteral("s"),
                       QStringLiteral("-m"), QStringLiteral("alt")};

// Where an image has its white pixels: a hammer's face and handle.
QRect whiteBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 255
                && std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) >= WhiteLevel)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

// Qt's warnings of a window's pixel ratio that changed unannounced, as far as they pass the
// game's own message handling; every message goes on to the test's log.
QStringList lateRatioNotices;
QtMessageHandler testLog = nullptr;

void recordLateRatioNotice(QtMsgType type, const QMessageLogContext &context,
                           const QString &message)
{
    if (message.contains(QLatin1String("device pixel ratio value was stale")))
        lateRatioNotices.append(message);
    testLog(type, context, message);
}
} // namespace

class TestWayland : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void theProgramIsKnownByItsId();
    void boardAndHammers_data();
    void boardAndHammers();
    void roundAndDialogs();

private:
    void openGame(qreal scale);
    QString notShownAtScale();
    QPoint onScreen(const QWidget *widget, const QPoint &point) const;
    QRect onScreen(const QWidget *widget) const
    {
        return {onScreen(widget, {0, 0}), widget->size()};
    }
    bool showsAsDrawn(const QWidget *widget) const;
    bool showsHammer(const QPixmap &hammer, const QPoint &at) const;
    QString overTheBoard(const QWidget *dialog) const;
    void openFromBar(const char *menuName, const char *itemKey,
                     const std::function<void(QWidget *)> &handle);

    WaylandDesktop m_desktop;
    qreal m_scale = 1;
    QString m_secondOutput;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<frmZUB> m_window;
    ModalWait m_modal;
};

void TestWayland::initTestCase()
{
    QVERIFY2(m_desktop.isReady(), "no compositor: run the suite inside scripts/wayland-session.sh");
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    // The windows under test are known to the compositor as the game's are.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZUBBO_APP_ID));
    // Qt's messages take the way they take in the program.
    testLog = qInstallMessageHandler(recordLateRatioNotice);
    quietLateRatioNotice();
}

void TestWayland::cleanup()
{
    m_modal.cancel();
    m_window.reset();
    m_folder.reset();
    if (!m_secondOutput.isEmpty())
        m_desktop.removeOutput(std::exchange(m_secondOutput, QString()));
    // The next test finds its window by the same title: the compositor must be done with this
    // one first.
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop.window(GameTitle).client.isNull(), WindowTimeoutMs);
}

// A game of its own at the given output scale, on a folder of its own, once the compositor
// shows it with the focus, drawn for that scale.
void TestWayland::openGame(qreal scale)
{
    m_scale = scale;
    QVERIFY(m_desktop.setScale(scale));
    // Qt knows the output's new scale before the game is built: the screen has it in whole
    // numbers (a fractional one reaches only the window, once it shows).
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::primaryScreen()->devicePixelRatio(),
                              std::ceil(scale), WindowTimeoutMs);
    QVERIFY(m_desktop.moveTo(Parking));
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_window = std::make_unique<frmZUB>(m_folder->path(), [] { return Noon; });
    m_window->show();
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop.window(GameTitle).focused, WindowTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(notShownAtScale(), QString(), WindowTimeoutMs);
}

// Nothing when the window has the output's scale as its pixel ratio, its board and the
// pictures on it are drawn for that ratio, and the output shows the window pixel for pixel as
// it draws itself; else what is amiss. At a scale of halves that takes a window corner on a
// whole device pixel, an even logical one, or the compositor resamples the window: a window
// elsewhere is moved there first, and again where the compositor places it anew as it settles.
QString TestWayland::notShownAtScale()
{
    const QPoint corner = m_desktop.window(GameTitle).client.topLeft();
    if (m_scale != std::floor(m_scale) && (corner.x() % 2 != 0 || corner.y() % 2 != 0)) {
        m_desktop.moveWindow(GameTitle, QPoint(corner.x() % 2, corner.y() % 2));
        return QStringLiteral("corner at %1,%2").arg(corner.x()).arg(corner.y());
    }
    const auto *board = static_cast<QLabel *>(m_window->centralWidget());
    if (m_window->devicePixelRatioF() != m_scale || board->pixmap().devicePixelRatio() != m_scale)
        return QStringLiteral("window at ratio %1, board at %2")
            .arg(m_window->devicePixelRatioF())
            .arg(board->pixmap().devicePixelRatio());
    const auto pictures = board->findChildren<PictureControl *>();
    for (const PictureControl *picture : pictures) {
        // The hammers are the pointers' pictures, which follow the platform's pointer scale.
        if (!picture->objectName().startsWith(QLatin1String("imgHAM"))
            && !picture->picture().isNull() && picture->picture().devicePixelRatio() != m_scale)
            return picture->objectName() + QStringLiteral(" drawn at another ratio");
    }
    return showsAsDrawn(m_window.get()) ? QString() : QStringLiteral("not shown as drawn");
}

// Where a point of a widget lies on the output: the compositor places the window, the window
// its widgets.
QPoint TestWayland::onScreen(const QWidget *widget, const QPoint &point) const
{
    return m_desktop.window(widget->window()->windowTitle()).client.topLeft()
        + widget->mapTo(widget->window(), point);
}

// The widget shows on the output pixel for pixel as the window draws it, at the output's
// scale: not a blurred enlargement of a picture drawn for fewer pixels.
bool TestWayland::showsAsDrawn(const QWidget *widget) const
{
    const QImage drawn = widget->window()
                             ->grab(
                                 QRect(widget->mapTo(widget->window(), QPoint()), widget->size()))
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    const QImage shown = m_desktop.screenshot(onScreen(widget));
    // At a fractional scale a widget may end in part of a device pixel, which the drawing
    // takes in and the screenshot leaves out.
    const QSize partial = drawn.size() - shown.size();
    if (shown.isNull() || partial.width() < 0 || partial.width() > 1 || partial.height() < 0
        || partial.height() > 1)
        return false;
    return shown == drawn.copy(shown.rect());
}

// The output shows `hammer` with its hot spot at `at`: every opaque pixel of the picture,
// at the output's device pixels.
bool TestWayland::showsHammer(const QPixmap &hammer, const QPoint &at) const
{
    const QImage drawn = hammer.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRect area(at - HammerHotSpot, hammer.deviceIndependentSize().toSize());
    const QImage shown = m_desktop.screenshot(area);
    if (shown.size() != drawn.size())
        return false;
    if (m_scale != std::floor(m_scale)) {
        // The compositor scales a pointer drawn at the next whole scale down to this one: its
        // white parts lie where the picture drawn at this scale has them, to a device pixel.
        const QRect expected = whiteBounds(drawn);
        const QRect found = whiteBounds(shown);
        return (found.topLeft() - expected.topLeft()).manhattanLength() <= 2
            && (found.bottomRight() - expected.bottomRight()).manhattanLength() <= 2;
    }
    return showsOpaquePixels(drawn, shown);
}

// Nothing when the compositor shows the dialog with the focus, its middle on the board and
// every pixel as drawn; else what is amiss. Showing in full also means the compositor has
// settled where it puts the dialog.
QString TestWayland::overTheBoard(const QWidget *dialog) const
{
    const ShownWindow shown = m_desktop.window(dialog->windowTitle());
    if (shown.client.isNull())
        return QStringLiteral("no window titled '%1'").arg(dialog->windowTitle());
    const QRect board = onScreen(m_window->centralWidget());
    QString amiss;
    if (!shown.focused || !board.contains(shown.client.center()))
        QDebug(&amiss) << dialog->windowTitle() << "at" << shown.client
                       << "focused:" << shown.focused << "the board at" << board;
    else if (!showsAsDrawn(dialog))
        amiss = QStringLiteral("'%1' does not show as drawn").arg(dialog->windowTitle());
    return amiss;
}

// Opens a menu of the bar with a click and picks an item with its key, as players do; `handle`
// takes the modal window that the item opens.
void TestWayland::openFromBar(const char *menuName, const char *itemKey,
                              const std::function<void(QWidget *)> &handle)
{
    m_modal.expect(handle);
    auto *menu = m_window->findChild<QMenu *>(QLatin1String(menuName));
    QVERIFY(menu);
    QMenuBar *bar = m_window->menuBar();
    QVERIFY(m_desktop.click(onScreen(bar, bar->actionGeometry(menu->menuAction()).center())));
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), WindowTimeoutMs);
    QVERIFY(m_desktop.type({QLatin1String(itemKey)}));
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), WindowTimeoutMs);
}

// The program itself, as a desktop starts it: the compositor knows its window by the id of
// its desktop entry, which gives the window its icon and its name in the desktop's lists.
void TestWayland::theProgramIsKnownByItsId()
{
    QProcess game;
    game.start(besideTheTests(QStringLiteral("zubbo")), {});
    QVERIFY(game.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!m_desktop.window(GameTitle).client.isNull(), WindowTimeoutMs);
    const ShownWindow shown = m_desktop.window(GameTitle);
    game.terminate();
    QVERIFY(game.waitForFinished());
    QCOMPARE(shown.appId, QStringLiteral(ZUBBO_APP_ID));
    QCOMPARE(shown.client.width(), ClientArea.width());
}

void TestWayland::boardAndHammers_data()
{
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<qreal>("movedToScale"); // the scale of an output it moves to, or none
    // The Qt version that first shows the row's case, and what older ones lack.
    QTest::addColumn<QVersionNumber>("since");
    QTest::addColumn<QString>("before");
    QTest::newRow("scale 1") << 1.0 << 0.0 << QVersionNumber(6) << QString();
    QTest::newRow("scale 2") << 2.0 << 0.0 << QVersionNumber(6) << QString();
    QTest::newRow("scale 1.5") << 1.5 << 0.0 << QVersionNumber(6, 5)
                               << QStringLiteral("no fractional-scale protocol; it draws at the "
                                                 "next whole scale, which sway scales down");
    QTest::newRow("moved from scale 1 to 2")
        << 1.0 << 2.0 << QVersionNumber(6, 6)
        << QStringLiteral("the widgets hear nothing of a move between sway's outputs (no "
                          "QWindow::screenChanged) and keep the old ratio");
}

// The window shows the board under the menu bar, drawn at the output's scale, also after a
// move to an output of another scale, and the hammer strikes where it points: the raised
// hammer over the board, the striking one while pressed. No warning of Qt's about a stale
// pixel ratio reaches standard error.
void TestWayland::boardAndHammers()
{
    QFETCH(qreal, scale);
    QFETCH(qreal, movedToScale);
    QFETCH(QVersionNumber, since);
    QFETCH(QString, before);
    if (QLibraryInfo::version() < since)
        QSKIP(qPrintable(QStringLiteral("Qt before %1: %2").arg(since.toString(), before)));
    lateRatioNotices.clear();
    openGame(scale);
    if (QTest::currentTestFailed())
        return;
    if (movedToScale > 0) {
        m_secondOutput = m_desktop.addOutput(movedToScale);
        QVERIFY(!m_secondOutput.isEmpty());
        QVERIFY(m_desktop.moveWindow(GameTitle, m_secondOutput));
        m_scale = movedToScale;
        QTRY_COMPARE_WITH_TIMEOUT(notShownAtScale(), QString(), WindowTimeoutMs);
    }
    QVERIFY2(lateRatioNotices.isEmpty(), qPrintable(lateRatioNotices.join(QLatin1Char('\n'))));
    QWidget *board = m_window->centralWidget();
    const ShownWindow shown = m_desktop.window(GameTitle);
    QCOMPARE(shown.client.size(), ClientArea + QSize(0, m_window->menuBar()->height()));
    QCOMPARE(onScreen(board, {0, 0}) - shown.client.topLeft(),
             QPoint(0, m_window->menuBar()->height()));

    const QPoint aim = onScreen(board, BareWall);
    QVERIFY(m_desktop.moveTo(aim));
    QTRY_VERIFY_WITH_TIMEOUT(showsHammer(Artwork::raisedHammer(m_scale), aim), WindowTimeoutMs);
    QVERIFY(m_desktop.press());
    QTRY_VERIFY_WITH_TIMEOUT(showsHammer(Artwork::strikingHammer(m_scale), aim), WindowTimeoutMs);
    QVERIFY(m_desktop.release());
    QTRY_VERIFY_WITH_TIMEOUT(showsHammer(Artwork::raisedHammer(m_scale), aim), WindowTimeoutMs);
    QCOMPARE(m_window->score(), 0);
}

// One round on Easy at scale 2, started from the keyboard: the first eyes in hole 7, a hit
// with its fireball, a pause, the record dialog over the board taking a typed name, then the
// viewer, How to play and About, each over the board.
void TestWayland::roundAndDialogs()
{
    openGame(2);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_desktop.type(AltS));
    QTRY_VERIFY_WITH_TIMEOUT(m_window->running(), WindowTimeoutMs);
    auto *eyes = m_window->findChild<PictureControl *>(QStringLiteral("ZubIN(%1)").arg(FirstHole));
    QTRY_VERIFY_WITH_TIMEOUT(m_window->currentHole() != 0, WindowTimeoutMs);
    QCOMPARE(m_window->currentHole(), FirstHole);
    QTRY_VERIFY_WITH_TIMEOUT(showsAsDrawn(eyes), WindowTimeoutMs);

    QVERIFY(m_desktop.click(onScreen(eyes, eyes->rect().center())));
    QTRY_COMPARE_WITH_TIMEOUT(m_window->score(), 10, WindowTimeoutMs);
    QVERIFY(m_desktop.moveTo(Parking));
    auto *fireball = m_window->findChild<PictureControl *>(
        QStringLiteral("Explode(%1)").arg(FirstHole));
    QTRY_VERIFY_WITH_TIMEOUT(fireball->isVisible() && showsAsDrawn(fireball), WindowTimeoutMs);

    // P pauses the round and P goes on with it: while paused the output shows the board
    // without the eyes and the message, and the time stands still; then the time goes on.
    QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("p")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_window->paused(), WindowTimeoutMs);
    auto *message = m_window->findChild<QLabel *>(QStringLiteral("lblMESSAGE"));
    QCOMPARE(message->text(), QStringLiteral("P a u s e d"));
    const auto *up = m_window->findChild<PictureControl *>(
        QStringLiteral("ZubIN(%1)").arg(m_window->currentHole()));
    QTRY_VERIFY_WITH_TIMEOUT(!up->isVisible() && showsAsDrawn(m_window->centralWidget()),
                             WindowTimeoutMs);
    auto *time = m_window->findChild<QLabel *>(QStringLiteral("TimeX"));
    const QString shown = time->text();
    QTest::qWait(PausedMs);
    QCOMPARE(time->text(), shown);
    QVERIFY(m_window->paused());
    QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("p")}));
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->paused(), WindowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(time->text() != shown, WindowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(showsAsDrawn(m_window->centralWidget()), WindowTimeoutMs);

    const auto recordName = [this](QWidget *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("frmRECORD"));
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(dialog), QString(), WindowTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isActiveWindow(), WindowTimeoutMs);
        auto *name = dialog->findChild<QComboBox *>(QStringLiteral("txtNAME"));
        QVERIFY(m_desktop.click(onScreen(name->lineEdit(), name->lineEdit()->rect().center())));
        QTRY_VERIFY_WITH_TIMEOUT(name->lineEdit()->hasFocus(), WindowTimeoutMs);
        QVERIFY(m_desktop.type({playerName()}));
        QTRY_COMPARE_WITH_TIMEOUT(name->currentText(), playerName(), WindowTimeoutMs);
        QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("Return")}));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), WindowTimeoutMs);
    };
    m_modal.expect(recordName);
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), RoundTimeoutMs);
    QCOMPARE(fileContent(m_folder->filePath(QStringLiteral("Top_Easy.zub"))),
             (playerName() + QStringLiteral(";10;\r\n")).toLatin1());

    const auto checkViewer = [this](QWidget *viewer) {
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(viewer), QString(), WindowTimeoutMs);
        auto *list = viewer->findChild<QListWidget *>(QStringLiteral("lstEASY"));
        QVERIFY(list && list->count() == 1);
        QCOMPARE(list->item(0)->text(), playerName() + QStringLiteral(":  10"));
        auto *ok = viewer->findChild<QPushButton *>(QStringLiteral("btn"));
        QVERIFY(m_desktop.click(onScreen(ok, ok->rect().center())));
        QTRY_VERIFY_WITH_TIMEOUT(!viewer->isVisible(), WindowTimeoutMs);
    };
    openFromBar("mnuTOP", "e", checkViewer);

    const auto closeHelp = [this](QWidget *box) {
        QVERIFY(qobject_cast<QMessageBox *>(box));
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(box), QString(), WindowTimeoutMs);
        QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("Return")}));
        QTRY_VERIFY_WITH_TIMEOUT(!box->isVisible(), WindowTimeoutMs);
    };
    openFromBar("mnuHELP", "h", closeHelp);

    const auto closeAbout = [this](QWidget *about) {
        QCOMPARE(about->metaObject()->className(), "TQ_About");
        // The compositor places the About window, which has no parent widget, by this tie.
        QCOMPARE(about->windowHandle()->transientParent(), m_window->windowHandle());
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(about), QString(), WindowTimeoutMs);
        QVERIFY(m_desktop.click(onScreen(about, {60, 30})));
        QTRY_VERIFY_WITH_TIMEOUT(!about->isVisible(), WindowTimeoutMs);
    };
    openFromBar("mnuHELP", "a", closeAbout);
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"

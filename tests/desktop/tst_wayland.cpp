// The game natively on Wayland: a headless sway compositor, the player's pointer and keyboard
// on its seat, and screenshots of its output, at output scales 1 and 2. It guards what differs
// from X11: the window placed by the compositor and known by its app id, the pointers sent as
// pictures that the compositor scales, with the hot spot on the hammer's face, the board and
// the pointers drawn at twice the pixels at scale 2, and the dialogs opening over the board.
// Run it inside scripts/wayland-session.sh.
#include "artwork.h"
#include "frmzub.h"
#include "modaldriver.h"
#include "picturecontrol.h"
#include "testfiles.h"
#include "waylanddesktop.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {
constexpr int WindowTimeoutMs = 10000;
constexpr int RoundTimeoutMs = 80000; // Get Ready and 61 countdown ticks, with room
constexpr QSize ClientArea(400, 398);
constexpr QPoint HammerHotSpot(9, 19);
constexpr QPoint BareWall(200, 140); // on the board, away from the holes and panels
constexpr QPoint Parking(1, 1);      // on the output, away from every window
constexpr int FirstHole = 7;
constexpr double Noon = 0.5;
constexpr int PausedMs = 1500;

const QString GameTitle = QStringLiteral("Zubbo!");
const QString PlayerName = QStringLiteral("Wayland Player");
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
    void pauseByTheKey();

private:
    void openGame(int scale);
    QPoint onScreen(const QWidget *widget, const QPoint &point) const;
    QRect onScreen(const QWidget *widget) const
    {
        return {onScreen(widget, {0, 0}), widget->size()};
    }
    bool showsAsDrawn(const QWidget *widget) const;
    bool showsHammer(const QPixmap &hammer, const QPoint &at) const;
    QString overTheBoard(const QWidget *dialog) const;
    void chooseFromBar(const char *menuName, const char *itemKey);

    WaylandDesktop m_desktop;
    int m_scale = 1;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<frmZUB> m_window;
    ModalWait m_modal;
};

void TestWayland::initTestCase()
{
    QVERIFY2(m_desktop.isReady(), "no compositor: run the suite inside scripts/wayland-session.sh");
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    // The windows under test are known to the compositor as the game's are.
    QGuiApplication::setDesktopFileName(
        QFileInfo(QStringLiteral(ZUBBO_DESKTOP_ENTRY)).completeBaseName());
}

void TestWayland::cleanup()
{
    m_modal.cancel();
    m_window.reset();
    m_folder.reset();
}

// A game of its own at the given output scale, on a folder of its own, once the compositor
// shows it with the focus.
void TestWayland::openGame(int scale)
{
    m_scale = scale;
    QVERIFY(m_desktop.setScale(scale));
    QTRY_COMPARE_WITH_TIMEOUT(QGuiApplication::primaryScreen()->devicePixelRatio(), qreal(scale),
                              WindowTimeoutMs);
    QVERIFY(m_desktop.moveTo(Parking));
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_window = std::make_unique<frmZUB>(m_folder->path(), [] { return Noon; });
    m_window->show();
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop.window(GameTitle).focused, WindowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(showsAsDrawn(m_window.get()), WindowTimeoutMs);
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
    return m_desktop.screenshot(onScreen(widget)) == drawn;
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
    for (int y = 0; y < drawn.height(); ++y) {
        for (int x = 0; x < drawn.width(); ++x) {
            const QRgb pixel = drawn.pixel(x, y);
            if (qAlpha(pixel) == 255 && (shown.pixel(x, y) & RGB_MASK) != (pixel & RGB_MASK))
                return false;
        }
    }
    return true;
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
    if (!shown.focused || !board.contains(shown.client.center()))
        return QStringLiteral("'%1' at %2,%3 %4x%5 (focused: %6), the board at %7,%8")
            .arg(dialog->windowTitle())
            .arg(shown.client.x())
            .arg(shown.client.y())
            .arg(shown.client.width())
            .arg(shown.client.height())
            .arg(shown.focused)
            .arg(board.x())
            .arg(board.y());
    if (!showsAsDrawn(dialog))
        return QStringLiteral("'%1' does not show as drawn").arg(dialog->windowTitle());
    return {};
}

// Opens a menu of the bar with a click and picks an item with its key, as players do.
void TestWayland::chooseFromBar(const char *menuName, const char *itemKey)
{
    auto *menu = m_window->findChild<QMenu *>(QLatin1String(menuName));
    QVERIFY(menu);
    QMenuBar *bar = m_window->menuBar();
    QVERIFY(m_desktop.click(onScreen(bar, bar->actionGeometry(menu->menuAction()).center())));
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible(), WindowTimeoutMs);
    QVERIFY(m_desktop.type({QLatin1String(itemKey)}));
}

// The program itself, as a desktop starts it: the compositor knows its window by the id of
// its desktop entry, which gives the window its icon and its name in the desktop's lists.
void TestWayland::theProgramIsKnownByItsId()
{
    QProcess game;
    game.start(QStringLiteral(ZUBBO_PROGRAM), {});
    QVERIFY(game.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(!m_desktop.window(GameTitle).client.isNull(), WindowTimeoutMs);
    const ShownWindow shown = m_desktop.window(GameTitle);
    game.terminate();
    QVERIFY(game.waitForFinished());
    QCOMPARE(shown.appId, QFileInfo(QStringLiteral(ZUBBO_DESKTOP_ENTRY)).completeBaseName());
    QCOMPARE(shown.client.width(), ClientArea.width());
}

void TestWayland::boardAndHammers_data()
{
    QTest::addColumn<int>("scale");
    QTest::newRow("scale 1") << 1;
    QTest::newRow("scale 2") << 2;
}

// The window shows the board under the menu bar, drawn at the output's scale, and the hammer
// strikes where it points: the raised hammer over the board, the striking one while pressed.
void TestWayland::boardAndHammers()
{
    QFETCH(int, scale);
    openGame(scale);
    if (QTest::currentTestFailed())
        return;
    QWidget *board = m_window->centralWidget();
    const ShownWindow shown = m_desktop.window(GameTitle);
    QCOMPARE(shown.client.size(), ClientArea + QSize(0, m_window->menuBar()->height()));
    QCOMPARE(onScreen(board, {0, 0}) - shown.client.topLeft(),
             QPoint(0, m_window->menuBar()->height()));

    const QPoint aim = onScreen(board, BareWall);
    QVERIFY(m_desktop.moveTo(aim));
    QTRY_VERIFY_WITH_TIMEOUT(showsHammer(Artwork::raisedHammer(scale), aim), WindowTimeoutMs);
    QVERIFY(m_desktop.press());
    QTRY_VERIFY_WITH_TIMEOUT(showsHammer(Artwork::strikingHammer(scale), aim), WindowTimeoutMs);
    QVERIFY(m_desktop.release());
    QTRY_VERIFY_WITH_TIMEOUT(showsHammer(Artwork::raisedHammer(scale), aim), WindowTimeoutMs);
    QCOMPARE(m_window->score(), 0);
}

// One round on Easy at scale 2, started from the keyboard: the first eyes in hole 7, a hit
// with its fireball, the record dialog over the board taking a typed name, then the viewer,
// How to play and About, each over the board.
void TestWayland::roundAndDialogs()
{
    openGame(2);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_desktop.type({QStringLiteral("-M"), QStringLiteral("alt"), QStringLiteral("s"),
                            QStringLiteral("-m"), QStringLiteral("alt")}));
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

    m_modal.expect([this](QWidget *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("frmRECORD"));
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(dialog), QString(), WindowTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isActiveWindow(), WindowTimeoutMs);
        auto *name = dialog->findChild<QComboBox *>(QStringLiteral("txtNAME"));
        QVERIFY(m_desktop.click(onScreen(name->lineEdit(), name->lineEdit()->rect().center())));
        QTRY_VERIFY_WITH_TIMEOUT(name->lineEdit()->hasFocus(), WindowTimeoutMs);
        QVERIFY(m_desktop.type({PlayerName}));
        QTRY_COMPARE_WITH_TIMEOUT(name->currentText(), PlayerName, WindowTimeoutMs);
        QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("Return")}));
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), WindowTimeoutMs);
    });
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), RoundTimeoutMs);
    QCOMPARE(fileContent(m_folder->filePath(QStringLiteral("Top_Easy.zub"))),
             (PlayerName + QStringLiteral(";10;\r\n")).toLatin1());

    m_modal.expect([this](QWidget *viewer) {
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(viewer), QString(), WindowTimeoutMs);
        auto *list = viewer->findChild<QListWidget *>(QStringLiteral("lstEASY"));
        QVERIFY(list && list->count() == 1);
        QCOMPARE(list->item(0)->text(), PlayerName + QStringLiteral(":  10"));
        auto *ok = viewer->findChild<QPushButton *>(QStringLiteral("btn"));
        QVERIFY(m_desktop.click(onScreen(ok, ok->rect().center())));
        QTRY_VERIFY_WITH_TIMEOUT(!viewer->isVisible(), WindowTimeoutMs);
    });
    chooseFromBar("mnuTOP", "e");
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), WindowTimeoutMs);

    m_modal.expect([this](QWidget *box) {
        QVERIFY(qobject_cast<QMessageBox *>(box));
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(box), QString(), WindowTimeoutMs);
        QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("Return")}));
        QTRY_VERIFY_WITH_TIMEOUT(!box->isVisible(), WindowTimeoutMs);
    });
    chooseFromBar("mnuHELP", "h");
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), WindowTimeoutMs);

    m_modal.expect([this](QWidget *about) {
        QCOMPARE(about->metaObject()->className(), "TQ_About");
        // The compositor places the About window, which has no parent widget, by this tie.
        QCOMPARE(about->windowHandle()->transientParent(), m_window->windowHandle());
        QTRY_COMPARE_WITH_TIMEOUT(overTheBoard(about), QString(), WindowTimeoutMs);
        QVERIFY(m_desktop.click(onScreen(about, {60, 30})));
        QTRY_VERIFY_WITH_TIMEOUT(!about->isVisible(), WindowTimeoutMs);
    });
    chooseFromBar("mnuHELP", "a");
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), WindowTimeoutMs);
}

// P pauses a round in play and P goes on with it: while paused the output shows the board
// without the eyes and the message, and the time stands still; then the eyes come back.
void TestWayland::pauseByTheKey()
{
    openGame(1);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_desktop.type({QStringLiteral("-M"), QStringLiteral("alt"), QStringLiteral("s"),
                            QStringLiteral("-m"), QStringLiteral("alt")}));
    auto *eyes = m_window->findChild<PictureControl *>(QStringLiteral("ZubIN(%1)").arg(FirstHole));
    QTRY_VERIFY_WITH_TIMEOUT(eyes->isVisible() && showsAsDrawn(eyes), WindowTimeoutMs);

    QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("p")}));
    QTRY_VERIFY_WITH_TIMEOUT(m_window->paused(), WindowTimeoutMs);
    auto *message = m_window->findChild<QLabel *>(QStringLiteral("lblMESSAGE"));
    QCOMPARE(message->text(), QStringLiteral("P a u s e d"));
    QTRY_VERIFY_WITH_TIMEOUT(!eyes->isVisible() && showsAsDrawn(m_window->centralWidget()),
                             WindowTimeoutMs);
    const QString time = m_window->findChild<QLabel *>(QStringLiteral("TimeX"))->text();
    QTest::qWait(PausedMs);
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("TimeX"))->text(), time);
    QVERIFY(m_window->paused());

    QVERIFY(m_desktop.type({QStringLiteral("-k"), QStringLiteral("p")}));
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->paused(), WindowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(m_window->findChild<QLabel *>(QStringLiteral("TimeX"))->text() != time,
                             WindowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(showsAsDrawn(m_window->centralWidget()), WindowTimeoutMs);
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"

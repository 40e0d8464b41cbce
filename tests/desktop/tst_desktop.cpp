// The game on a real desktop: an X server with a window manager and a sound server, played
// with real mouse and keyboard input that travels through the X server (XTEST). It guards
// what only the real path shows: the window as the window manager frames it, the pointer as
// the server draws it, the beat of a round, hits and a double-click with the server's own
// timing and implicit grabs, the cues arriving at the sound server, the sound coming back
// after the server restarts, and the end of a round with a name typed on the keyboard. Run it
// inside scripts/desktop-session.sh.
#include "artwork.h"
#include "backgroundrecording.h"
#include "cues.h"
#include "desktoptest.h"
#include "frmzub.h"
#include "levels.h"
#include "picturecontrol.h"
#include "playcue.h"
#include "sinkrecorder.h"
#include "soundserver.h"
#include "steadyclock.h"
#include "tonewell.h"
#include "widgettest.h"
#include "xdisplay.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDebug>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <memory>

using namespace DesktopTest;

namespace {
constexpr int CentringSlackPx = 2; // how far a centred outer frame may lie from the middle
constexpr int PointerTimeoutMs = 5000;
constexpr int SteadyPointerMs = 300; // how long a pointer must stay put to count as kept
constexpr QPoint DragBy(-120, -90);
constexpr int StaysPutMs = 1500; // longer than the window manager takes to frame a window
constexpr QSize HammerSize(32, 32);

// The first round after program start: three Get Ready ticks, then the first pop 400 ms
// later at the designed beat, then one pop per Easy beat. The bounds are loose: they guard
// the real path, not the timer's precision.
constexpr int ReadyTicksOfFirstRound = 3;
constexpr int ReadyTickMs = 1100;
constexpr int FirstPopMs = 400;
constexpr int SlackBelowMs = 100;
constexpr int SlackAboveMs = 150;
constexpr std::array<int, 3> FirstHoles{7, 5, 6};
// Play lasts until the time label reads " 0", sixty countdown ticks after play began; the
// next tick ends the round.
constexpr qint64 RoundLengthSlackMs = 250;

// A cue counts as heard when the recording has an onset this close to where it belongs.
// Where it belongs is its play call plus one delay shared by all cues: the sound's way to
// the sink, a few milliseconds here (the recording times its onsets on the test's clock). A
// beat heard later than LatestSoundMs after its pop is off the beat.
constexpr double OnsetToleranceMs = 50;
constexpr double LatestSoundMs = 250;

// The sound server killed and started again during one round at Hard: it stays away for a
// moment each time, then the sink is recorded for a while after it answers again. The pops
// played from a second after it answered until shortly before the recording ends must all be
// heard, near their play calls: a hit's sound, which follows its pop by ClickAfterPopMs, is
// later than LatestPopOnsetMs and cannot stand in for a lost pop.
constexpr int ServerRestarts = 10;
constexpr int ServerAwayMs = 500;
constexpr int ServerHangsMs = 1500;
constexpr int ServerStartTimeoutMs = 15000;
constexpr int ListenMs = 2500;
constexpr qint64 SoundBackWithinMs = 1000;
constexpr qint64 LatestPopOnsetMs = 100;
constexpr qint64 RecordingTailMs = 200; // a pop this close to the recording's end may be cut
constexpr int LeastPopsHeard = 2;
constexpr int ClickAfterPopMs = 150;
constexpr int PopsWithoutServer = 3;
// A round cut short by running its countdown out after a pop; the end cue is recorded for
// this long after the round ends.
constexpr int EndAfterPopMs = 200; // after the pop's sound, before the next pop
constexpr int EndCueRecordedMs = 1000;
constexpr qint64 NsPerMs = 1000000;

// A round paused while another program has the focus for AwayMs, and by the P key for
// PausedByKeyMs. What a pause leaves of an interval is kept to within PauseSlackMs (the
// test looks at the window every 5 ms), and more where a busy machine runs a tick late.
// The round's own windows keep it going: How to play stays open longer than the X11
// platform waits before it reports the focus gone.
constexpr int AwayMs = 3000;
constexpr int PausedByKeyMs = 2000;
constexpr int OwnWindowOpenMs = 1000;
constexpr qint64 PauseSlackMs = 40;
constexpr int TicksAfterPause = 2;
constexpr int PlayingAfterMs = 4500; // Get Ready of a first round, then a pop or two
// Pops before the mute, while muted and after it.
constexpr int PopsPerMutePhase = 5;
// How the sound server lists the game's client and stream.
constexpr std::array GameSoundProperties{"application.name = \"Zubbo!\"",
                                         "application.id = \"com.example.Zubbo\"",
                                         "application.icon_name = \"com.example.Zubbo\"",
                                         "application.version = \"1.0.10\"",
                                         "media.role = \"game\""};

// Black, white or clear: a hammer pointer has no other shade.
char shade(QRgb pixel)
{
    if (qAlpha(pixel) < 128)
        return ' ';
    return qGray(pixel) < 128 ? '#' : 'o';
}

bool samePointer(const PointerImage &a, const PointerImage &b)
{
    if (a.image.size() != b.image.size() || a.hotSpot != b.hotSpot)
        return false;
    for (int y = 0; y < a.image.height(); ++y) {
        for (int x = 0; x < a.image.width(); ++x) {
            if (shade(a.image.pixel(x, y)) != shade(b.image.pixel(x, y)))
                return false;
        }
    }
    return true;
}

bool isBlank(const PointerImage &pointer)
{
    // Premultiplied, a clear pixel is nothing but zeros.
    QImage clear(pointer.image.size(), QImage::Format_ARGB32_Premultiplied);
    clear.fill(Qt::transparent);
    return pointer.image.convertToFormat(QImage::Format_ARGB32_Premultiplied) == clear;
}

PointerImage drawnPointer(const QPixmap &hammer)
{
    const QCursor pointer = Artwork::pointer(hammer);
    return {pointer.pixmap().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
            pointer.hotSpot()};
}

// Runs the event loop until `done`, or for at most `timeoutMs`; true if done. QTest's waits
// sleep 10 ms between passes of the event loop, which would hold up the very beat a test
// checks; this loop lets every timer of the window run on time.
bool runUntil(const std::function<bool()> &done, int timeoutMs)
{
    constexpr int LookEveryMs = 5;
    if (done())
        return true;
    QEventLoop loop;
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    const auto lookAgain = [&] {
        if (done())
            loop.quit();
    };
    QObject::connect(&look, &QTimer::timeout, &loop, lookAgain);
    look.start(LookEveryMs);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

void runFor(int ms)
{
    runUntil([] { return false; }, ms);
}

// `check` holds now and on every look during the next `ms` milliseconds.
bool holdsFor(const std::function<bool()> &check, int ms)
{
    return !runUntil([&] { return !check(); }, ms);
}

// Milliseconds on the beat's clock, which the recordings of the sink are placed on too.
qint64 nowMs()
{
    return steadyClockNs() / NsPerMs;
}

// Within the slack of the beat of `dueMs`.
bool onTime(qint64 ms, qint64 dueMs)
{
    return ms >= dueMs - SlackBelowMs && ms <= dueMs + SlackAboveMs;
}

// Each pop came one beat of `level` after the one before.
void checkBeats(const QList<qint64> &popsMs, Level level)
{
    for (qsizetype i = 1; i < popsMs.size(); ++i) {
        const qint64 beat = popsMs[i] - popsMs[i - 1];
        QVERIFY2(onTime(beat, levelInfo(level).beatMs),
                 qPrintable(
                     QStringLiteral("pop %1 came %2 ms after the one before").arg(i).arg(beat)));
    }
}
} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void windowOnTheDesktop();
    void pointerOverTheBoard_data();
    void pointerOverTheBoard();
    void hammerAtDoublePixelRatio();
    void helpWindowsOpenAndClose_data();
    void helpWindowsOpenAndClose();
    void pauseKeepsWhatWasLeft();
    void fullRound();
    void cuesOfARoundAreHeard();
    void closingEndsTheProgram_data();
    void closingEndsTheProgram();
    void soundComesBack_data();
    void soundComesBack();

private:
    QWidget *board() const { return m_window->centralWidget(); }
    PictureControl *target(int i) const
    {
        return m_window->findChild<PictureControl *>(QStringLiteral("ZubIN(%1)").arg(i));
    }
    PictureControl *hitPicture(int i) const
    {
        return m_window->findChild<PictureControl *>(QStringLiteral("Explode(%1)").arg(i));
    }
    QAction *action(const char *name) const
    {
        return m_window->findChild<QAction *>(QLatin1String(name));
    }
    QLabel *label(const char *name) const
    {
        return m_window->findChild<QLabel *>(QLatin1String(name));
    }
    QString pointerName() const;
    bool pointerStaysFor(const QString &name, int ms) const
    {
        return holdsFor([&] { return pointerName() == name; }, ms);
    }
    QImage screenshot(const QWidget *widget, const QSize &size) const;
    bool showsOnScreen(const PictureControl *picture, const QRect &covered) const;
    void click(const QWidget *widget, const QPoint &point);
    void clickCentre(const QWidget *widget) { click(widget, widget->rect().center()); }
    void dragWithWindowManager(const QPoint &grip, const QPoint &by, int button);
    void chooseFromBar(QAction *item)
    {
        click(m_window->menuBar(), m_window->menuBar()->actionGeometry(item).center());
    }
    void chooseFromMenu(const char *menuName, const char *itemName);
    QString offCentre(const QWidget *window) const;
    bool staysPut(const QWidget *window) const;
    void checkCuesWereHeard(const SinkRecorder &recorder);
    void startRound(Level level);
    void startServerAndListen(SoundServer &server, int restart);

    XDisplay m_x;
    QString m_sink;
    PointerImage m_raisedHammer;
    PointerImage m_strikingHammer;
    PointerImage m_arrow;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<frmZUB> m_window;
    ModalWait m_modal;
    // Each cue the game played, heard or while muted, at its time by nowMs(); the hole of
    // each pop.
    std::map<Cue, QList<qint64>> m_cues;
    std::map<Cue, QList<qint64>> m_silenced;
    QList<int> m_popHoles;
};

void TestDesktop::initTestCase()
{
    const QString missing = desktopMissing(m_x);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    m_sink = qEnvironmentVariable("ZUBBO_SINK");
    QVERIFY2(!m_sink.isEmpty(), "ZUBBO_SINK names no sound sink to record");

    const qreal ratio = qApp->devicePixelRatio();
    m_raisedHammer = drawnPointer(Artwork::raisedHammer(ratio));
    m_strikingHammer = drawnPointer(Artwork::strikingHammer(ratio));

    // The arrow as this server draws Qt's standard pointer. A blank pointer first makes the
    // change to the arrow visible, whatever the pointer showed before.
    QWidget probe(nullptr, Qt::FramelessWindowHint);
    probe.resize(100, 50);
    QWidget blank(&probe);
    blank.setGeometry(0, 0, 50, 50);
    blank.setCursor(Qt::BlankCursor);
    QWidget arrow(&probe);
    arrow.setGeometry(50, 0, 50, 50);
    arrow.setCursor(Qt::ArrowCursor);
    probe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&probe, WindowTimeoutMs));
    m_x.moveTo(m_x.onScreen(&blank, blank.rect().center()));
    QTRY_VERIFY_WITH_TIMEOUT(isBlank(m_x.pointer()), PointerTimeoutMs);
    m_x.moveTo(m_x.onScreen(&arrow, arrow.rect().center()));
    QTRY_VERIFY_WITH_TIMEOUT(!isBlank(m_x.pointer()), PointerTimeoutMs);
    m_arrow = m_x.pointer();
    QVERIFY(!samePointer(m_arrow, m_raisedHammer));
}

// Every test plays a game of its own from program start, on a folder of its own that holds
// the wave cues, so the sounds really play.
void TestDesktop::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    for (const CueInfo &cue : Cues) {
        QVERIFY2(QFile::copy(cueFile(QCoreApplication::applicationDirPath(), cue.cue),
                             cueFile(m_folder->path(), cue.cue)),
                 cue.fileName);
    }
    m_window = std::make_unique<frmZUB>(m_folder->path(), [] { return Noon; });
    m_cues.clear();
    m_silenced.clear();
    m_popHoles.clear();
    const auto played = [this](const QString &file) {
        for (const CueInfo &cue : Cues) {
            if (!file.endsWith(QLatin1String(cue.fileName)))
                continue;
            (m_window->sound().muted() ? m_silenced : m_cues)[cue.cue] << nowMs();
            if (cue.cue == Cue::Up)
                m_popHoles << m_window->currentHole();
        }
    };
    connect(&m_window->sound(), &Tonewell::played, m_window.get(), played);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get(), WindowTimeoutMs));
    // The window is centred by its frame once the window manager has framed it: a click
    // aimed before that lands where the window was.
    QTRY_COMPARE_WITH_TIMEOUT(offCentre(m_window.get()), QString(), WindowTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(staysPut(m_window.get()), WindowTimeoutMs);
}

void TestDesktop::cleanup()
{
    // A test that failed before its modal window opened leaves the wait behind.
    m_modal.cancel();
    m_window.reset();
    m_folder.reset();
}

QString TestDesktop::pointerName() const
{
    const PointerImage shown = m_x.pointer();
    if (samePointer(shown, m_raisedHammer))
        return QStringLiteral("raised hammer");
    if (samePointer(shown, m_strikingHammer))
        return QStringLiteral("striking hammer");
    if (samePointer(shown, m_arrow))
        return QStringLiteral("arrow");
    QString another;
    QDebug(&another) << "another pointer" << shown.image.size() << "with hot spot" << shown.hotSpot;
    return another;
}

// What the screen shows from the widget's top left corner.
QImage TestDesktop::screenshot(const QWidget *widget, const QSize &size) const
{
    const QPoint at = m_x.onScreen(widget, {0, 0});
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.x(), at.y(), size.width(), size.height())
        .toImage();
}

// The picture shows on the screen as drawn, outside `covered` (where the pointer may lie).
bool TestDesktop::showsOnScreen(const PictureControl *picture, const QRect &covered) const
{
    const QImage drawn = picture->picture().toImage().convertToFormat(QImage::Format_ARGB32);
    return showsOpaquePixels(drawn, screenshot(picture, drawn.size()), {},
                             covered.translated(-m_x.onScreen(picture, {0, 0})));
}

void TestDesktop::click(const QWidget *widget, const QPoint &point)
{
    m_x.moveTo(m_x.onScreen(widget, point));
    m_x.press();
    m_x.release();
}

// Opens a menu of the bar with a click and clicks one of its items once the menu shows.
void TestDesktop::chooseFromMenu(const char *menuName, const char *itemName)
{
    auto *menu = m_window->findChild<QMenu *>(QLatin1String(menuName));
    QVERIFY(menu);
    chooseFromBar(menu->menuAction());
    QTRY_VERIFY_WITH_TIMEOUT(menu->isVisible() && m_x.isViewable(menu), WindowTimeoutMs);
    QAction *item = action(itemName);
    QVERIFY(item);
    click(menu, menu->actionGeometry(item).center());
}

// Holds Alt and drags with `button` at a person's pace: the window manager takes the pointer
// only once it has seen the press.
void TestDesktop::dragWithWindowManager(const QPoint &grip, const QPoint &by, int button)
{
    constexpr int Steps = 4;
    m_x.moveTo(grip);
    m_x.keyDown("Alt_L");
    QTest::qWait(InputPaceMs);
    m_x.press(button);
    QTest::qWait(InputPaceMs);
    for (int step = 1; step <= Steps; ++step) {
        m_x.moveTo(grip + by * step / Steps);
        QTest::qWait(InputPaceMs);
    }
    m_x.release(button);
    m_x.keyUp("Alt_L");
}

void TestDesktop::windowOnTheDesktop()
{
    QWidget *window = m_window.get();
    QCOMPARE(m_x.title(window), GameTitle);
    QCOMPARE(m_x.clientSize(window) - QSize(0, m_window->menuBar()->height()), ClientArea);
    QCOMPARE(m_x.onScreen(board(), {0, 0}) - m_x.onScreen(window, {0, 0}),
             QPoint(0, m_window->menuBar()->height()));
    const QStringList allowed = m_x.allowedActions(window);
    QVERIFY2(allowed.contains(QStringLiteral("_NET_WM_ACTION_MOVE")),
             qPrintable(allowed.join(' ')));
    for (const char *refused :
         {"_NET_WM_ACTION_RESIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"})
        QVERIFY2(!allowed.contains(QLatin1String(refused)), refused);

    // The window manager's own resize gesture, Alt and a drag with the right button.
    const QSize before = m_x.clientSize(window);
    dragWithWindowManager(m_x.onScreen(board(), QPoint(300, 300)), QPoint(80, 60), 3);
    QVERIFY2(holdsFor([&] { return m_x.clientSize(window) == before; }, SteadyPointerMs),
             "the window manager resized the window");

    // Moved by the player with the window manager's move gesture (Alt and a drag with the
    // left button), the window stays where it was dropped.
    const QPoint dropped = m_x.onScreen(window, {0, 0}) + DragBy;
    dragWithWindowManager(m_x.onScreen(board(), QPoint(200, 140)), DragBy, 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.onScreen(window, {0, 0}), dropped, WindowTimeoutMs);
    const auto staysDropped = [&] { return m_x.onScreen(window, {0, 0}) == dropped; };
    QVERIFY2(holdsFor(staysDropped, StaysPutMs), "the window left the place where it was dropped");
}

void TestDesktop::pointerOverTheBoard_data()
{
    QTest::addColumn<QPoint>("place"); // on the board
    QTest::addColumn<QString>("pointer");
    // A button pressed there (none for 0), where it is released and the pointer after that.
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("releaseAt");
    QTest::addColumn<QString>("afterRelease");
    const QString raised = QStringLiteral("raised hammer");
    const QString arrow = QStringLiteral("arrow");
    QTest::newRow("bare wall") << QPoint(200, 140) << raised << 0 << QPoint() << QString();
    QTest::newRow("empty hole") << QPoint(70, 167) << raised << 0 << QPoint() << QString();
    QTest::newRow("top left corner") << QPoint(1, 1) << raised << 0 << QPoint() << QString();
    QTest::newRow("score panel") << QPoint(145, 30) << arrow << 0 << QPoint() << QString();
    QTest::newRow("score label") << QPoint(200, 32) << arrow << 0 << QPoint() << QString();
    QTest::newRow("time panel") << QPoint(250, 362) << arrow << 0 << QPoint() << QString();
    QTest::newRow("version label") << QPoint(380, 392) << arrow << 0 << QPoint() << QString();
    QTest::newRow("left button") << QPoint(200, 140) << raised << 1 << QPoint(200, 140) << raised;
    QTest::newRow("right button") << QPoint(70, 167) << raised << 3 << QPoint(70, 167) << raised;
    QTest::newRow("dragged onto the score panel")
        << QPoint(200, 100) << raised << 1 << QPoint(145, 30) << arrow;
}

// The pointer over each part of the board, and the hammer striking while a button is held
// wherever the pointer goes meanwhile; a press off the eyes scores nothing.
void TestDesktop::pointerOverTheBoard()
{
    QFETCH(QPoint, place);
    QFETCH(QString, pointer);
    QFETCH(int, button);
    QFETCH(QPoint, releaseAt);
    QFETCH(QString, afterRelease);

    m_x.moveTo(m_x.onScreen(board(), place));
    QTRY_COMPARE_WITH_TIMEOUT(pointerName(), pointer, PointerTimeoutMs);
    if (pointer == QLatin1String("raised hammer")) {
        const PointerImage shown = m_x.pointer();
        QCOMPARE(shown.image.size(), HammerSize);
        QCOMPARE(shown.hotSpot, HammerHotSpot);
    }
    if (button == 0)
        return;
    m_x.press(button);
    QTRY_COMPARE_WITH_TIMEOUT(pointerName(), QStringLiteral("striking hammer"), PointerTimeoutMs);
    m_x.moveTo(m_x.onScreen(board(), releaseAt));
    QVERIFY(pointerStaysFor(QStringLiteral("striking hammer"), SteadyPointerMs));
    m_x.release(button);
    QTRY_COMPARE_WITH_TIMEOUT(pointerName(), afterRelease, PointerTimeoutMs);
    QCOMPARE(m_window->score(), 0);
}

// The hammer as the game makes it for a screen of device pixel ratio 2: X11 shows its
// 64 x 64 pixels as they are, with the hot spot in those pixels, on the hammer's head.
void TestDesktop::hammerAtDoublePixelRatio()
{
    QWidget probe(nullptr, Qt::FramelessWindowHint);
    probe.resize(50, 50);
    probe.setCursor(Artwork::pointer(Artwork::raisedHammer(2)));
    probe.show();
    QVERIFY(QTest::qWaitForWindowExposed(&probe, WindowTimeoutMs));
    m_x.moveTo(m_x.onScreen(&probe, probe.rect().center()));
    QTRY_COMPARE_WITH_TIMEOUT(m_x.pointer().image.size(), HammerSize * 2, PointerTimeoutMs);
    const PointerImage shown = m_x.pointer();
    QCOMPARE(shown.hotSpot, HammerHotSpot * 2);
    QVERIFY(shade(shown.image.pixel(shown.hotSpot)) != ' ');
}

void TestDesktop::helpWindowsOpenAndClose_data()
{
    QTest::addColumn<QByteArray>("item");
    QTest::addColumn<QByteArray>("windowClass");
    QTest::addColumn<QString>("title");

    QTest::newRow("How to play") << QByteArray("bmHELP") << QByteArray("QMessageBox")
                                 << QStringLiteral("How to Play");
    QTest::newRow("About") << QByteArray("bmABOUT") << QByteArray("TQ_About") << QString();
}

// The help box closes with its OK button, the About window with a click anywhere on it.
void TestDesktop::helpWindowsOpenAndClose()
{
    QFETCH(QByteArray, item);
    QFETCH(QByteArray, windowClass);
    QFETCH(QString, title);

    QPointer<QWidget> opened;
    const auto checkAndClose = [&](QWidget *window) {
        opened = window;
        QCOMPARE(QByteArray(window->metaObject()->className()), windowClass);
        QTRY_VERIFY_WITH_TIMEOUT(m_x.isViewable(window), WindowTimeoutMs);
        QCOMPARE(m_x.title(window).trimmed(), title);
        QTRY_VERIFY_WITH_TIMEOUT(staysPut(window), WindowTimeoutMs);
        if (auto *box = qobject_cast<QMessageBox *>(window))
            clickCentre(box->button(QMessageBox::Ok));
        else
            click(window, QPoint(60, 30));
        QTRY_VERIFY_WITH_TIMEOUT(!window->isVisible(), WindowTimeoutMs);
    };
    m_modal.expect(checkAndClose);
    chooseFromMenu("mnuHELP", item.constData());
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), WindowTimeoutMs);
    QVERIFY(opened.isNull() || !opened->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(m_window.get(), WindowTimeoutMs));
}

// A round paused twice in play: by the player leaving for another program (a real second
// client takes the focus) and by the P key. While paused the eyes are off the screen, the time
// on the screen stands still and a press where the eyes were scores nothing; back at the
// game, the round stays paused until a press on the board or P. Then, after the warning,
// the beat and the countdown go on with what the pause left of them: from the last tick
// before the pause to the first after it is one interval, less nothing and plus nothing but
// the pause. How to play, opened by F1 during play, pauses nothing.
void TestDesktop::pauseKeepsWhatWasLeft()
{
    QList<qint64> &pops = m_cues[Cue::Up];
    QList<qint64> seconds;
    QList<std::pair<qint64, qint64>> pauses; // from the freeze to the thaw
    QLabel *time = label("TimeX");
    QString shownTime = time->text();
    const auto watch = [&] {
        if (time->text() != shownTime) {
            shownTime = time->text();
            seconds << nowMs();
        }
        if (m_window->paused() && (pauses.isEmpty() || pauses.last().second >= 0))
            pauses.append({nowMs(), -1});
        else if (!m_window->paused() && !pauses.isEmpty() && pauses.last().second < 0)
            pauses.last().second = nowMs();
    };
    const auto waitFor = [&](const std::function<bool()> &done, int timeoutMs) {
        return runUntil(
            [&] {
                watch();
                return done();
            },
            timeoutMs);
    };
    const auto ticksAfter = [](const QList<qint64> &ticks, qint64 ms) {
        return std::count_if(ticks.begin(), ticks.end(), [ms](qint64 t) { return t > ms; });
    };
    const auto eyesOnScreen = [this] {
        PictureControl *eyes = target(m_window->currentHole());
        const QRect pointerBox(QCursor::pos() - HammerHotSpot, HammerSize);
        return showsOnScreen(eyes, pointerBox);
    };
    // Waits while paused, then checks what the pause shows and lets nothing score.
    const auto checkPaused = [&](int ms) {
        QVERIFY(waitFor([this] { return m_window->paused(); }, WindowTimeoutMs));
        QVERIFY(waitFor([&] { return !eyesOnScreen(); }, WindowTimeoutMs));
        const QImage timeShown = screenshot(time, time->size());
        const qsizetype popsSoFar = pops.size();
        waitFor([] { return false; }, ms);
        QCOMPARE(screenshot(time, time->size()), timeShown);
        QCOMPARE(pops.size(), popsSoFar);
        QVERIFY(m_window->paused());
    };
    const auto checkGoesOn = [&] {
        QVERIFY(waitFor([this] { return !m_window->paused(); }, WindowTimeoutMs));
        QVERIFY(waitFor(
            [&] {
                return ticksAfter(pops, pauses.last().second) >= TicksAfterPause
                    && ticksAfter(seconds, pauses.last().second) >= TicksAfterPause;
            },
            WindowTimeoutMs));
        QCOMPARE(m_window->score(), 0);
    };

    startRound(Level::Easy);
    QVERIFY(waitFor([&] { return pops.size() >= 2 && seconds.size() >= 2; }, RoundTimeoutMs));
    const auto closeHelpLater = [&](QWidget *help) {
        QVERIFY(qobject_cast<QMessageBox *>(help));
        waitFor([] { return false; }, OwnWindowOpenMs);
        m_x.tapKey("Return");
        QTRY_VERIFY_WITH_TIMEOUT(!help->isVisible(), WindowTimeoutMs);
    };
    m_modal.expect(closeHelpLater);
    m_x.tapKey("F1");
    QVERIFY(waitFor([this] { return m_modal.done(); }, WindowTimeoutMs));
    const qint64 helpClosed = nowMs();
    QVERIFY(waitFor([&] { return ticksAfter(pops, helpClosed) >= 1; }, WindowTimeoutMs));
    QVERIFY2(pauses.isEmpty(), "How to play paused the round");

    QProcess away;
    away.start(QStringLiteral("xmessage"), {QStringLiteral("A colleague walks by")});
    QVERIFY2(away.waitForStarted(), "xmessage, from x11-utils, does not start");
    checkPaused(AwayMs);
    if (QTest::currentTestFailed())
        return;
    away.kill();
    away.waitForFinished();
    QVERIFY(waitFor([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; },
                    WindowTimeoutMs));
    waitFor([] { return false; }, InputPaceMs * 5);
    QVERIFY2(m_window->paused(), "the round went on without the player");
    // The press that ends the pause lands where the eyes were, and scores nothing.
    const QPoint eyes = target(m_window->currentHole())->rect().center();
    click(target(m_window->currentHole()), eyes);
    checkGoesOn();
    if (QTest::currentTestFailed())
        return;

    m_x.tapKey("p");
    checkPaused(PausedByKeyMs);
    if (QTest::currentTestFailed())
        return;
    m_x.tapKey("p");
    checkGoesOn();
    if (QTest::currentTestFailed())
        return;
    QVERIFY(waitFor(eyesOnScreen, WindowTimeoutMs));
    chooseFromBar(action("bmSTART"));
    QVERIFY(waitFor([this] { return !m_window->running(); }, WindowTimeoutMs));

    QCOMPARE(pauses.size(), 2);
    const int beatMs = levelInfo(Level::Easy).beatMs;
    for (const auto &[frozen, thawed] : pauses) {
        for (const auto &[ticks, intervalMs] :
             {std::pair{&pops, qint64(beatMs)}, std::pair{&seconds, qint64(1000)}}) {
            const auto after = std::upper_bound(ticks->begin(), ticks->end(), thawed);
            QVERIFY(after != ticks->end() && after != ticks->begin());
            const qint64 before = *(after - 1);
            const qint64 playedBefore = frozen - before;
            const qint64 played = *after - before - (thawed - frozen);
            qInfo("%lld ms of a %lld ms interval played around a pause of %lld ms, %lld ms of "
                  "them before it",
                  played, intervalMs, thawed - frozen, playedBefore);
            // A tick never comes early, but a busy machine may run one late. A thaw that
            // started the interval afresh would play what was played before the pause once
            // more: a late tick must stay nearer the interval than that.
            const qint64 lateAllowed = std::max(PauseSlackMs, playedBefore / 2);
            QVERIFY(played >= intervalMs - PauseSlackMs && played <= intervalMs + lateAllowed);
        }
    }
}

// One whole round on Easy, the only one the suite waits out: the pops on the beat, a hit, a
// double-click, a press held while the fireball appears, sixty seconds of play by the
// test's clock, every pop, hit and the end heard on the sound server, then the record
// dialog, a name typed in it, the file written and the viewer.
void TestDesktop::fullRound()
{
    SinkRecorder recorder(m_sink, steadyClockNs);
    QVERIFY2(recorder.start(), qPrintable(recorder.errorText()));
    const QList<qint64> &pops = m_cues[Cue::Up];
    QList<qint64> readyTicks;
    QList<qint64> countdownTicks;
    for (const auto &[timer, ticks] :
         {std::pair{"timStart", &readyTicks}, std::pair{"Countdown", &countdownTicks}}) {
        const auto tick = [ticks = ticks] { *ticks << nowMs(); };
        connect(m_window->findChild<QTimer *>(QLatin1String(timer)), &QTimer::timeout, this, tick);
    }
    // Each hit comes once its pop's sound is over, so that the hit's sound has an onset.
    const auto waitOutPop = [&](int pop) {
        QVERIFY(runUntil([&] { return nowMs() >= pops[pop] + ClickAfterPopMs; }, WindowTimeoutMs));
    };

    const qint64 started = nowMs();
    chooseFromBar(action("bmSTART"));
    QTRY_VERIFY_WITH_TIMEOUT(m_window->running(), WindowTimeoutMs);

    // A click on the eyes of the first pop.
    QTRY_VERIFY_WITH_TIMEOUT(pops.size() >= 1, WindowTimeoutMs);
    QCOMPARE(m_popHoles[0], FirstHoles[0]);
    const QPoint eyes = target(FirstHoles[0])->rect().center();
    waitOutPop(0);
    click(target(FirstHoles[0]), eyes);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->score(), 10, WindowTimeoutMs);
    const QRect pointerBox(m_x.onScreen(target(FirstHoles[0]), eyes) - HammerHotSpot, HammerSize);
    QTRY_VERIFY_WITH_TIMEOUT(showsOnScreen(hitPicture(FirstHoles[0]), pointerBox), WindowTimeoutMs);

    // A double-click on the next target's leftmost column, which its hit picture leaves
    // uncovered: the second press reaches the target itself, as a double-click.
    QTRY_VERIFY_WITH_TIMEOUT(pops.size() >= 2, WindowTimeoutMs);
    QCOMPARE(m_popHoles[1], FirstHoles[1]);
    PictureControl *second = target(FirstHoles[1]);
    const QPoint leftColumn(0, second->height() / 2);
    QVERIFY(!hitPicture(FirstHoles[1])->geometry().contains(second->mapToParent(leftColumn)));
    MouseEventCounter events(second);
    m_x.moveTo(m_x.onScreen(second, leftColumn));
    waitOutPop(1);
    for (int i = 0; i < 2; ++i) {
        m_x.press();
        QTest::qWait(InputPaceMs);
        m_x.release();
        QTest::qWait(InputPaceMs);
    }
    QTRY_COMPARE_WITH_TIMEOUT(events.releases, 2, WindowTimeoutMs);
    QCOMPARE(events.presses, 1);
    QCOMPARE(events.doubleClicks, 1);
    QCOMPARE(m_window->score(), 20);

    // A press held on the third target: the fireball appears under the pointer, and the
    // target that took the press keeps the striking hammer until the release.
    QTRY_VERIFY_WITH_TIMEOUT(pops.size() >= 3, WindowTimeoutMs);
    QCOMPARE(m_popHoles[2], FirstHoles[2]);
    PictureControl *third = target(FirstHoles[2]);
    m_x.moveTo(m_x.onScreen(third, third->rect().center()));
    waitOutPop(2);
    m_x.press();
    QTRY_COMPARE_WITH_TIMEOUT(m_window->score(), 30, WindowTimeoutMs);
    QVERIFY(hitPicture(FirstHoles[2])->isVisible());
    m_x.moveTo(m_x.onScreen(third, third->rect().center() + QPoint(3, 2)));
    QVERIFY(pointerStaysFor(QStringLiteral("striking hammer"), SteadyPointerMs));
    m_x.release();
    QTRY_COMPARE_WITH_TIMEOUT(pointerName(), QStringLiteral("raised hammer"), PointerTimeoutMs);

    // The beat of the first three pops.
    QCOMPARE(readyTicks.size(), ReadyTicksOfFirstRound);
    QVERIFY2(onTime(pops[0] - started, ReadyTicksOfFirstRound * ReadyTickMs + FirstPopMs),
             qPrintable(QStringLiteral("first pop %1 ms after Start").arg(pops[0] - started)));
    checkBeats(pops.first(FirstHoles.size()), Level::Easy);

    // The time runs out: the record dialog, centred, takes a name from the keyboard.
    const auto recordName = [this](QWidget *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("frmRECORD"));
        QTRY_VERIFY_WITH_TIMEOUT(m_x.isViewable(dialog), WindowTimeoutMs);
        QCOMPARE(m_x.title(dialog), RecordTitle);
        QTRY_COMPARE_WITH_TIMEOUT(offCentre(dialog), QString(), WindowTimeoutMs);
        QCOMPARE(label("TimeX")->text(), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(dialog->isActiveWindow(), WindowTimeoutMs);
        auto *name = dialog->findChild<QComboBox *>(QStringLiteral("txtNAME"));
        clickCentre(name->lineEdit());
        QTRY_VERIFY_WITH_TIMEOUT(name->lineEdit()->hasFocus(), WindowTimeoutMs);
        m_x.type(playerName());
        QTRY_COMPARE_WITH_TIMEOUT(name->currentText(), playerName(), WindowTimeoutMs);
        m_x.tapKey("Return");
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), WindowTimeoutMs);
    };
    m_modal.expect(recordName);
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), RoundTimeoutMs);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(fileContent(m_folder->filePath(QStringLiteral("Top_Easy.zub"))),
             (playerName() + QStringLiteral(";30;\r\n")).toLatin1());

    recorder.stop();
    QCOMPARE(m_cues[Cue::End].size(), 1);
    const qint64 playStarted = readyTicks.last();
    const auto checkAfterPlayBegan = [playStarted](const char *what, qint64 at, int seconds) {
        const qint64 after = at - playStarted;
        QVERIFY2(qAbs(after - seconds * MsPerSecond) <= RoundLengthSlackMs,
                 qPrintable(QStringLiteral("%1 %2 ms after play began").arg(what).arg(after)));
    };
    QVERIFY(countdownTicks.size() >= RoundSeconds);
    checkAfterPlayBegan("the time label read \" 0\"", countdownTicks[RoundSeconds - 1],
                        RoundSeconds);
    checkAfterPlayBegan("the round ended", m_cues[Cue::End][0], RoundSeconds + 1);
    QCOMPARE(m_cues[Cue::Hit].size(), int(FirstHoles.size()));
    checkCuesWereHeard(recorder);
    if (QTest::currentTestFailed())
        return;

    // The viewer, centred, lists the name and closes with its button.
    const auto checkViewer = [this](QWidget *viewer) {
        QTRY_VERIFY_WITH_TIMEOUT(m_x.isViewable(viewer), WindowTimeoutMs);
        QCOMPARE(m_x.title(viewer), QStringLiteral("Scores"));
        QTRY_COMPARE_WITH_TIMEOUT(offCentre(viewer), QString(), WindowTimeoutMs);
        auto *list = viewer->findChild<QListWidget *>(QStringLiteral("lstEASY"));
        QVERIFY(list);
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), playerName() + QStringLiteral(":  30"));
        clickCentre(viewer->findChild<QPushButton *>(QStringLiteral("btn")));
        QTRY_VERIFY_WITH_TIMEOUT(!viewer->isVisible(), WindowTimeoutMs);
    };
    m_modal.expect(checkViewer);
    chooseFromMenu("mnuTOP", "bmT_EASY");
    QTRY_VERIFY_WITH_TIMEOUT(m_modal.done(), WindowTimeoutMs);
}

// The window stays where it is for SteadyPointerMs. The game centres a window again while
// the window manager places it, and a pointer or click aimed before that lands beside it.
bool TestDesktop::staysPut(const QWidget *window) const
{
    const QPoint place = m_x.onScreen(window, {0, 0});
    return holdsFor([&] { return m_x.onScreen(window, {0, 0}) == place; }, SteadyPointerMs);
}

// Nothing when the window's outer frame, as the window manager drew it, lies within
// CentringSlackPx of the screen's middle; else how far off it is.
QString TestDesktop::offCentre(const QWidget *window) const
{
    const QMargins frame = m_x.frameExtents(window);
    if (frame.isNull())
        return QStringLiteral("not framed yet");
    const QRect outer(m_x.onScreen(window, {0, 0}), m_x.clientSize(window));
    return ::offCentre(outer.marginsAdded(frame), QRect(QPoint(), m_x.screenSize()),
                       CentringSlackPx);
}

// Every cue heard so far (not muted) has a sound onset in the recording near its time. The
// delay shared by all cues is taken as the one, within its bounds, that places the most cues
// on onsets.
void TestDesktop::checkCuesWereHeard(const SinkRecorder &recorder)
{
    QList<qint64> cuesMs;
    for (const auto &[cue, times] : m_cues)
        cuesMs << times;
    QList<double> onsets; // ascending
    for (const qint64 onsetNs : recorder.onsetsNs(SoundLevel, SilenceBeforeSoundMs))
        onsets << double(onsetNs) / NsPerMs;
    QVERIFY2(!onsets.isEmpty(), "the recording of the sink is silent");
    // The first onset from a tolerance before `due` on.
    const auto nextOnset = [&onsets](double due) {
        return std::lower_bound(onsets.begin(), onsets.end(), due - OnsetToleranceMs);
    };
    const auto heardWith = [&](double delay) {
        const auto heard = [&](qint64 cue) {
            const auto next = nextOnset(double(cue) + delay);
            return next != onsets.end() && *next <= double(cue) + delay + OnsetToleranceMs;
        };
        return int(std::count_if(cuesMs.begin(), cuesMs.end(), heard));
    };
    int mostHeard = 0;
    double bestDelay = 0;
    for (const qint64 cue : cuesMs) {
        for (const double onset : onsets) {
            const double delay = onset - double(cue);
            if (delay < -OnsetToleranceMs || delay > LatestSoundMs)
                continue;
            if (const int count = heardWith(delay); count > mostHeard) {
                mostHeard = count;
                bestDelay = delay;
            }
        }
    }
    QStringList delays; // each cue's nearest onset, from its play call
    for (const qint64 cue : cuesMs) {
        const auto next = nextOnset(double(cue));
        delays << (next == onsets.end() ? QStringLiteral("-")
                                        : QString::number(*next - double(cue), 'f', 1));
    }
    qInfo("%d of %d cues heard in the recording, %.0f ms after their play calls (%d onsets in "
          "%.0f ms); each cue's next onset after its play call, ms: %s",
          mostHeard, int(cuesMs.size()), bestDelay, int(onsets.size()), recorder.lengthMs(),
          qPrintable(delays.join(QLatin1Char(' '))));
    QCOMPARE(mostHeard, int(cuesMs.size()));
}

// A round at Easy, its countdown run out at once between two pops: every cue, the pops with
// the long quiet of the slowest beat between them and the end of the round, is heard on the
// sound server, all at one delay after their play calls. M silences the cues at the output
// while the round plays them: the sink's recording has no onset near a pop played while
// muted. While the round sounds, the sound server lists the game's client and its stream by
// the game's name, id, icon, version and media role, as the desktop's mixers do. ./test.sh
// runs this once more on PipeWire.
void TestDesktop::cuesOfARoundAreHeard()
{
    SinkRecorder recorder(m_sink, steadyClockNs);
    QVERIFY2(recorder.start(), qPrintable(recorder.errorText()));
    const QList<qint64> &heard = m_cues[Cue::Up];
    const QList<qint64> &silenced = m_silenced[Cue::Up];
    startRound(Level::Easy);
    QVERIFY(runUntil([&] { return heard.size() >= PopsPerMutePhase; }, RoundTimeoutMs));
    for (const QString &list : {QStringLiteral("clients"), QStringLiteral("sink-inputs")}) {
        QProcess pactl;
        pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), list});
        QVERIFY(pactl.waitForFinished(WindowTimeoutMs));
        const QByteArray listed = pactl.readAllStandardOutput();
        for (const char *property : GameSoundProperties)
            QVERIFY2(listed.contains(property),
                     qPrintable(list + QStringLiteral(" lack ") + property));
    }

    m_x.tapKey("m");
    QVERIFY(runUntil([&] { return silenced.size() >= PopsPerMutePhase; }, RoundTimeoutMs));
    m_x.tapKey("m");
    const qsizetype heardBefore = heard.size();
    QVERIFY(
        runUntil([&] { return heard.size() >= heardBefore + PopsPerMutePhase; }, RoundTimeoutMs));
    runFor(EndAfterPopMs);
    const auto cancel = [](QWidget *dialog) { qobject_cast<QDialog *>(dialog)->reject(); };
    m_modal.expect(cancel);
    const auto runOut = [this] {
        while (m_window->running())
            m_window->Countdown_Timer();
    };
    QTimer::singleShot(0, m_window.get(), runOut);
    QVERIFY(runUntil([this] { return m_modal.done(); }, WindowTimeoutMs));
    runFor(EndCueRecordedMs);
    recorder.stop();
    QCOMPARE(m_cues[Cue::End].size(), 1);

    checkCuesWereHeard(recorder);
    for (const qint64 onsetNs : recorder.onsetsNs(SoundLevel, SilenceBeforeSoundMs)) {
        const double onset = double(onsetNs) / NsPerMs;
        for (const qint64 cue : silenced)
            QVERIFY2(onset < double(cue) - OnsetToleranceMs || onset > double(cue) + LatestSoundMs,
                     qPrintable(QStringLiteral("a sound %1 ms after a muted cue")
                                    .arg(onset - double(cue))));
    }
}

void TestDesktop::closingEndsTheProgram_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("byKey"); // Ctrl+Q, else the window manager's close
    QTest::newRow("Get Ready, closed") << "ready" << false;
    QTest::newRow("play, closed") << "play" << false;
    QTest::newRow("play, Ctrl+Q") << "play" << true;
    QTest::newRow("a hidden viewer, closed") << "viewer" << false;
    QTest::newRow("How to play, Ctrl+Q") << "help" << true;
}

// The program itself, on a folder of its own with tables already in it, closed in the states
// a player may leave it in: it ends within a second with exit status 0, leaves no lock file
// and writes no table. With one of its modal windows open, Qt refuses the window manager's
// close of the main window, so there Ctrl+Q is the way out.
void TestDesktop::closingEndsTheProgram()
{
    QFETCH(QString, state);
    QFETCH(bool, byKey);
    m_window.reset(); // the program's window is then the only one of the game
    QTemporaryDir folder;
    const QString program = copyGameWithTables(besideTheTests(QStringLiteral("zubbo")),
                                               folder.path());
    QVERIFY(!program.isEmpty());
    const QStringList files = QDir(folder.path()).entryList(QDir::Files);

    QProcess game;
    game.start(program, {});
    QVERIFY(game.waitForStarted());
    unsigned long window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = m_x.clientTitled(GameTitle)) != 0
                                 && m_x.activeWindow() == window,
                             WindowTimeoutMs);
    if (state == QLatin1String("ready") || state == QLatin1String("play"))
        tapWith(m_x, "Alt_L", "s");
    if (state == QLatin1String("play"))
        QTest::qWait(PlayingAfterMs);
    if (state == QLatin1String("viewer")) {
        tapWith(m_x, "Alt_L", "t");
        QTest::qWait(InputPaceMs * 5);
        m_x.tapKey("e");
        QTRY_COMPARE_WITH_TIMEOUT(m_x.title(m_x.activeWindow()), QStringLiteral("Scores"),
                                  WindowTimeoutMs);
        m_x.tapKey("Return");
        QTRY_COMPARE_WITH_TIMEOUT(m_x.activeWindow(), window, WindowTimeoutMs);
    }
    if (state == QLatin1String("help")) {
        m_x.tapKey("F1");
        QTRY_VERIFY_WITH_TIMEOUT(m_x.activeWindow() != window && m_x.activeWindow() != 0,
                                 WindowTimeoutMs);
    }
    const auto close = [&] {
        if (byKey)
            tapWith(m_x, "Control_L", "q");
        else
            m_x.closeWindow(window);
    };
    closeAndCheck(game, close, folder.path(), files);
}

void TestDesktop::soundComesBack_data()
{
    QTest::addColumn<bool>("startsLate"); // the game starts before the server, in the round
    QTest::addColumn<int>("restarts");
    QTest::newRow("after server restarts") << false << ServerRestarts;
    QTest::newRow("once server starts") << true << 1;
}

// The sound server killed outright and started again, ten times in one round at Hard (it
// also hangs for a while before the first restart), or the game started while no sound
// server runs, which starts later in a round: after the server answers the cues are heard
// again within a second, while the pops keep their beat and every hit on the eyes counts,
// whatever the sound server does.
void TestDesktop::soundComesBack()
{
    QFETCH(bool, startsLate);
    QFETCH(int, restarts);
    SoundServer server;
    QVERIFY2(server.isKnown(), "the desktop session names no sound server to restart");
    if (startsLate) {
        QVERIFY2(server.kill(), "no sound server to kill");
        cleanup();
        init(); // the game starts anew, without a sound server
        if (QTest::currentTestFailed())
            return;
    }
    // Each pop's eyes are hit a moment later. Two hits in a row on the same hole land apart,
    // as a player's would: a press at the same place within the double-click time is a
    // double-click, not a hit.
    int clicks = 0;
    const auto hitLater = [&clicks, this](const QString &file) {
        if (!file.endsWith(QLatin1String(cueInfo(Cue::Up).fileName)))
            return;
        const auto hit = [&clicks, hole = m_window->currentHole(), this] {
            if (!m_window->running() || m_window->currentHole() != hole)
                return;
            PictureControl *eyes = target(hole);
            const int side = clicks % 2 == 0 ? -1 : 1;
            click(eyes, eyes->rect().center() + QPoint(side * eyes->width() / 4, 0));
            ++clicks;
        };
        QTimer::singleShot(ClickAfterPopMs, m_window.get(), hit);
    };
    connect(&m_window->sound(), &Tonewell::played, m_window.get(), hitLater);
    const QList<qint64> &pops = m_cues[Cue::Up];
    startRound(Level::Hard);
    const int popsBefore = startsLate ? PopsWithoutServer : 1;
    QVERIFY(runUntil([&] { return pops.size() >= popsBefore; }, WindowTimeoutMs));
    if (!startsLate) {
        QVERIFY2(server.pause(), "no sound server to stop");
        runFor(ServerHangsMs);
        QVERIFY(server.resume());
    }
    for (int restart = 1; restart <= restarts; ++restart) {
        if (!startsLate) {
            QVERIFY2(server.kill(), "no sound server to kill");
            runFor(ServerAwayMs);
        }
        startServerAndListen(server, restart);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY(m_window->running());
    chooseFromBar(action("bmSTART"));
    QVERIFY(runUntil([this] { return !m_window->running(); }, WindowTimeoutMs));
    checkBeats(pops, Level::Hard);
    QVERIFY2(runUntil([&] { return m_window->score() == clicks * 10; }, WindowTimeoutMs),
             qPrintable(
                 QStringLiteral("%1 points after %2 hits").arg(m_window->score()).arg(clicks)));
}

// Chooses the level from its menu, unless it is the current one already, and starts a round.
void TestDesktop::startRound(Level level)
{
    if (m_window->currentLevel() != levelNumber(level)) {
        chooseFromMenu(
            "mnuLEVEL",
            QStringLiteral("bmLEVEL(%1)").arg(levelNumber(level)).toLatin1().constData());
        QTRY_COMPARE_WITH_TIMEOUT(m_window->currentLevel(), levelNumber(level), WindowTimeoutMs);
    }
    chooseFromBar(action("bmSTART"));
    QVERIFY(runUntil([this] { return m_window->running(); }, WindowTimeoutMs));
}

// Starts the sound server, killed before, and records the sink from when it answers: every
// pop played from a second after that until shortly before the recording ends is heard, its
// onset the first within its bounds.
void TestDesktop::startServerAndListen(SoundServer &server, int restart)
{
    server.start();
    QVERIFY(runUntil([&server] { return server.hasStarted(); }, ServerStartTimeoutMs));
    QVERIFY2(server.startSucceeded(), qPrintable(server.startErrors()));
    const qint64 backMs = nowMs();
    BackgroundRecording recording(m_sink, SoundLevel, SilenceBeforeSoundMs);
    QVERIFY(runUntil([&recording] { return recording.hasStarted(); }, WindowTimeoutMs));
    QVERIFY2(recording.isRecording(), qPrintable(recording.errorText()));
    runFor(int(ListenMs - (nowMs() - backMs)));
    recording.stop();
    QVERIFY(runUntil([&recording] { return recording.isDone(); }, WindowTimeoutMs));

    const QList<qint64> &onsets = recording.onsetsNs(); // ascending
    const qint64 recordedFromMs = recording.recordedFromNs() / NsPerMs;
    const qint64 recordedUntilMs = recording.recordedUntilNs() / NsPerMs;
    int checked = 0;
    int heard = 0;
    QStringList afterServer; // each pop since the server answered: when, and its onset
    for (const qint64 pop : m_cues[Cue::Up]) {
        if (pop < backMs || pop > recordedUntilMs - RecordingTailMs)
            continue;
        // Where the pop's onset may lie.
        const qint64 earliestNs = (pop - qint64(OnsetToleranceMs)) * NsPerMs;
        const qint64 latestNs = (pop + LatestPopOnsetMs) * NsPerMs;
        const auto next = std::lower_bound(onsets.begin(), onsets.end(), earliestNs);
        const bool onset = next != onsets.end() && *next <= latestNs;
        // A pop whose sound the recording lost cannot be judged.
        const auto overlapsPop = [&](const std::pair<qint64, qint64> &gap) {
            return gap.first <= latestNs && gap.second >= earliestNs;
        };
        const bool lost = std::any_of(recording.gapsNs().begin(), recording.gapsNs().end(),
                                      overlapsPop);
        QString heardAs = lost ? QStringLiteral("lost by the recording")
                               : QStringLiteral("not heard");
        if (next != onsets.end())
            heardAs = QStringLiteral("%1 %2 ms")
                          .arg(onset ? QStringLiteral("onset")
                                     : heardAs + QStringLiteral(", the next onset"))
                          .arg(*next / NsPerMs - pop);
        afterServer << QStringLiteral("%1 ms: %2").arg(pop - backMs).arg(heardAs);
        if (pop >= std::max(backMs + SoundBackWithinMs, recordedFromMs) && !lost) {
            ++checked;
            heard += onset;
        }
    }
    qInfo("restart %d: %d of %d pops heard from a second on, recorded from %lld to %lld ms, %d "
          "onsets; pops after the server answered at %s",
          restart, heard, checked, recordedFromMs - backMs, recordedUntilMs - backMs,
          int(onsets.size()), qPrintable(afterServer.join(QStringLiteral(", "))));
    QVERIFY(checked >= LeastPopsHeard && heard == checked);
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"

// A round driven tick by tick: Start and Stop, the Get Ready phase, the countdown, the beat
// of the pops with its succession of holes, and the hammer with its hits, pressed through
// the window as a player's mouse would; and a window whose cues and tables lie in folders
// apart, as an installed copy's do.
#include "artwork.h"
#include "frmzub.h"
#include "picturecontrol.h"
#include "tonewell.h"
#include "widgettest.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
constexpr double Noon = 0.5;
} // namespace

class TestRound : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void startSetsUpTheRound();
    void getReady_data();
    void getReady();
    void roundEnds_data();
    void roundEnds();
    void popsShowThePickedHoles();
    void popIntervalFollowsTheLevel();
    void hitScoresTenWithCue();
    void pressesThatScoreNothing();
    void uncoveredColumnsScoreAgain();
    void secondButtonWhileHeldScores();
    void repeatedHoleCanBeHitAgain();
    void hundredHitsReadOneThousand();
    void tapsStrikeAsPresses_data();
    void tapsStrikeAsPresses();
    void cuesAndTablesInFoldersApart();
    void pauseHoldsTheRound_data();
    void pauseHoldsTheRound();

private:
    template<typename T = QWidget>
    T *control(const QString &name)
    {
        return ::control<T>(m_window, name);
    }
    PictureControl *target(int i)
    {
        return control<PictureControl>(QStringLiteral("ZubIN(%1)").arg(i));
    }
    PictureControl *hitPicture(int i)
    {
        return control<PictureControl>(QStringLiteral("Explode(%1)").arg(i));
    }
    // timStart and Countdown are QTimers, Pop the beat's own timer: all three have QTimer's
    // properties and its start and stop slots.
    QObject *timer(const char *name) { return control<QObject>(QLatin1String(name)); }
    bool timerActive(const char *name) { return timer(name)->property("active").toBool(); }
    int timerInterval(const char *name) { return timer(name)->property("interval").toInt(); }
    void callTimer(const char *name, const char *slot)
    {
        QMetaObject::invokeMethod(timer(name), slot);
    }
    QString text(const char *label) { return control<QLabel>(QLatin1String(label))->text(); }
    QString timersRunning();
    void startPlay();
    void freezeTimers();
    // A round in play, its timers held for the test to drive.
    void playByHand()
    {
        startPlay();
        freezeTimers();
    }
    // The pointer of imgHAM(0), the raised hammer, or imgHAM(1), the striking one.
    QCursor hammer(int index)
    {
        return Artwork::pointer(
            control<PictureControl>(QStringLiteral("imgHAM(%1)").arg(index))->picture());
    }
    QPoint onBoard(QPoint p) { return m_window->centralWidget()->mapTo(m_window, p); }
    void press(QPoint boardPoint, Qt::MouseButton button = Qt::LeftButton);
    void release(QPoint boardPoint, Qt::MouseButton button = Qt::LeftButton);
    void click(QPoint boardPoint)
    {
        press(boardPoint);
        release(boardPoint);
    }
    QStringList visibleTargets();

    QTemporaryDir m_folder;
    double m_dayFraction = Noon;
    // The end of the warning before a paused round goes on, called by the test.
    std::function<void()> m_warningOver;
    frmZUB *m_window = nullptr;
    QSignalSpy *m_cues = nullptr;
};

void TestRound::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestRound::init()
{
    m_dayFraction = Noon;
    m_warningOver = nullptr;
    m_window = new frmZUB(
        m_folder.path(), [this] { return m_dayFraction; },
        [this](QObject *, std::function<void()> over) { m_warningOver = std::move(over); });
    m_cues = new QSignalSpy(&m_window->sound(), &Tonewell::played);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void TestRound::cleanup()
{
    delete m_cues;
    delete m_window;
}

QString TestRound::timersRunning()
{
    QStringList running;
    for (const char *name : {"timStart", "Pop", "Countdown"})
        if (timerActive(name))
            running << QLatin1String(name);
    return running.join(' ');
}

// Runs the Get Ready phase to its end by its ticks.
void TestRound::startPlay()
{
    m_window->bmSTART_Click();
    while (timerActive("timStart"))
        m_window->timStart_Timer();
}

// Handlers are driven by the test alone: real ticks must not fall between its steps.
void TestRound::freezeTimers()
{
    for (const char *name : {"timStart", "Pop", "Countdown"})
        callTimer(name, "stop");
}

void TestRound::press(QPoint boardPoint, Qt::MouseButton button)
{
    QTest::mousePress(m_window->windowHandle(), button, {}, onBoard(boardPoint));
}

void TestRound::release(QPoint boardPoint, Qt::MouseButton button)
{
    QTest::mouseRelease(m_window->windowHandle(), button, {}, onBoard(boardPoint));
}

QStringList TestRound::visibleTargets()
{
    QStringList shown;
    for (int i = 0; i < 11; ++i) {
        if (target(i)->isVisible())
            shown << target(i)->objectName();
        if (hitPicture(i)->isVisible())
            shown << hitPicture(i)->objectName();
    }
    return shown;
}

void TestRound::startSetsUpTheRound()
{
    m_window->bmSTART_Click();
    QVERIFY(m_window->running());
    QCOMPARE(control<QAction>(QStringLiteral("bmSTART"))->text(), QStringLiteral("&Stop"));
    QCOMPARE(text("TimeX"), QStringLiteral("60"));
    QCOMPARE(text("PointsTable"), QStringLiteral("0"));
    QVERIFY(!control<QMenu>(QStringLiteral("mnuLEVEL"))->menuAction()->isEnabled());
    QVERIFY(!control<QMenu>(QStringLiteral("mnuTOP"))->menuAction()->isEnabled());
    QCOMPARE(timersRunning(), QStringLiteral("timStart"));
    QVERIFY(!control(QStringLiteral("lblMESSAGE"))->isVisible());
    QCOMPARE(m_cues->count(), 0);
}

void TestRound::getReady_data()
{
    QTest::addColumn<bool>("stoppedAfterTwoTicks");
    QTest::newRow("the first round takes three ticks, the next two") << false;
    QTest::newRow("stopped after two ticks") << true;
}

// Stopped before its first tick, Get Ready shows no message and counts no tick. A round's
// ticks show the message; the first round after start-up plays at its third tick, with the
// beat's designed interval, the next at their second. Stopped after two ticks, the message
// stays on the idle board and the count carries over, so the next round plays at its first.
void TestRound::getReady()
{
    QFETCH(bool, stoppedAfterTwoTicks);
    QWidget *message = control(QStringLiteral("lblMESSAGE"));
    m_window->bmSTART_Click();
    m_window->bmSTART_Click();
    QVERIFY(!message->isVisible());
    QCOMPARE(m_window->readyTicks(), 0);
    QCOMPARE(timersRunning(), QString());

    m_window->bmSTART_Click();
    for (int tick = 1; tick <= 2; ++tick) {
        m_window->timStart_Timer();
        QVERIFY(message->isVisible());
        QCOMPARE(timersRunning(), QStringLiteral("timStart"));
        QCOMPARE(m_window->readyTicks(), tick);
    }
    if (stoppedAfterTwoTicks) {
        m_window->bmSTART_Click();
        QVERIFY(message->isVisible());
        QVERIFY(!m_window->running());
        QCOMPARE(m_window->readyTicks(), 2);
        QCOMPARE(timersRunning(), QString());
        m_window->bmSTART_Click();
        QVERIFY(message->isVisible());
    } else {
        m_window->timStart_Timer();
        QVERIFY(!message->isVisible());
        QCOMPARE(timersRunning(), QStringLiteral("Pop Countdown"));
        QCOMPARE(m_window->readyTicks(), 1);
        QVERIFY(visibleTargets().isEmpty());
        QCOMPARE(timerInterval("Pop"), 400);
        m_window->bmSTART_Click();
        QCOMPARE(timersRunning(), QString());
        m_window->bmSTART_Click();
        m_window->timStart_Timer();
        QVERIFY(message->isVisible());
        QCOMPARE(timersRunning(), QStringLiteral("timStart"));
    }
    m_window->timStart_Timer();
    QVERIFY(!message->isVisible());
    QCOMPARE(timersRunning(), QStringLiteral("Pop Countdown"));
}

void TestRound::roundEnds_data()
{
    QTest::addColumn<bool>("timeUp");
    QTest::newRow("the time runs out") << true;
    QTest::newRow("Stop") << false;
}

// The countdown writes the time with one leading blank, " 59" to " 0", and the round plays
// on until a tick finds 0. However a round ends, the timers stop, the eyes go, the time reads
// 0, the score stays and the menus are back; the end of the time plays the end cue, flagged
// while it starts and lowered after, Stop none. The next Start shows 60 and 0 at once.
void TestRound::roundEnds()
{
    QFETCH(bool, timeUp);
    startPlay();
    m_window->Pop_Timer();
    m_window->ZubIN_MouseDown(m_window->currentHole());
    freezeTimers();
    m_cues->clear();

    QStringList texts;
    for (int tick = 1; tick <= (timeUp ? 60 : 1); ++tick) {
        m_window->Countdown_Timer();
        texts << text("TimeX");
    }
    QCOMPARE(texts.first(), QStringLiteral(" 59"));
    QVERIFY(m_window->running());
    QCOMPARE(m_cues->count(), 0);
    callTimer("Pop", "start");
    callTimer("Countdown", "start");
    if (timeUp) {
        QCOMPARE(texts[58], QStringLiteral(" 1"));
        QCOMPARE(texts.last(), QStringLiteral(" 0"));
        // The end of the time opens the record dialog; it is left with Cancel here.
        QTimer::singleShot(0, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        m_window->Countdown_Timer();
    } else {
        m_window->bmSTART_Click();
    }

    QVERIFY(!m_window->running());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(text("TimeX"), QStringLiteral("0"));
    QCOMPARE(text("PointsTable"), QStringLiteral("10"));
    QCOMPARE(m_window->score(), 10);
    QCOMPARE(timersRunning(), QString());
    QVERIFY(visibleTargets().isEmpty());
    QVERIFY(control<QMenu>(QStringLiteral("mnuLEVEL"))->menuAction()->isEnabled());
    QVERIFY(control<QMenu>(QStringLiteral("mnuTOP"))->menuAction()->isEnabled());
    QCOMPARE(control<QAction>(QStringLiteral("bmSTART"))->text(), QStringLiteral("&Start"));
    QCOMPARE(m_cues->count(), timeUp ? 1 : 0);
    if (timeUp) {
        QCOMPARE(m_cues->at(0).at(0).toString(), m_folder.filePath(QStringLiteral("End.wav")));
        QCOMPARE(m_cues->at(0).at(1).toBool(), true);
        QVERIFY(!m_window->sound().cueFlag());
    }

    m_window->bmSTART_Click();
    QCOMPARE(text("TimeX"), QStringLiteral("60"));
    QCOMPARE(text("PointsTable"), QStringLiteral("0"));
    QCOMPARE(m_window->score(), 0);
}

// Each beat shows the eyes of the hole picked at the window's time of day, and only those,
// with the pop cue; the next round goes on with the succession where this one stopped.
void TestRound::popsShowThePickedHoles()
{
    playByHand();
    const QList<std::pair<double, int>> pops{{Noon, 7}, {0.0, 7}, {1.0 / 86400, 5}, {Noon, 6}};
    for (const auto &[dayFraction, hole] : pops) {
        m_dayFraction = dayFraction;
        m_window->Pop_Timer();
        QCOMPARE(m_window->currentHole(), hole);
        QCOMPARE(visibleTargets(), QStringList{QStringLiteral("ZubIN(%1)").arg(hole)});
    }
    QCOMPARE(m_cues->count(), pops.size());
    for (const QList<QVariant> &cue : *m_cues) {
        QCOMPARE(cue.at(0).toString(), m_folder.filePath(QStringLiteral("Up.wav")));
        QCOMPARE(cue.at(1).toBool(), false);
    }

    m_window->bmSTART_Click();
    playByHand();
    m_window->Pop_Timer();
    QCOMPARE(m_window->currentHole(), 3);
}

void TestRound::popIntervalFollowsTheLevel()
{
    const QList<std::pair<int, int>> levels{{1, 950}, {2, 600}, {3, 400}, {1, 950}};
    int previous = 400;
    for (const auto &[level, interval] : levels) {
        m_window->bmLEVEL_Click(level);
        startPlay();
        // The first beat of a round waits as long as the last beat of the round before.
        QCOMPARE(timerInterval("Pop"), previous);
        QVERIFY(timerActive("Pop"));
        freezeTimers();
        m_window->Pop_Timer();
        QCOMPARE(timerInterval("Pop"), interval);
        m_window->Pop_Timer();
        QCOMPARE(timerInterval("Pop"), interval);
        m_window->bmSTART_Click();
        previous = interval;
    }
}

void TestRound::hitScoresTenWithCue()
{
    const QCursor raised = hammer(0);
    const QCursor striking = hammer(1);
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        playByHand();
        m_window->Pop_Timer();
        const int hole = m_window->currentHole();
        m_cues->clear();

        const QPoint centre = target(hole)->geometry().center();
        press(centre, button);
        QCOMPARE(m_window->score(), 10);
        QCOMPARE(text("PointsTable"), QStringLiteral("10"));
        QVERIFY(hitPicture(hole)->isVisible());
        QVERIFY(target(hole)->isVisible());
        QVERIFY(samePointer(target(hole)->cursor(), striking));
        QCOMPARE(m_cues->count(), 1);
        QCOMPARE(m_cues->at(0).at(0).toString(), m_folder.filePath(QStringLiteral("Hit.wav")));
        QCOMPARE(m_cues->at(0).at(1).toBool(), true);
        QVERIFY(!m_window->sound().cueFlag());

        // Released elsewhere: the release still goes to the target, whose hammer stays down.
        release(QPoint(200, 200), button);
        QVERIFY(samePointer(target(hole)->cursor(), striking));
        // The first fireball of a hole carries the raised hammer until it is pressed on.
        QVERIFY(samePointer(hitPicture(hole)->cursor(), raised));
        press(centre, button);
        QVERIFY(samePointer(hitPicture(hole)->cursor(), striking));
        release(centre, button);
        QCOMPARE(m_window->score(), 10);
        QCOMPARE(m_cues->count(), 1);

        // The next beat takes both down and raises the target's hammer again.
        m_window->Pop_Timer();
        QVERIFY(!hitPicture(hole)->isVisible());
        QVERIFY(samePointer(target(hole)->cursor(), raised));
        m_window->bmSTART_Click();
    }
}

void TestRound::pressesThatScoreNothing()
{
    const QCursor raised = hammer(0);
    const QCursor striking = hammer(1);
    QWidget *sheet = control(QStringLiteral("imgCUR"));
    playByHand();
    m_window->Pop_Timer();
    const int shownHole = m_window->currentHole();
    m_cues->clear();

    // The bare board, an empty hole: the hammer strikes while held and is raised on release.
    const QPoint emptyHole = target(0)->geometry().center();
    for (QPoint p : {QPoint(200, 130), emptyHole}) {
        press(p);
        QVERIFY(samePointer(sheet->cursor(), striking));
        release(p);
        QVERIFY(samePointer(sheet->cursor(), raised));
    }
    // Pressing on the board and letting go over the target leaves the target alone.
    press(QPoint(200, 130));
    release(target(shownHole)->geometry().center());
    QVERIFY(samePointer(sheet->cursor(), raised));
    QVERIFY(samePointer(target(shownHole)->cursor(), raised));
    // The panels and the labels on them take presses for nobody.
    for (QPoint p :
         {QPoint(140, 30), QPoint(200, 30), QPoint(140, 360), QPoint(200, 360), QPoint(390, 390)}) {
        press(p);
        QVERIFY(samePointer(sheet->cursor(), raised));
        release(p);
    }
    QCOMPARE(m_window->score(), 0);
    QCOMPARE(m_cues->count(), 0);
    QVERIFY(!hitPicture(shownHole)->isVisible());
}

// Holes 5 and 6 come second and third from program start. On a target's leftmost column,
// which its fireball leaves uncovered, a second press reaches the target and scores again,
// but not as the second press of a double-click, which strikes nothing.
void TestRound::uncoveredColumnsScoreAgain()
{
    playByHand();
    for (int hole : {5, 6}) {
        while (m_window->currentHole() != hole)
            m_window->Pop_Timer();
        const QPoint leftColumn(target(hole)->x(), target(hole)->geometry().center().y());
        const int before = m_window->score();
        if (hole == 5) {
            QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, {}, onBoard(leftColumn));
            QCOMPARE(m_window->score(), before + 10);
        } else {
            click(leftColumn);
        }
        click(leftColumn);
        QCOMPARE(m_window->score(), before + 20);
        // One column further right the fireball covers the target: no more points.
        click(leftColumn + QPoint(1, 0));
        QCOMPARE(m_window->score(), before + 20);
    }
}

void TestRound::secondButtonWhileHeldScores()
{
    const QCursor striking = hammer(1);
    playByHand();
    m_window->Pop_Timer();
    const int hole = m_window->currentHole();
    const QPoint centre = target(hole)->geometry().center();
    press(centre, Qt::LeftButton);
    QVERIFY(hitPicture(hole)->isVisible());
    // The target holds the mouse although its fireball now lies in front of it.
    press(centre, Qt::RightButton);
    QCOMPARE(m_window->score(), 20);
    release(centre, Qt::RightButton);
    release(centre, Qt::LeftButton);
    QVERIFY(samePointer(target(hole)->cursor(), striking));
    QCOMPARE(m_window->score(), 20);
}

void TestRound::repeatedHoleCanBeHitAgain()
{
    playByHand();
    // The fourth and fifth picks from program start are both hole 3.
    for (int i = 0; i < 4; ++i)
        m_window->Pop_Timer();
    QCOMPARE(m_window->currentHole(), 3);
    const QPoint centre = target(3)->geometry().center();
    click(centre);
    QVERIFY(hitPicture(3)->isVisible());
    m_window->Pop_Timer();
    QCOMPARE(m_window->currentHole(), 3);
    QCOMPARE(visibleTargets(), QStringList{QStringLiteral("ZubIN(3)")});
    click(centre);
    QCOMPARE(m_window->score(), 20);
}

void TestRound::hundredHitsReadOneThousand()
{
    playByHand();
    for (int i = 0; i < 100; ++i) {
        m_window->Pop_Timer();
        const QPoint centre = target(m_window->currentHole())->geometry().center();
        click(centre);
    }
    QCOMPARE(m_window->score(), 1000);
    QCOMPARE(text("PointsTable"), QStringLiteral("1,000"));
}

void TestRound::tapsStrikeAsPresses_data()
{
    // Touch events in turn, each of one or more points joined by commas: "+N:place" puts
    // finger N down there, "-N:place" lifts it.
    QTest::addColumn<QString>("taps");
    QTest::addColumn<bool>("paused"); // the round is paused before the first tap
    QTest::addColumn<int>("score");
    QTest::newRow("a tap on the eyes") << "+0:eyes -0:eyes" << false << 10;
    QTest::newRow("two fingers at once, on the wall and the eyes")
        << "+0:wall,+1:eyes -0:wall,-1:eyes" << false << 10;
    QTest::newRow("a finger resting while another taps")
        << "+0:wall +1:eyes -1:eyes -0:wall" << false << 10;
    QTest::newRow("a second finger on the eyes lands on the fireball")
        << "+0:eyes +1:eyes -1:eyes -0:eyes" << false << 10;
    QTest::newRow("two fingers at once on the eyes")
        << "+0:eyes,+1:eyes -0:eyes,-1:eyes" << false << 20;
    QTest::newRow("a second tap lands on the fireball")
        << "+0:eyes -0:eyes +0:eyes -0:eyes" << false << 10;
    QTest::newRow("a tap on an empty hole") << "+0:hole -0:hole" << false << 0;
    QTest::newRow("a tap on a panel") << "+0:panel -0:panel" << false << 0;
    QTest::newRow("a tap on the score") << "+0:score -0:score" << false << 0;
    QTest::newRow("a tap where the eyes were ends a pause") << "+0:eyes -0:eyes" << true << 0;
}

// On a touchscreen every finger is a hammer: a finger that lands is a press on the control
// under it, whatever the other fingers do, and no finger is a mouse press as well.
void TestRound::tapsStrikeAsPresses()
{
    QFETCH(QString, taps);
    QFETCH(bool, paused);
    QFETCH(int, score);
    const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());
    const MouseEventCounter mouse(qApp);
    playByHand();
    m_window->Pop_Timer();
    const int hole = m_window->currentHole();
    if (paused)
        m_window->togglePause();
    m_cues->clear();
    const QMap<QString, QPoint> places{{"eyes", target(hole)->geometry().center()},
                                       {"wall", {200, 130}},
                                       {"hole", target(0)->geometry().center()},
                                       {"panel", {140, 30}},
                                       {"score", {200, 30}}};
    for (const QString &event : taps.split(u' ')) {
        QTest::QTouchEventSequence touch = QTest::touchEvent(m_window->windowHandle(),
                                                             screen.get());
        for (const QString &point : event.split(u',')) {
            const int finger = point.mid(1, 1).toInt();
            const QPoint at = onBoard(places.value(point.mid(3)));
            if (point.startsWith(u'+'))
                touch.press(finger, at);
            else
                touch.release(finger, at);
        }
    }
    QCOMPARE(m_window->score(), score);
    QCOMPARE(text("PointsTable"), QString::number(score));
    QCOMPARE(m_cues->count(), score / 10);
    QCOMPARE(hitPicture(hole)->isVisible(), score > 0);
    QCOMPARE(mouse.presses, 0);
    QVERIFY(samePointer(control(QStringLiteral("imgCUR"))->cursor(), hammer(0)));
    QCOMPARE(m_warningOver != nullptr, paused);
    if (paused)
        m_warningOver();
    QVERIFY(!m_window->paused());
}

// The cues come from their folder, the first record makes the tables' folder and writes
// there, and nothing is written where the cues lie.
void TestRound::cuesAndTablesInFoldersApart()
{
    QTemporaryDir tree;
    const QString cues = tree.filePath(QStringLiteral("usr/share/zubbo"));
    const QString tables = tree.filePath(QStringLiteral("home/.local/share/zubbo"));
    QVERIFY(QDir().mkpath(cues));
    delete m_cues;
    delete m_window;
    m_window = new frmZUB(GameFolders{cues, QCoreApplication::applicationDirPath(), tables,
                                      TableFolder::MadeOnFirstRecord},
                          [] { return Noon; });
    m_cues = new QSignalSpy(&m_window->sound(), &Tonewell::played);
    QVERIFY(!QFileInfo::exists(tables));

    playByHand();
    m_window->Pop_Timer();
    QCOMPARE(m_cues->count(), 1);
    QCOMPARE(m_cues->at(0).at(0).toString(), cues + QStringLiteral("/Up.wav"));

    QCOMPARE(m_window->tables().record(Level::Easy, QStringLiteral("Anna"), 10), Recorded::Saved);
    QCOMPARE(fileContent(tables + QStringLiteral("/Top_Easy.zub")), QByteArray("Anna;10;\r\n"));
    QVERIFY(QDir(cues).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

void TestRound::pauseHoldsTheRound_data()
{
    QTest::addColumn<QString>("phase");
    QTest::addColumn<int>("leaving");  // the application state left for; -1: the P key
    QTest::addColumn<QString>("stop"); // when Stop comes, if it does
    QTest::newRow("P in play") << "play" << -1 << "";
    QTest::newRow("another program in play") << "play" << int(Qt::ApplicationInactive) << "";
    QTest::newRow("minimised in play") << "play" << int(Qt::ApplicationHidden) << "";
    QTest::newRow("another program in Get Ready") << "ready" << int(Qt::ApplicationInactive) << "";
    QTest::newRow("stopped while paused in play") << "play" << -1 << "paused";
    QTest::newRow("stopped while paused in Get Ready") << "ready" << -1 << "paused";
    QTest::newRow("stopped during the warning") << "play" << -1 << "warning";
    QTest::newRow("P while idle") << "idle" << -1 << "";
    QTest::newRow("another program while idle") << "idle" << int(Qt::ApplicationInactive) << "";
}

// A pause holds the round still: no timer runs, the eyes and the fireball are gone, the
// message says "P a u s e d" and a press where the eyes were scores nothing. Coming back
// does not go on by itself; a press on the board does, after the warning, and then the
// board and the timers are as before the pause. Stop while paused leaves the message as
// the round had it, and a warning that ends after it brings nothing back. While idle
// nothing pauses.
void TestRound::pauseHoldsTheRound()
{
    QFETCH(QString, phase);
    QFETCH(int, leaving);
    QFETCH(QString, stop);
    QWidget *message = control(QStringLiteral("lblMESSAGE"));
    m_window->applicationStateChanged(Qt::ApplicationActive);
    if (phase == QLatin1String("play")) {
        startPlay();
        m_window->Pop_Timer();
        click(target(m_window->currentHole())->geometry().center());
        QCOMPARE(m_window->score(), 10);
    } else if (phase == QLatin1String("ready")) {
        m_window->bmSTART_Click();
        m_window->timStart_Timer();
    }
    const QString timers = timersRunning();
    const QStringList shown = visibleTargets();
    const bool messageShown = message->isVisible();
    const QString messageText = text("lblMESSAGE");
    m_cues->clear();
    const auto stopRound = [&] {
        m_window->bmSTART_Click();
        if (m_warningOver)
            m_warningOver();
        QVERIFY(!m_window->running() && !m_window->paused());
        QCOMPARE(message->isVisible(), messageShown);
        QCOMPARE(text("lblMESSAGE"), messageText);
        QCOMPARE(timersRunning(), QString());
    };

    if (leaving < 0)
        m_window->togglePause();
    else
        m_window->applicationStateChanged(Qt::ApplicationState(leaving));
    if (phase == QLatin1String("idle")) {
        QVERIFY(!m_window->paused());
        QVERIFY(!message->isVisible());
        return;
    }
    QVERIFY(m_window->paused());
    QCOMPARE(timersRunning(), QString());
    QVERIFY(visibleTargets().isEmpty());
    QVERIFY(message->isVisible());
    QCOMPARE(text("lblMESSAGE"), QStringLiteral("P a u s e d"));
    if (stop == QLatin1String("paused"))
        return stopRound();

    m_window->applicationStateChanged(Qt::ApplicationActive);
    QVERIFY(m_window->paused());
    QVERIFY(!m_warningOver);
    const QPoint eyesPlace = target(m_window->currentHole())->geometry().center();
    click(eyesPlace);
    QVERIFY(m_window->paused());
    QCOMPARE(text("lblMESSAGE"), QStringLiteral("G e t   R e a d y"));
    QCOMPARE(timersRunning(), QString());
    QCOMPARE(m_window->score(), phase == QLatin1String("play") ? 10 : 0);
    QCOMPARE(m_cues->count(), 0);
    QVERIFY(m_warningOver);
    if (stop == QLatin1String("warning"))
        return stopRound();

    m_warningOver();
    QVERIFY(!m_window->paused());
    QCOMPARE(visibleTargets(), shown);
    QCOMPARE(message->isVisible(), messageShown);
    QCOMPARE(text("lblMESSAGE"), messageText);
    QCOMPARE(timersRunning(), timers);
}

QTEST_MAIN(TestRound)
#include "tst_round.moc"

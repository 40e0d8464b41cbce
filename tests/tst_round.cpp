// A round driven tick by tick: Start and Stop, the Get Ready phase, the countdown, the beat
// of the pops with its succession of holes, and the hammer with its hits, pressed through
// the window as a player's mouse or fingers would; and a window whose cues and tables lie in
// folders apart, as an installed copy's do.
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
    void strikes_data();
    void strikes();
    void hundredHitsReadOneThousand();
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
    void click(QPoint boardPoint)
    {
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, onBoard(boardPoint));
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
// while it starts and lowered after, Stop none, and opens the record dialog of the level
// played once the round has stopped. The next Start shows 60 and 0 at once.
void TestRound::roundEnds()
{
    QFETCH(bool, timeUp);
    m_window->bmLEVEL_Click(int(Level::Medium));
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
        QString caption;
        bool running = true;
        whenModal([&](QWidget *modal) {
            caption = modal->windowTitle();
            running = m_window->running();
            typeName(modal, QStringLiteral("Zed"));
            QTest::keyClick(nameBox(modal)->lineEdit(), Qt::Key_Return);
        });
        m_window->Countdown_Timer();
        QCOMPARE(caption, QStringLiteral("Score Memorize - Medium"));
        QVERIFY(!running);
        QCOMPARE(fileContent(m_window->tables().filePath(Level::Medium)),
                 QByteArray("Zed;10;\r\n"));
        QCOMPARE(int(m_window->tables().TopMediCount), 1);
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

void TestRound::strikes_data()
{
    // Steps in turn. "pop" brings the next eyes. "B+place" presses mouse button B (L, R or M)
    // there, "B-place" releases it, "B2place" double-clicks; "N+place" puts finger N down,
    // "N-place" lifts it, and points joined by commas are one touch event. "pause" pauses the
    // round; "resumed" ends the warning that a press began and finds the round going on. The
    // steps with a colon check: the score and its label, the cues since the last pop (each a
    // hit's), the hammer over the sheet, the eyes or their fireball, the eyes or the fireball
    // shown or hidden, the hole, and the eyes as the only picture shown. Touch alone is never
    // a mouse press as well.
    QTest::addColumn<QString>("script");
    for (const char *button : {"L", "R", "M"}) {
        // Released elsewhere, the release still goes to the eyes, whose hammer stays down; the
        // first fireball of a hole carries the raised hammer until it is pressed on, and the
        // next pop takes both down and raises the hammer of the eyes again.
        QTest::addRow("a hit with button %s", button)
            << QStringLiteral("pop %1+eyes score:10 shown:fire shown:eyes striking:eyes cues:1 "
                              "%1-away striking:eyes raised:fire %1+eyes striking:fire %1-eyes "
                              "score:10 cues:1 pop hidden:fire raised:eyes")
                   .arg(QLatin1String(button));
    }
    QTest::newRow("the wall and an empty hole strike while held")
        << "pop L+wall striking:sheet L-wall raised:sheet L+hole striking:sheet L-hole "
           "raised:sheet score:0 cues:0 hidden:fire";
    QTest::newRow("pressed on the wall, let go over the eyes")
        << "pop L+wall L-eyes raised:sheet raised:eyes score:0 cues:0 hidden:fire";
    QTest::newRow("panels and labels take presses for nobody")
        << "pop L+scorepanel raised:sheet L-scorepanel L+score raised:sheet L-score "
           "L+timepanel raised:sheet L-timepanel L+time raised:sheet L-time L+version "
           "raised:sheet L-version score:0 cues:0 hidden:fire";
    // Holes 5 and 6 come second and third from program start. On the leftmost column of the
    // eyes, which their fireball leaves uncovered, a second press reaches the eyes and scores
    // again, but not as the second press of a double-click; one column further right the
    // fireball covers the eyes.
    QTest::newRow("uncovered columns score again")
        << "pop pop hole:5 L2left score:10 L+left L-left score:20 L+left1 L-left1 score:20 "
           "pop hole:6 L+left L-left score:30 L+left L-left score:40 L+left1 L-left1 score:40";
    // The eyes hold the mouse although their fireball now lies in front of them.
    QTest::newRow("a second button while the first is held")
        << "pop L+eyes shown:fire R+eyes score:20 R-eyes L-eyes striking:eyes score:20";
    // The fourth and fifth picks from program start are both hole 3.
    QTest::newRow("a hole that comes again is hit again")
        << "pop pop pop pop hole:3 L+eyes L-eyes shown:fire pop hole:3 only:eyes L+eyes L-eyes "
           "score:20";

    // On a touchscreen every finger is a hammer: a finger that lands is a press on what lies
    // under it, whatever the other fingers do.
    QTest::newRow("a tap on the eyes")
        << "pop 0+eyes 0-eyes score:10 cues:1 shown:fire raised:sheet";
    QTest::newRow("two fingers at once, on the wall and the eyes")
        << "pop 0+wall,1+eyes 0-wall,1-eyes score:10 cues:1 shown:fire raised:sheet";
    QTest::newRow("a finger resting while another taps")
        << "pop 0+wall 1+eyes 1-eyes 0-wall score:10 cues:1 shown:fire raised:sheet";
    QTest::newRow("two fingers at once on the eyes")
        << "pop 0+eyes,1+eyes 0-eyes,1-eyes score:20 cues:2 shown:fire raised:sheet";
    QTest::newRow("a second finger on the eyes lands on the fireball")
        << "pop 0+eyes 1+eyes 1-eyes 0-eyes score:10 cues:1 shown:fire raised:sheet";
    QTest::newRow("a second tap lands on the fireball")
        << "pop 0+eyes 0-eyes 0+eyes 0-eyes score:10 cues:1 shown:fire raised:sheet";
    QTest::newRow("taps on an empty hole, a panel and the score")
        << "pop 0+hole 0-hole 0+scorepanel 0-scorepanel 0+score 0-score score:0 cues:0 "
           "hidden:fire raised:sheet";
    QTest::newRow("a tap where the eyes were ends a pause")
        << "pop pause 0+eyes 0-eyes resumed score:0 cues:0 hidden:fire raised:sheet";
}

void TestRound::strikes()
{
    QFETCH(QString, script);
    const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());
    const MouseEventCounter mouse(qApp);
    bool mouseUsed = false;
    playByHand();
    const auto part = [this](const QString &name) -> QWidget * {
        if (name == u"sheet")
            return control(QStringLiteral("imgCUR"));
        if (name == u"fire")
            return hitPicture(m_window->currentHole());
        return target(m_window->currentHole());
    };
    const auto place = [this](const QString &name) {
        const QRect eyes = target(m_window->currentHole())->geometry();
        const QPoint left(eyes.x(), eyes.center().y());
        const QMap<QString, QPoint> places{
            {"eyes", eyes.center()},        {"left", left},
            {"left1", left + QPoint(1, 0)}, {"wall", {200, 130}},
            {"away", {200, 200}},           {"hole", target(0)->geometry().center()},
            {"scorepanel", {140, 30}},      {"score", {200, 30}},
            {"timepanel", {140, 360}},      {"time", {200, 360}},
            {"version", {390, 390}}};
        if (!places.contains(name))
            qFatal("no place %s on the board", qPrintable(name));
        return onBoard(places.value(name));
    };
    const QMap<QChar, Qt::MouseButton> buttons{{u'L', Qt::LeftButton},
                                               {u'R', Qt::RightButton},
                                               {u'M', Qt::MiddleButton}};

    for (const QString &step : script.split(u' ')) {
        const QString check = step.section(u':', 0, 0);
        const QString value = step.section(u':', 1);
        if (step == u"pop") {
            m_window->Pop_Timer();
            m_cues->clear();
        } else if (step == u"pause") {
            m_window->togglePause();
        } else if (step == u"resumed") {
            QVERIFY(m_warningOver);
            m_warningOver();
            QVERIFY(!m_window->paused());
        } else if (check == u"score") {
            QCOMPARE(m_window->score(), value.toInt());
            QCOMPARE(text("PointsTable"), value);
        } else if (check == u"cues") {
            QCOMPARE(m_cues->count(), value.toInt());
            for (const QList<QVariant> &cue : *m_cues) {
                QCOMPARE(cue.at(0).toString(), m_folder.filePath(QStringLiteral("Hit.wav")));
                QCOMPARE(cue.at(1).toBool(), true);
            }
            QVERIFY(!m_window->sound().cueFlag());
        } else if (check == u"striking" || check == u"raised") {
            QVERIFY2(samePointer(part(value)->cursor(), hammer(check == u"striking")),
                     qPrintable(step));
        } else if (check == u"shown" || check == u"hidden") {
            QVERIFY2(part(value)->isVisible() == (check == u"shown"), qPrintable(step));
        } else if (check == u"hole") {
            QCOMPARE(m_window->currentHole(), value.toInt());
        } else if (check == u"only") {
            QCOMPARE(visibleTargets(), QStringList{part(value)->objectName()});
        } else if (buttons.contains(step[0])) {
            mouseUsed = true;
            const Qt::MouseButton button = buttons.value(step[0]);
            const QPoint at = place(step.mid(2));
            if (step[1] == u'+')
                QTest::mousePress(m_window->windowHandle(), button, {}, at);
            else if (step[1] == u'-')
                QTest::mouseRelease(m_window->windowHandle(), button, {}, at);
            else
                QTest::mouseDClick(m_window->windowHandle(), button, {}, at);
        } else {
            QTest::QTouchEventSequence touch = QTest::touchEvent(m_window->windowHandle(),
                                                                 screen.get());
            for (const QString &point : step.split(u',')) {
                if (point[1] == u'+')
                    touch.press(point[0].digitValue(), place(point.mid(2)));
                else
                    touch.release(point[0].digitValue(), place(point.mid(2)));
            }
        }
        if (QTest::currentTestFailed())
            return;
    }
    if (!mouseUsed)
        QCOMPARE(mouse.presses, 0);
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

// The rules of the main window that need no widget: the version text, the score and time
// texts, the succession of holes, the beat, and the freeze that holds a paused round's timers.
#include "beatkeeper.h"
#include "beattimer.h"
#include "gametext.h"
#include "randomholes.h"
#include "timerfreeze.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <limits>

namespace {
// A repeating timer with QTimer's face that runs on the test's time alone.
class HandTimer : public QObject
{
    Q_OBJECT
public:
    int interval() const { return m_intervalMs; }
    // As on a QTimer, a new interval restarts a running timer.
    void setInterval(int ms)
    {
        m_intervalMs = ms;
        m_leftMs = ms;
    }
    bool isActive() const { return m_active; }
    int remainingTime() const { return m_active ? m_leftMs : -1; }
    void start()
    {
        m_active = true;
        m_leftMs = m_intervalMs;
    }
    void stop() { m_active = false; }
    // Lets the time pass, ticking whenever the wait runs out.
    void pass(int ms)
    {
        while (m_active && ms >= m_leftMs) {
            ms -= m_leftMs;
            m_leftMs = m_intervalMs;
            ++m_ticks;
            emit timeout();
        }
        m_leftMs -= ms;
    }
    QString state() const
    {
        return m_active ? QStringLiteral("running, %1 of %2 ms left, %3 ticks")
                              .arg(m_leftMs)
                              .arg(m_intervalMs)
                              .arg(m_ticks)
                        : QStringLiteral("stopped, %1 ms, %2 ticks").arg(m_intervalMs).arg(m_ticks);
    }

signals:
    void timeout();

private:
    int m_intervalMs = 950;
    int m_leftMs = 0;
    bool m_active = false;
    int m_ticks = 0;
};
} // namespace

class TestGameRules : public QObject
{
    Q_OBJECT
private slots:
    void versionText_data();
    void versionText();
    void scoreText_data();
    void scoreText();
    void countdownTexts();
    void hitPointsNeverOverflow();
    void holeSuccession_data();
    void holeSuccession();
    void holeWeightsOverTheFullPeriod();
    void beatKeepsItsLength();
    void beatTimerTicksUntilStopped_data();
    void beatTimerTicksUntilStopped();
    void freezeKeepsWhatWasLeft_data();
    void freezeKeepsWhatWasLeft();
};

void TestGameRules::versionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");
    QTest::newRow("the program's own, from the build") << -1 << 0 << 0 << "v1.00.0010";
    QTest::newRow("the game's own") << 1 << 0 << 10 << "v1.00.0010";
    QTest::newRow("revision 7") << 1 << 0 << 7 << "v1.00.0007";
    QTest::newRow("revision 123") << 1 << 0 << 123 << "v1.00.0123";
    QTest::newRow("revision 4567") << 1 << 0 << 4567 << "v1.00.4567";
    QTest::newRow("minor 5") << 1 << 5 << 0 << "v1.05.0000";
    QTest::newRow("minor 12") << 1 << 12 << 0 << "v1.12.0000";
    QTest::newRow("major 10") << 10 << 0 << 1 << "v10.00.0001";
    QTest::newRow("minor 100 has no field") << 2 << 100 << 1 << "v2..0001";
}

void TestGameRules::versionText()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QTEST(major < 0 ? VersionString() : VersionString(major, minor, revision), "text");
}

void TestGameRules::scoreText_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("text");
    QTest::newRow("C zero") << QLocale::c() << 0 << "0";
    QTest::newRow("C below a thousand") << QLocale::c() << 990 << "990";
    QTest::newRow("C after 100 hits") << QLocale::c() << 1000 << "1,000";
    QTest::newRow("C millions") << QLocale::c() << 1234560 << "1,234,560";
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << 1250 << "1,250";
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << 1250 << "1.250";
}

void TestGameRules::scoreText()
{
    QFETCH(QLocale, locale);
    QFETCH(int, score);
    QLocale::setDefault(locale);
    QTEST(::scoreText(score), "text");
    QLocale::setDefault(QLocale::c());
}

void TestGameRules::countdownTexts()
{
    QCOMPARE(timeValue(QStringLiteral("60")), 60);
    QCOMPARE(timeValue(QStringLiteral(" 59")), 59);
    QCOMPARE(timeValue(QStringLiteral(" 0")), 0);
    QCOMPARE(timeValue(QStringLiteral("0")), 0);
    QCOMPARE(timeValue(QString()), 0);
    QCOMPARE(countdownText(59), QStringLiteral(" 59"));
    QCOMPARE(countdownText(0), QStringLiteral(" 0"));

    // The whole countdown from the start text: 60 steps down to " 0", each read back.
    QString text = QStringLiteral("60");
    int steps = 0;
    while (timeValue(text) != 0) {
        text = countdownText(timeValue(text) - 1);
        ++steps;
    }
    QCOMPARE(steps, 60);
    QCOMPARE(text, QStringLiteral(" 0"));
}

void TestGameRules::hitPointsNeverOverflow()
{
    constexpr qint32 highest = std::numeric_limits<qint32>::max();
    QCOMPARE(addHitPoints(0), 10);
    QCOMPARE(addHitPoints(990), 1000);
    QCOMPARE(addHitPoints(highest - 10), highest);
    QCOMPARE(addHitPoints(highest - 3), highest);
    QCOMPARE(addHitPoints(highest), highest);
}

// The holes picked from program start at the times of day given: any time moves the
// succession on but midnight, whose first second gives the last value again.
void TestGameRules::holeSuccession_data()
{
    QTest::addColumn<QList<double>>("dayFractions");
    QTest::addColumn<QList<int>>("holes");

    QTest::newRow("from program start")
        << QList<double>(20, 0.5)
        << QList<int>{7, 5, 6, 3, 3, 8, 0, 8, 8, 7, 0, 4, 9, 8, 4, 10, 9, 1, 9, 4};
    QTest::newRow("midnight repeats the last hole")
        << QList<double>{1.0 / 86400, 0.0, 0.0, 12.0 / 86400} << QList<int>{7, 7, 7, 5};
    // Before any pick, midnight gives the value of the starting state: 0.0195..., hole 0.
    QTest::newRow("midnight first") << QList<double>{0.0, 0.25} << QList<int>{0, 7};
}

void TestGameRules::holeSuccession()
{
    QFETCH(QList<double>, dayFractions);
    RandomHoles holes;
    QList<int> picked;
    for (const double dayFraction : dayFractions)
        picked << holes.pickHole(dayFraction);
    QTEST(picked, "holes");
}

void TestGameRules::holeWeightsOverTheFullPeriod()
{
    RandomHoles holes;
    std::array<int, 11> counts{};
    for (int i = 0; i < (1 << 24); ++i)
        ++counts[holes.pickHole(0.5)];
    QCOMPARE(counts[0], 838861);
    QCOMPARE(counts[10], 838860);
    for (int hole = 1; hole <= 9; ++hole)
        QVERIFY2(counts[hole] == 1677721 || counts[hole] == 1677722,
                 qPrintable(QString::number(hole)));
    // The generator's period is the full 2^24: after it the succession starts over.
    QCOMPARE(holes.pickHole(0.5), 7);
}

// Ticks that come a little late do not move the ticks after them, so the beat keeps its
// length; an early tick or one held up for long starts the beat afresh instead of catching up.
void TestGameRules::beatKeepsItsLength()
{
    constexpr qint64 Ms = 1'000'000;
    BeatKeeper beat;
    const qint64 start = 5000 * Ms;
    QCOMPARE(beat.start(start, 950), start + 950 * Ms);
    qint64 now = start;
    for (int tick = 1; tick <= 50; ++tick) {
        now = start + tick * 950 * Ms + 7 * Ms / 10;
        QCOMPARE(beat.nextDue(now, 950), start + (tick + 1) * 950 * Ms);
    }
    // A timer that counts in milliseconds waits the nearest whole one, at least one.
    QCOMPARE(BeatKeeper::waitMs(start + 51 * 950 * Ms, now), 949);
    QCOMPARE(BeatKeeper::waitMs(now, now), 1);

    // A new level's interval counts from the beat too, 2 ms late as 0.7.
    const qint64 due = start + 51 * 950 * Ms;
    QCOMPARE(beat.nextDue(due + 2 * Ms, 400), due + 400 * Ms);
    // Held up for 200 ms: no hurried catch-up, a whole interval from now.
    now = due + 600 * Ms;
    QCOMPARE(beat.nextDue(now, 400), now + 400 * Ms);
    // Early (a tick handled by hand before its time): also afresh.
    now += 100 * Ms;
    QCOMPARE(beat.nextDue(now, 600), now + 600 * Ms);
}

void TestGameRules::beatTimerTicksUntilStopped_data()
{
    QTest::addColumn<Qt::TimerType>("type");
    QTest::newRow("the fine clock") << Qt::PreciseTimer;
    QTest::newRow("a coarse Qt timer") << Qt::CoarseTimer;
}

// The beat's timer repeats while active, a handler can stop it, and no tick comes after.
void TestGameRules::beatTimerTicksUntilStopped()
{
    QFETCH(Qt::TimerType, type);
    BeatTimer timer;
    timer.setTimerType(type);
    timer.setInterval(5);
    QSignalSpy ticks(&timer, &BeatTimer::timeout);
    connect(&timer, &BeatTimer::timeout, &timer, [&] {
        if (ticks.count() == 3)
            timer.stop();
    });
    timer.start();
    QVERIFY(timer.isActive());
    QTRY_VERIFY(!timer.isActive());
    QTest::qWait(30);
    QCOMPARE(ticks.count(), 3);
}

// A paused round's timers: each that ran goes on with what was left of its wait, then with its
// own interval again, or the one its handler set at that first tick; one that was stopped
// stays stopped. The timer here waits 950 ms; its handler may set 400.
void TestGameRules::freezeKeepsWhatWasLeft_data()
{
    QTest::addColumn<bool>("handlerSets400");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("state");

    const QStringList paused{"start", "pass 600", "freeze", "pass 5000"};
    QTest::newRow("frozen") << false << paused << "stopped, 950 ms, 0 ticks";
    QTest::newRow("thawed") << false << paused + QStringList{"thaw"}
                            << "running, 350 of 350 ms left, 0 ticks";
    QTest::newRow("first tick after the thaw") << false << paused + QStringList{"thaw", "pass 350"}
                                               << "running, 950 of 950 ms left, 1 ticks";
    QTest::newRow("the handler's interval at the first tick")
        << true << paused + QStringList{"thaw", "pass 350"}
        << "running, 400 of 400 ms left, 1 ticks";
    QTest::newRow("frozen twice") << false << paused + QStringList{"freeze", "thaw"}
                                  << "running, 350 of 350 ms left, 0 ticks";
    QTest::newRow("frozen again before the first tick")
        << false << paused + QStringList{"thaw", "pass 100", "freeze", "pass 5000", "thaw"}
        << "running, 250 of 250 ms left, 0 ticks";
    QTest::newRow("first tick after freezing again")
        << false
        << paused + QStringList{"thaw", "pass 100", "freeze", "thaw", "pass 250", "pass 100"}
        << "running, 850 of 950 ms left, 1 ticks";
    QTest::newRow("stopped") << false << QStringList{"freeze", "pass 5000", "thaw", "pass 5000"}
                             << "stopped, 950 ms, 0 ticks";
    QTest::newRow("cleared while frozen")
        << false << paused + QStringList{"clear", "thaw"} << "stopped, 950 ms, 0 ticks";
    QTest::newRow("cleared before the first tick")
        << false << paused + QStringList{"thaw", "clear"} << "running, 950 of 950 ms left, 0 ticks";
}

void TestGameRules::freezeKeepsWhatWasLeft()
{
    QFETCH(bool, handlerSets400);
    QFETCH(QStringList, steps);

    HandTimer timer;
    if (handlerSets400)
        connect(&timer, &HandTimer::timeout, &timer, [&timer] { timer.setInterval(400); });
    TimerFreeze freeze;
    freeze.add(&timer);
    for (const QString &step : steps) {
        const QStringList words = step.split(u' ');
        if (words[0] == QLatin1String("pass"))
            timer.pass(words[1].toInt());
        else if (words[0] == QLatin1String("start"))
            timer.start();
        else if (words[0] == QLatin1String("freeze"))
            freeze.freeze();
        else if (words[0] == QLatin1String("thaw"))
            freeze.thaw();
        else
            freeze.clear();
    }
    QTEST(timer.state(), "state");
}

QTEST_GUILESS_MAIN(TestGameRules)
#include "tst_gamerules.moc"

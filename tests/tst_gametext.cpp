// The rules of the main window that need no widget: the version text, the score and time
// texts, the succession of holes and the beat.
#include "beatkeeper.h"
#include "beattimer.h"
#include "gametext.h"
#include "randomholes.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <limits>

class TestGameText : public QObject
{
    Q_OBJECT
private slots:
    void versionText_data();
    void versionText();
    void programVersionComesFromTheBuild();
    void scoreText_data();
    void scoreText();
    void countdownTexts();
    void hitPointsNeverOverflow();
    void holesFromProgramStart();
    void midnightRepeatsTheLastHole();
    void holeWeightsOverTheFullPeriod();
    void beatKeepsItsLength();
    void beatTimerTicksUntilStopped_data();
    void beatTimerTicksUntilStopped();
};

void TestGameText::versionText_data()
{
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");
    QTest::newRow("the game's own") << 1 << 0 << 10 << "v1.00.0010";
    QTest::newRow("revision 7") << 1 << 0 << 7 << "v1.00.0007";
    QTest::newRow("revision 123") << 1 << 0 << 123 << "v1.00.0123";
    QTest::newRow("revision 4567") << 1 << 0 << 4567 << "v1.00.4567";
    QTest::newRow("minor 5") << 1 << 5 << 0 << "v1.05.0000";
    QTest::newRow("minor 12") << 1 << 12 << 0 << "v1.12.0000";
    QTest::newRow("major 10") << 10 << 0 << 1 << "v10.00.0001";
    QTest::newRow("minor 100 has no field") << 2 << 100 << 1 << "v2..0001";
}

void TestGameText::versionText()
{
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QTEST(VersionString(major, minor, revision), "text");
}

void TestGameText::programVersionComesFromTheBuild()
{
    QCOMPARE(VersionString(), QStringLiteral("v1.00.0010"));
}

void TestGameText::scoreText_data()
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

void TestGameText::scoreText()
{
    QFETCH(QLocale, locale);
    QFETCH(int, score);
    QLocale::setDefault(locale);
    QTEST(::scoreText(score), "text");
    QLocale::setDefault(QLocale::c());
}

void TestGameText::countdownTexts()
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

void TestGameText::hitPointsNeverOverflow()
{
    constexpr qint32 highest = std::numeric_limits<qint32>::max();
    QCOMPARE(addHitPoints(0), 10);
    QCOMPARE(addHitPoints(990), 1000);
    QCOMPARE(addHitPoints(highest - 10), highest);
    QCOMPARE(addHitPoints(highest - 3), highest);
    QCOMPARE(addHitPoints(highest), highest);
}

void TestGameText::holesFromProgramStart()
{
    constexpr std::array<int, 20> expected{7, 5, 6, 3, 3, 8,  0, 8, 8, 7,
                                           0, 4, 9, 8, 4, 10, 9, 1, 9, 4};
    RandomHoles holes;
    for (int expectedHole : expected)
        QCOMPARE(holes.pickHole(0.5), expectedHole);
}

void TestGameText::midnightRepeatsTheLastHole()
{
    RandomHoles holes;
    QCOMPARE(holes.pickHole(1.0 / 86400), 7);
    QCOMPARE(holes.pickHole(0.0), 7);
    QCOMPARE(holes.pickHole(0.0), 7);
    QCOMPARE(holes.pickHole(12.0 / 86400), 5);

    // Before any pick, midnight gives the value of the starting state: 0.0195..., hole 0.
    RandomHoles fresh;
    QCOMPARE(fresh.pickHole(0.0), 0);
    QCOMPARE(fresh.pickHole(0.25), 7);
}

void TestGameText::holeWeightsOverTheFullPeriod()
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
void TestGameText::beatKeepsItsLength()
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

void TestGameText::beatTimerTicksUntilStopped_data()
{
    QTest::addColumn<Qt::TimerType>("type");
    QTest::newRow("the fine clock") << Qt::PreciseTimer;
    QTest::newRow("a coarse Qt timer") << Qt::CoarseTimer;
}

// The beat's timer repeats while active, a handler can stop it, and no tick comes after.
void TestGameText::beatTimerTicksUntilStopped()
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

QTEST_GUILESS_MAIN(TestGameText)
#include "tst_gametext.moc"

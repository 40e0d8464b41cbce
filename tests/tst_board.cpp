// The main window as it opens: the board's controls at their places and in their stacking
// order, the pointers, the menus with the level mark and the stopped timers. The tables it
// loads at start-up are what the viewers' test lists.
#include "artwork.h"
#include "designedboard.h"
#include "frmzub.h"
#include "picturecontrol.h"
#include "widgettest.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

namespace {
QString arrayName(const char *name, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}
} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void windowFrame();
    void controlPlaces_data();
    void controlPlaces();
    void labelsAsDesigned();
    void stackingDecidesWhoTakesAPress();
    void pointersAfterStartUp();
    void menus();
    void levelMarkMoves();
    void timersStoppedAndPrecise();

private:
    template<typename T>
    T *control(const QString &name)
    {
        return ::control<T>(m_window, name);
    }
    QWidget *board() { return m_window->centralWidget(); }

    QTemporaryDir m_folder;
    frmZUB *m_window = nullptr;
};

void TestBoard::init()
{
    QVERIFY(m_folder.isValid());
    m_window = new frmZUB(m_folder.path());
}

void TestBoard::cleanup()
{
    delete m_window;
    m_window = nullptr;
}

void TestBoard::windowFrame()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Zubbo!"));
    QCOMPARE(board()->size(), DesignedBoard::ClientSize);
    QCOMPARE(board()->y(), m_window->menuBar()->height());
    QCOMPARE(m_window->height(),
             m_window->menuBar()->height() + DesignedBoard::ClientSize.height());
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_window->windowIcon().isNull());
    // Centred by its outer frame, which the offscreen platform draws two pixels wide.
    QCOMPARE(offCentre(m_window), QString());
}

void TestBoard::controlPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<bool>("visible");
    QTest::newRow("PointsTable") << "PointsTable" << QRect(160, 16, 81, 33) << true;
    QTest::newRow("Caps(1)") << "Caps(1)" << QRect(136, 8, 127, 52) << true;
    QTest::newRow("TimeX") << "TimeX" << QRect(168, 344, 49, 33) << true;
    QTest::newRow("Caps(0)") << "Caps(0)" << QRect(136, 336, 127, 52) << true;
    QTest::newRow("lblVER") << "lblVER" << QRect(333, 383, 62, 17) << true;
    QTest::newRow("lblMESSAGE") << "lblMESSAGE" << QRect(8, 176, 385, 49) << false;
    QTest::newRow("imgCUR") << "imgCUR" << QRect(0, 0, 401, 401) << true;
    QTest::newRow("imgHAM(0)") << "imgHAM(0)" << QRect(8, 360, 32, 32) << false;
    QTest::newRow("imgHAM(1)") << "imgHAM(1)" << QRect(40, 360, 32, 32) << false;
    for (int i = 0; i < 11; ++i) {
        const DesignedBoard::HolePlace &hole = DesignedBoard::Places[i];
        QTest::addRow("ZubIN(%d)", i)
            << arrayName("ZubIN", i) << QRect(hole.target, QSize(60, 52)) << false;
        QTest::addRow("Explode(%d)", i)
            << arrayName("Explode", i) << QRect(hole.fireball, QSize(60, 60)) << false;
    }
}

void TestBoard::controlPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(bool, visible);
    m_window->show();
    QWidget *widget = control<QWidget>(name);
    QCOMPARE(widget->parentWidget(), board());
    QCOMPARE(widget->geometry(), place);
    QCOMPARE(widget->isVisible(), visible);
}

void TestBoard::labelsAsDesigned()
{
    const auto *points = control<QLabel>(QStringLiteral("PointsTable"));
    const auto *time = control<QLabel>(QStringLiteral("TimeX"));
    const auto *message = control<QLabel>(QStringLiteral("lblMESSAGE"));
    const auto *version = control<QLabel>(QStringLiteral("lblVER"));
    QCOMPARE(points->text(), QStringLiteral("0"));
    QCOMPARE(time->text(), QStringLiteral("0"));
    QCOMPARE(message->text(), QStringLiteral("G e t   R e a d y"));
    QCOMPARE(version->text(), QStringLiteral("v1.00.0010"));
    for (const QLabel *label : {points, time, message}) {
        QCOMPARE(label->font().family(), QStringLiteral("Arial"));
        QVERIFY(label->font().bold());
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(Qt::white));
        QVERIFY(!label->autoFillBackground());
    }
    QCOMPARE(points->font().pixelSize(), 29);
    QCOMPARE(message->font().pixelSize(), 48);
    QVERIFY(points->alignment() & Qt::AlignRight);
    QVERIFY(time->alignment() & Qt::AlignRight);
    QVERIFY(message->alignment() & Qt::AlignHCenter);
    QVERIFY(version->alignment() & Qt::AlignRight);
    QVERIFY(!version->font().bold());
    // The version label's two bottom rows lie below the client area, as the board's do.
    QCOMPARE(version->geometry().bottom() - board()->height() + 1, 2);
}

void TestBoard::stackingDecidesWhoTakesAPress()
{
    m_window->show();
    QWidget *sheet = control<QWidget>(QStringLiteral("imgCUR"));
    const auto nameAt = [this](QPoint p) {
        QWidget *child = board()->childAt(p);
        return child ? child->objectName() : QString();
    };
    // Nothing shown: the sheet takes every press on the bare board and on the empty holes.
    QCOMPARE(nameAt(QPoint(200, 120)), sheet->objectName());
    QCOMPARE(nameAt(QPoint(71, 53)), QStringLiteral("imgCUR"));
    // Panels and labels lie in front of the sheet.
    QCOMPARE(nameAt(QPoint(140, 30)), QStringLiteral("Caps(1)"));
    QCOMPARE(nameAt(QPoint(200, 30)), QStringLiteral("PointsTable"));
    QCOMPARE(nameAt(QPoint(140, 360)), QStringLiteral("Caps(0)"));
    QCOMPARE(nameAt(QPoint(200, 360)), QStringLiteral("TimeX"));
    QCOMPARE(nameAt(QPoint(390, 390)), QStringLiteral("lblVER"));
    // The message lies behind the sheet.
    control<QWidget>(QStringLiteral("lblMESSAGE"))->show();
    QCOMPARE(nameAt(QPoint(200, 200)), QStringLiteral("imgCUR"));

    // A shown target lies in front of the sheet, its shown hit picture in front of it, but
    // for the left column of some targets.
    for (int i = 0; i < 11; ++i) {
        QWidget *target = control<QWidget>(arrayName("ZubIN", i));
        QWidget *hit = control<QWidget>(arrayName("Explode", i));
        const QPoint centre = target->geometry().center();
        target->show();
        QCOMPARE(nameAt(centre), target->objectName());
        hit->show();
        QCOMPARE(nameAt(centre), hit->objectName());
        const bool uncovered = i == 1 || i == 5 || i == 6;
        for (int y = target->y(); y <= target->geometry().bottom(); ++y) {
            const QWidget *atLeft = board()->childAt(QPoint(target->x(), y));
            QCOMPARE(atLeft, uncovered ? target : hit);
            QCOMPARE(board()->childAt(QPoint(target->x() + 1, y)), hit);
        }
        target->hide();
        hit->hide();
    }
}

void TestBoard::pointersAfterStartUp()
{
    const auto *raised = control<PictureControl>(QStringLiteral("imgHAM(0)"));
    const auto *striking = control<PictureControl>(QStringLiteral("imgHAM(1)"));
    const QCursor raisedPointer = Artwork::pointer(raised->picture());
    QVERIFY(!samePointer(raisedPointer, Artwork::pointer(striking->picture())));
    QVERIFY(samePointer(control<QWidget>(QStringLiteral("imgCUR"))->cursor(), raisedPointer));
    for (int i = 0; i < 11; ++i) {
        QVERIFY(samePointer(control<QWidget>(arrayName("ZubIN", i))->cursor(), raisedPointer));
        QVERIFY(samePointer(control<QWidget>(arrayName("Explode", i))->cursor(), raisedPointer));
    }
    // Panels and labels carry no pointer of their own: the arrow shows over them.
    for (const char *name : {"Caps(0)", "Caps(1)", "PointsTable", "TimeX", "lblVER"})
        QCOMPARE(control<QWidget>(QLatin1String(name))->cursor().shape(), Qt::ArrowCursor);
}

void TestBoard::menus()
{
    const QList<QAction *> bar = m_window->menuBar()->actions();
    QStringList captions;
    for (const QAction *action : bar)
        captions << action->text();
    QCOMPARE(captions, QStringList({"&Start", "&Level", "&Top Scores", "&?"}));
    QCOMPARE(bar[0]->objectName(), QStringLiteral("bmSTART"));
    QVERIFY(!bar[0]->menu());

    const auto captionsOf = [this](const char *menu) {
        QStringList texts;
        for (const QAction *action : control<QMenu>(QLatin1String(menu))->actions())
            texts << (action->isSeparator() ? action->objectName()
                                            : action->objectName() + ' ' + action->text());
        return texts;
    };
    QCOMPARE(captionsOf("mnuLEVEL"),
             QStringList({"bmLEVEL(1) &Easy", "bmLEVEL(2) &Medium", "bmLEVEL(3) &Hard"}));
    QCOMPARE(captionsOf("mnuTOP"),
             QStringList({"bmT_EASY &Easy Top Ten", "bmT_MEDIUM &Medium Top Ten",
                          "bmT_HARD &Hard Top Ten"}));
    QCOMPARE(captionsOf("mnuHELP"),
             QStringList({"bmHELP &How to play", "Z_sep", "bmABOUT &About"}));
    QVERIFY(control<QMenu>(QStringLiteral("mnuLEVEL"))->menuAction()->isEnabled());
    QVERIFY(control<QMenu>(QStringLiteral("mnuTOP"))->menuAction()->isEnabled());
}

// Exactly one level carries the mark, also when the item chosen, through the handler or the
// menu item as a player does, carries it already.
void TestBoard::levelMarkMoves()
{
    const auto marks = [this] {
        QString m;
        for (int i = 1; i <= 3; ++i)
            m += control<QAction>(arrayName("bmLEVEL", i))->isChecked() ? '1' : '0';
        return m;
    };
    QCOMPARE(marks(), QStringLiteral("100"));
    QCOMPARE(m_window->currentLevel(), 1);
    const std::pair<int, bool> choices[] = {{3, false}, {3, false}, {2, true}, {2, true}};
    for (const auto &[level, byItem] : choices) {
        if (byItem)
            control<QAction>(arrayName("bmLEVEL", level))->trigger();
        else
            m_window->bmLEVEL_Click(level);
        QCOMPARE(marks(), QString(3, u'0').replace(level - 1, 1, u'1'));
        QCOMPARE(m_window->currentLevel(), level);
    }
}

void TestBoard::timersStoppedAndPrecise()
{
    const QList<std::pair<QString, int>> timers{{"timStart", 1100},
                                                {"Countdown", 1000},
                                                {"Pop", 400}};
    for (const auto &[name, interval] : timers) {
        // Pop is the beat's own timer, with QTimer's properties.
        const auto *timer = control<QObject>(name);
        QVERIFY(!timer->property("active").toBool());
        QCOMPARE(timer->property("interval").toInt(), interval);
        QCOMPARE(timer->property("timerType").value<Qt::TimerType>(), Qt::PreciseTimer);
    }
    QVERIFY(!m_window->running());
    QCOMPARE(m_window->score(), 0);
    QCOMPARE(m_window->currentHole(), 0);
    QCOMPARE(m_window->readyTicks(), 0);
}

QTEST_MAIN(TestBoard)
#include "tst_board.moc"

#include "frmzub.h"

#include "artwork.h"
#include "beattimer.h"
#include "boardlayout.h"
#include "boardpicture.h"
#include "gametext.h"
#include "howtoplay.h"
#include "picturecontrol.h"
#include "playcue.h"
#include "tonewell.h"
#include "topviewer.h"
#include "tq_about.h"
#include "windowdress.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTime>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace {
constexpr int GetReadyInterval = 1100;
constexpr int CountdownInterval = 1000;
constexpr int DesignedPopInterval = 400;
constexpr int NumberPixelSize = 29;  // Arial bold 21.75 pt at 96 dpi
constexpr int MessagePixelSize = 48; // Arial bold 36 pt
constexpr int VersionPixelSize = 9;  // a small face at 6.75 pt
// After the first frame, which comes within tens of milliseconds; Get Ready lasts seconds.
constexpr int SoundPreloadDelay = 250;

QLabel *makeBoardLabel(const QString &name, const QString &text, const QRect &place, int pixelSize,
                       bool bold, Qt::Alignment alignment, QWidget *parent)
{
    QLabel *label = makeLabel(name, text, place, alignment, parent);
    label->setFont(arialFont(pixelSize, bold));
    return label;
}

void makeWhite(QLabel *label)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
}
} // namespace

double currentDayFraction()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000 / 86400.0;
}

frmZUB::frmZUB(const QString &folder, DayClock clock, WarningWait warningWait, QWidget *parent)
    : frmZUB(GameFolders{folder, QCoreApplication::applicationDirPath(), folder}, std::move(clock),
             std::move(warningWait), parent)
{
}

frmZUB::frmZUB(const GameFolders &folders, DayClock clock, WarningWait warningWait, QWidget *parent)
    : QMainWindow(parent), m_cueFolder(folders.cues), m_clock(std::move(clock)),
      m_warningWait(std::move(warningWait)), m_tables(folders.tables, folders.tableFolder),
      Sound(new Tonewell(folders.modules, this))
{
    setObjectName(QStringLiteral("frmZUB"));
    setWindowTitle(QStringLiteral("Zubbo!"));
    setWindowIcon(Artwork::eyesIcon());
    setFixedFrame(this,
                  Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                      | Qt::WindowCloseButtonHint);
    buildBoard();
    buildMenus();
    buildTimers();
    buildDesktopKeys();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    Form_Load();

    centreOnEveryShow(this);

    // The first frame needs no sound. Once the window has shown, the wave player's thread
    // loads the sound libraries, reads the cues and opens the device, long before the
    // first pop of a round can come.
    QTimer::singleShot(SoundPreloadDelay, this, [this] { Sound->preload(cueFiles(m_cueFolder)); });
}

frmZUB::~frmZUB() = default;

// Controls are created from back to front: a later sibling lies in front of an earlier one
// and takes the presses where they overlap.
void frmZUB::buildBoard()
{
    auto *board = new QLabel(this);
    board->setObjectName(QStringLiteral("board"));
    board->setFixedSize(BoardLayout::ClientSize);
    board->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    board->setAttribute(Qt::WA_AcceptTouchEvents);
    setCentralWidget(board);

    for (int i = 0; i < 2; ++i) {
        imgHAM[i] = new PictureControl(QStringLiteral("imgHAM"), i, board);
        imgHAM[i]->setGeometry(i == 0 ? BoardLayout::RaisedHammer : BoardLayout::StrikingHammer);
        imgHAM[i]->hide();
    }

    lblMESSAGE = makeBoardLabel(QStringLiteral("lblMESSAGE"), getReadyMessage(),
                                BoardLayout::Message, MessagePixelSize, true, Qt::AlignHCenter,
                                board);
    makeWhite(lblMESSAGE);
    lblMESSAGE->hide();

    imgCUR = new PictureControl(QStringLiteral("imgCUR"), -1, board);
    imgCUR->setGeometry(BoardLayout::PointerSheet);
    connect(imgCUR, &PictureControl::pressed, this, &frmZUB::imgCUR_MouseDown);
    connect(imgCUR, &PictureControl::released, this, &frmZUB::imgCUR_MouseUp);
    // Beside the hammer's swing: a paused round goes on with a press on the board.
    connect(imgCUR, &PictureControl::pressed, this, [this] {
        if (m_pause == Pause::Paused)
            resumeRound();
    });

    // One array of pictures per kind, all hidden until the round shows them.
    using Handler = void (frmZUB::*)(int);
    const auto makeHolePictures = [this, board](std::array<PictureControl *, 11> &pictures,
                                                const QString &name,
                                                QPoint BoardLayout::Hole::*place, QSize size,
                                                Handler press, Handler release) {
        for (int i = 0; i < BoardLayout::HoleCount; ++i) {
            pictures[i] = new PictureControl(name, i, board);
            pictures[i]->setGeometry(QRect(BoardLayout::Holes[i].*place, size));
            pictures[i]->hide();
            connect(pictures[i], &PictureControl::pressed, this, press);
            connect(pictures[i], &PictureControl::released, this, release);
        }
    };
    makeHolePictures(ZubIN, QStringLiteral("ZubIN"), &BoardLayout::Hole::target,
                     BoardLayout::TargetSize, &frmZUB::ZubIN_MouseDown, &frmZUB::ZubIN_MouseUp);
    makeHolePictures(Explode, QStringLiteral("Explode"), &BoardLayout::Hole::hit,
                     BoardLayout::HitSize, &frmZUB::Explode_MouseDown, &frmZUB::Explode_MouseUp);

    // Panels and labels take no presses and carry no pointer of their own: the arrow shows.
    Caps[1] = new PictureControl(QStringLiteral("Caps"), 1, board);
    Caps[1]->setGeometry(BoardLayout::ScorePanel);
    PointsTable = makeBoardLabel(QStringLiteral("PointsTable"), QStringLiteral("0"),
                                 BoardLayout::PointsTable, NumberPixelSize, true, Qt::AlignRight,
                                 board);
    Caps[0] = new PictureControl(QStringLiteral("Caps"), 0, board);
    Caps[0]->setGeometry(BoardLayout::TimePanel);
    TimeX = makeBoardLabel(QStringLiteral("TimeX"), QStringLiteral("0"), BoardLayout::TimeX,
                           NumberPixelSize, true, Qt::AlignRight, board);
    makeWhite(PointsTable);
    makeWhite(TimeX);
    lblVER = makeBoardLabel(QStringLiteral("lblVER"), QStringLiteral("v1.00.0000"),
                            BoardLayout::Version, VersionPixelSize, false, Qt::AlignRight, board);

    drawForPixelRatio(this, [this](qreal ratio) { drawPictures(ratio); });
}

// The board's pictures and the hammer pointers for a window of `ratio` device pixels per
// logical pixel. Drawn again at a new ratio, every control keeps the hammer it showed.
void frmZUB::drawPictures(qreal ratio)
{
    static_cast<QLabel *>(centralWidget())->setPixmap(boardPicture(ratio));
    const QPixmap target = Artwork::target(ratio);
    for (PictureControl *picture : ZubIN)
        picture->setPicture(target);
    const QPixmap hit = Artwork::hit(ratio);
    for (PictureControl *picture : Explode)
        picture->setPicture(hit);
    const QPixmap panel = Artwork::panel(ratio);
    for (PictureControl *cap : Caps)
        cap->setPicture(panel);

    const qreal pointerRatio = Artwork::pointerRatio(ratio, QGuiApplication::platformName());
    imgHAM[0]->setPicture(Artwork::raisedHammer(pointerRatio));
    imgHAM[1]->setPicture(Artwork::strikingHammer(pointerRatio));
    // Before the first drawing no hammer strikes; the controls take the raised one.
    const std::optional<QCursor> wasStriking = m_strikingHammer.shape() == Qt::BitmapCursor
        ? std::optional(m_strikingHammer)
        : std::nullopt;
    m_raisedHammer = Artwork::pointer(imgHAM[0]->picture());
    m_strikingHammer = Artwork::pointer(imgHAM[1]->picture());
    const auto repoint = [&](PictureControl *control) {
        control->setMouseIcon(control->mouseIcon() == wasStriking ? m_strikingHammer
                                                                  : m_raisedHammer);
    };
    repoint(imgCUR);
    std::for_each(ZubIN.begin(), ZubIN.end(), repoint);
    std::for_each(Explode.begin(), Explode.end(), repoint);
}

void frmZUB::buildMenus()
{
    QMenuBar *bar = menuBar();
    bmSTART = bar->addAction(tr("&Start"), this, &frmZUB::bmSTART_Click);
    bmSTART->setObjectName(QStringLiteral("bmSTART"));

    mnuLEVEL = bar->addMenu(tr("&Level"));
    mnuLEVEL->setObjectName(QStringLiteral("mnuLEVEL"));
    mnuTOP = new QMenu(tr("&Top Scores"), this);
    mnuTOP->setObjectName(QStringLiteral("mnuTOP"));
    // Per level, in the order of the levels.
    constexpr std::array<void (frmZUB::*)(), LevelCount> TopTenClicks{&frmZUB::bmT_EASY_Click,
                                                                      &frmZUB::bmT_MEDIUM_Click,
                                                                      &frmZUB::bmT_HARD_Click};
    for (const LevelInfo &info : Levels) {
        const int i = levelNumber(info.level);
        bmLEVEL[i] = mnuLEVEL->addAction(QCoreApplication::translate("Levels", info.caption), this,
                                         [this, i] { bmLEVEL_Click(i); });
        bmLEVEL[i]->setObjectName(QStringLiteral("bmLEVEL(%1)").arg(i));
        bmLEVEL[i]->setCheckable(true);
        mnuTOP
            ->addAction(QCoreApplication::translate("Levels", info.topTenCaption), this,
                        TopTenClicks[levelIndex(info.level)])
            ->setObjectName(QLatin1StringView(info.topTenItem));
    }
    bmLEVEL[FirstLevel]->setChecked(true);
    bar->addMenu(mnuTOP);

    //: The help menu of the menu bar, a question mark with its access key.
    QMenu *mnuHELP = bar->addMenu(tr("&?"));
    mnuHELP->setObjectName(QStringLiteral("mnuHELP"));
    mnuHELP->addAction(tr("&How to play"), this, &frmZUB::bmHELP_Click)
        ->setObjectName(QStringLiteral("bmHELP"));
    mnuHELP->addSeparator()->setObjectName(QStringLiteral("Z_sep"));
    mnuHELP->addAction(tr("&About"), this, &frmZUB::bmABOUT_Click)
        ->setObjectName(QStringLiteral("bmABOUT"));
}

void frmZUB::buildTimers()
{
    const auto setUp = [this](auto *timer, const QString &name, int interval,
                              void (frmZUB::*tick)()) {
        timer->setObjectName(name);
        timer->setInterval(interval);
        // The coarse default may move a tick by 5 %, which a player hears in the beat.
        timer->setTimerType(Qt::PreciseTimer);
        connect(timer, &std::remove_pointer_t<decltype(timer)>::timeout, this, tick);
        return timer;
    };
    timStart = setUp(new QTimer(this), QStringLiteral("timStart"), GetReadyInterval,
                     &frmZUB::timStart_Timer);
    Countdown = setUp(new QTimer(this), QStringLiteral("Countdown"), CountdownInterval,
                      &frmZUB::Countdown_Timer);
    // The beat, finer than a QTimer can keep it.
    Pop = setUp(new BeatTimer(this), QStringLiteral("Pop"), DesignedPopInterval,
                &frmZUB::Pop_Timer);
}

void frmZUB::Form_Load()
{
    Running = false;
    lblVER->setText(VersionString());
    for (PictureControl *hit : Explode)
        hit->setMouseIcon(m_raisedHammer);
    for (PictureControl *target : ZubIN)
        target->setMouseIcon(m_raisedHammer);
    for (const LevelInfo &info : Levels)
        m_tables.table(info.level).count = 0;
    m_tables.loadAll();
}

void frmZUB::bmLEVEL_Click(int Index)
{
    for (const LevelInfo &info : Levels)
        bmLEVEL[levelNumber(info.level)]->setChecked(false);
    bmLEVEL[Index]->setChecked(true);
}

int frmZUB::currentLevel() const
{
    for (const LevelInfo &info : Levels) {
        if (bmLEVEL[levelNumber(info.level)]->isChecked())
            return levelNumber(info.level);
    }
    return FirstLevel;
}

void frmZUB::showTopTen(Level level)
{
    TopTenViewer::showModal(m_viewers[levelIndex(level)], m_tables, level, this);
}

void frmZUB::bmHELP_Click()
{
    showHowToPlay(this);
}

// Each show loads a new About window with no owner, which centres itself and is unloaded
// by a click on it; on Wayland, where it cannot place itself, it is tied to this window. The
// round's timers keep ticking in the modal loop.
void frmZUB::bmABOUT_Click()
{
    auto *about = new TQ_About;
    openOverOwner(about, this);
    about->exec();
}

#include "windowdress.h"

#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>
#include <utility>

void setFixedFrame(QWidget *window, Qt::WindowFlags kindAndButtons)
{
    // Without the customize hint Qt ignores the button hints and adds its own.
    window->setWindowFlags(kindAndButtons | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::MSWindowsFixedSizeDialogHint);
}

namespace {

bool windowsPlaceThemselves()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// The window frame's widths as the window system knows them now. The window handle asks the
// window system afresh, while the widget's own figure may lag behind a new frame.
QMargins frameMargins(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// Watches a window's shows, moves and resizes, and the drawing of its native window. Each show
// centres it, and so does each later change of its size or of the frame round it: the window
// manager frames a window only after it shows, and its frame's widths count in the centring.
// A move that changes neither, such as the player's drag, leaves the window where it is.
class FrameCentring : public QObject
{
public:
    explicit FrameCentring(QWidget *window) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && !event->spontaneous() && watched == m_window) {
            if (QWindow *handle = m_window->windowHandle(); handle && handle != m_handle) {
                handle->installEventFilter(this);
                m_handle = handle;
            }
            centre();
        } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize
                   || event->type() == QEvent::Expose) {
            if (m_window->size() != m_centredSize || frameMargins(m_window) != m_centredFrame)
                centre();
        }
        return false;
    }

private:
    void centre()
    {
        m_centredSize = m_window->size();
        m_centredFrame = frameMargins(m_window);
        centreOnScreen(m_window);
    }

    QWidget *m_window;
    QPointer<QWindow> m_handle;
    QSize m_centredSize;
    QMargins m_centredFrame;
};

// Whether `event`, sent to a window's widget, says that the window's device pixel ratio has
// changed. Qt 6.6 and later say so for every change; before, Qt tells of a new ratio only by
// a new screen, QWindow::screenChanged, which PixelRatioFollower hears as well.
bool announcesNewRatio(const QEvent &event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    return event.type() == QEvent::DevicePixelRatioChange;
#else
    Q_UNUSED(event);
    return false;
#endif
}

// Draws a window's pictures again whenever its device pixel ratio differs from the one they
// were drawn for: checked when the window shows (its native window knows its screen only
// then), when it changes screens, and when Qt announces a new ratio.
class PixelRatioFollower : public QObject
{
public:
    PixelRatioFollower(QWidget *window, std::function<void(qreal)> draw)
        : QObject(window), m_window(window), m_draw(std::move(draw)),
          m_ratio(window->devicePixelRatioF())
    {
        m_draw(m_ratio);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::Show) {
            if (QWindow *handle = m_window->windowHandle(); handle && handle != m_handle) {
                connect(handle, &QWindow::screenChanged, this, &PixelRatioFollower::follow);
                m_handle = handle;
            }
            follow();
        } else if (announcesNewRatio(*event)) {
            follow();
        }
        return false;
    }

private:
    void follow()
    {
        const qreal ratio = m_window->devicePixelRatioF();
        if (ratio == m_ratio)
            return;
        m_ratio = ratio;
        m_draw(ratio);
    }

    QWidget *m_window;
    std::function<void(qreal)> m_draw;
    qreal m_ratio;
    QPointer<QWindow> m_handle;
};

QtMessageHandler passedOnTo = nullptr;

void dropLateRatioNotice(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg
        && message.startsWith(
            QLatin1String("The cached device pixel ratio value was stale on window ")))
        return;
    passedOnTo(type, context, message);
}

} // namespace

void drawForPixelRatio(QWidget *window, std::function<void(qreal)> draw)
{
    new PixelRatioFollower(window, std::move(draw));
}

void quietLateRatioNotice()
{
    if (!passedOnTo)
        passedOnTo = qInstallMessageHandler(dropLateRatioNotice);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen || !windowsPlaceThemselves())
        return;
    const QRect area = screen->geometry();
    const QMargins frame = frameMargins(window);
    const QSize outer = window->size().grownBy(frame);
    const auto halfDown = [](int length) { return int(std::floor(length / 2.0)); };
    const QPoint outerPlace(area.x() + halfDown(area.width() - outer.width()),
                            area.y() + halfDown(area.height() - outer.height()));
    // The client area's place, which does not depend on Qt's own idea of the frame.
    const QRect client(outerPlace + QPoint(frame.left(), frame.top()), window->size());
    if (window->geometry() != client)
        window->setGeometry(client);
}

void centreOnEveryShow(QWidget *window)
{
    new FrameCentring(window);
}

void openOverOwner(QWidget *window, QWidget *owner)
{
    if (windowsPlaceThemselves())
        return;
    window->winId(); // makes the native window, which the tie is set on
    window->windowHandle()->setTransientParent(owner->window()->windowHandle());
}

QFont arialFont(int pixelSize, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QLabel *makeLabel(const QString &name, const QString &text, const QRect &place,
                  Qt::Alignment alignment, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

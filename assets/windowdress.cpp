#include "windowdress.h"

#include <QElapsedTimer>
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

QSize outerSize(const QWidget *window)
{
    return window->size().grownBy(frameMargins(window));
}

// Watches a window's shows, moves and resizes, and the drawing of its native window. For a
// moment after each show, while the window manager frames the window and reports where it
// put it, any of these centres it again where it is not centred. Later only a change of the
// outer size does (a new frame), not a move by the player.
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
            m_sinceShown.start();
            centre();
        } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize
                   || event->type() == QEvent::Expose) {
            const bool settling = m_sinceShown.isValid() && m_sinceShown.elapsed() < SettleMs;
            if (settling || outerSize(m_window) != m_centredOuterSize)
                centre();
        }
        return false;
    }

private:
    static constexpr int SettleMs = 1000;

    void centre()
    {
        m_centredOuterSize = outerSize(m_window);
        centreOnScreen(m_window);
    }

    QWidget *m_window;
    QPointer<QWindow> m_handle;
    QSize m_centredOuterSize;
    QElapsedTimer m_sinceShown;
};

} // namespace

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

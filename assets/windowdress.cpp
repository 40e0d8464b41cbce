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

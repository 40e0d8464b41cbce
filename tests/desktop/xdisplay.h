#pragma once

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

struct _XDisplay;

// The pointer as the X server shows it: its picture (premultiplied ARGB) and hot spot.
struct PointerImage
{
    QImage image;
    QPoint hotSpot;
};

// A connection of its own to the X server of $DISPLAY, beside Qt's: it acts as the player's
// mouse and keyboard through the XTEST extension, so every event takes the real path
// through the server, and it reads what the server and the window manager know about the
// windows and the pointer.
class XDisplay
{
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay &) = delete;
    XDisplay &operator=(const XDisplay &) = delete;

    bool isOpen() const { return m_display != nullptr; }
    QSize screenSize() const;
    // The name of the running window manager, empty when there is none.
    QString windowManager() const;

    // Where a point of a widget lies on the screen, from the server's placing of its window.
    QPoint onScreen(const QWidget *widget, const QPoint &point) const;

    void moveTo(const QPoint &screenPoint);
    void press(int button = 1) { sendButton(button, true); }
    void release(int button = 1) { sendButton(button, false); }
    void keyDown(const char *keyName) { sendKey(keyName, true); }
    void keyUp(const char *keyName) { sendKey(keyName, false); }
    void tapKey(const char *keyName)
    {
        keyDown(keyName);
        keyUp(keyName);
    }
    // Types printable ASCII text, with Shift where the keyboard map needs it.
    void type(const QString &text);

    PointerImage pointer() const;

    // The client window's size, its title, the window manager's frame around it and the
    // actions the window manager allows on it (names such as "_NET_WM_ACTION_RESIZE").
    QSize clientSize(const QWidget *window) const { return clientRect(xWindow(window)).size(); }
    QString title(const QWidget *window) const { return title(xWindow(window)); }
    QMargins frameExtents(const QWidget *window) const;
    QStringList allowedActions(const QWidget *window) const;
    bool isViewable(const QWidget *window) const { return isViewable(xWindow(window)); }

    // Another program's windows, by their X window ids: the window manager's client whose
    // title is `wanted` (0 when none), the active window, a window's title, whether it is
    // shown and where its client area lies on the screen.
    unsigned long clientTitled(const QString &wanted) const;
    unsigned long activeWindow() const;
    QString title(unsigned long window) const;
    bool isViewable(unsigned long window) const;
    QRect clientRect(unsigned long window) const;
    // Asks the window manager to close the window, as its close button does, or to give it
    // the focus, as a click on it in a task bar does.
    void closeWindow(unsigned long window);
    void activate(unsigned long window);

private:
    static unsigned long xWindow(const QWidget *widget);
    QList<unsigned long> longs(unsigned long window, const char *name, unsigned long type) const;
    void sendButton(int button, bool down);
    void sendKey(unsigned int keycode, bool down);
    void sendKey(const char *keyName, bool down);
    void askWindowManager(unsigned long window, const char *message, long first, long second);
    QByteArray property(unsigned long window, const char *name, unsigned long type) const;

    _XDisplay *m_display = nullptr;
};

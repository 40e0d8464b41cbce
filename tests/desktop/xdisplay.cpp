#include "xdisplay.h"

// Xlib's macros (None, Bool, Status, ...) clash with Qt's names: its headers come last.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <X11/keysym.h>

// Window ids of Qt's top-level windows are X window ids on the xcb platform.
unsigned long XDisplay::xWindow(const QWidget *widget)
{
    return static_cast<Window>(widget->window()->winId());
}

XDisplay::XDisplay() : m_display(XOpenDisplay(nullptr)) {}

XDisplay::~XDisplay()
{
    if (m_display)
        XCloseDisplay(m_display);
}

QSize XDisplay::screenSize() const
{
    const int screen = DefaultScreen(m_display);
    return {DisplayWidth(m_display, screen), DisplayHeight(m_display, screen)};
}

QByteArray XDisplay::property(unsigned long window, const char *name, unsigned long type) const
{
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    const Atom atom = XInternAtom(m_display, name, False);
    if (XGetWindowProperty(m_display, window, atom, 0, 1024, False, type, &actualType, &format,
                           &count, &remaining, &data)
            != Success
        || !data)
        return {};
    // Xlib hands 32-bit items as longs.
    const int itemSize = format == 32 ? int(sizeof(long)) : format / 8;
    QByteArray bytes(reinterpret_cast<const char *>(data), int(count) * itemSize);
    XFree(data);
    return bytes;
}

QString XDisplay::windowManager() const
{
    // The window manager names itself on the window it announces on the root.
    const QList<unsigned long> check = longs(DefaultRootWindow(m_display),
                                             "_NET_SUPPORTING_WM_CHECK", XA_WINDOW);
    return check.isEmpty() ? QString() : title(check.first());
}

QPoint XDisplay::onScreen(const QWidget *widget, const QPoint &point) const
{
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, xWindow(widget), DefaultRootWindow(m_display), 0, 0, &x, &y,
                          &child);
    return QPoint(x, y) + widget->mapTo(widget->window(), point);
}

void XDisplay::moveTo(const QPoint &screenPoint)
{
    XTestFakeMotionEvent(m_display, -1, screenPoint.x(), screenPoint.y(), CurrentTime);
    XFlush(m_display);
}

void XDisplay::sendButton(int button, bool down)
{
    XTestFakeButtonEvent(m_display, unsigned(button), down ? True : False, CurrentTime);
    XFlush(m_display);
}

void XDisplay::sendKey(unsigned int keycode, bool down)
{
    XTestFakeKeyEvent(m_display, keycode, down ? True : False, CurrentTime);
    XFlush(m_display);
}

void XDisplay::sendKey(const char *keyName, bool down)
{
    sendKey(XKeysymToKeycode(m_display, XStringToKeysym(keyName)), down);
}

void XDisplay::type(const QString &text)
{
    const KeyCode shift = XKeysymToKeycode(m_display, XK_Shift_L);
    for (const QChar c : text) {
        // Keysyms of printable ASCII characters are their codes.
        const KeySym keysym = c.unicode();
        const KeyCode keycode = XKeysymToKeycode(m_display, keysym);
        const bool shifted = XkbKeycodeToKeysym(m_display, keycode, 0, 0) != keysym;
        if (shifted)
            sendKey(shift, true);
        sendKey(keycode, true);
        sendKey(keycode, false);
        if (shifted)
            sendKey(shift, false);
    }
}

PointerImage XDisplay::pointer() const
{
    XFixesCursorImage *cursor = XFixesGetCursorImage(m_display);
    if (!cursor)
        return {};
    QImage image(cursor->width, cursor->height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < cursor->height; ++y) {
        for (int x = 0; x < cursor->width; ++x)
            image.setPixel(x, y, uint(cursor->pixels[y * cursor->width + x] & 0xffffffffu));
    }
    const PointerImage shown{image, QPoint(cursor->xhot, cursor->yhot)};
    XFree(cursor);
    return shown;
}

bool XDisplay::isViewable(unsigned long window) const
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(m_display, window, &attributes)
        && attributes.map_state == IsViewable;
}

QString XDisplay::title(unsigned long window) const
{
    return QString::fromUtf8(
        property(window, "_NET_WM_NAME", XInternAtom(m_display, "UTF8_STRING", False)));
}

// A property that lists windows, atoms or numbers, as Xlib hands it: one long per item.
QList<unsigned long> XDisplay::longs(unsigned long window, const char *name,
                                     unsigned long type) const
{
    const QByteArray bytes = property(window, name, type);
    const auto *items = reinterpret_cast<const unsigned long *>(bytes.constData());
    return QList<unsigned long>(items, items + bytes.size() / qsizetype(sizeof(long)));
}

unsigned long XDisplay::clientTitled(const QString &wanted) const
{
    for (const unsigned long window :
         longs(DefaultRootWindow(m_display), "_NET_CLIENT_LIST", XA_WINDOW)) {
        if (title(window) == wanted)
            return window;
    }
    return 0;
}

unsigned long XDisplay::activeWindow() const
{
    const QList<unsigned long> active = longs(DefaultRootWindow(m_display), "_NET_ACTIVE_WINDOW",
                                              XA_WINDOW);
    return active.isEmpty() ? 0 : active.first();
}

QRect XDisplay::clientRect(unsigned long window) const
{
    XWindowAttributes attributes{};
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XGetWindowAttributes(m_display, window, &attributes)
        || !XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y,
                                  &child))
        return {};
    return {x, y, attributes.width, attributes.height};
}

// 2 as a message's source says a pager or the like: the player's own request.
void XDisplay::closeWindow(unsigned long window)
{
    askWindowManager(window, "_NET_CLOSE_WINDOW", CurrentTime, 2);
}

void XDisplay::activate(unsigned long window)
{
    askWindowManager(window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
}

void XDisplay::askWindowManager(unsigned long window, const char *message, long first, long second)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, message, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(m_display);
}

QMargins XDisplay::frameExtents(const QWidget *window) const
{
    const QList<unsigned long> e = longs(xWindow(window), "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (e.size() < 4)
        return {};
    // The property lists left, right, top, bottom.
    return QMargins(int(e[0]), int(e[2]), int(e[1]), int(e[3]));
}

QStringList XDisplay::allowedActions(const QWidget *window) const
{
    QStringList names;
    for (const unsigned long atom : longs(xWindow(window), "_NET_WM_ALLOWED_ACTIONS", XA_ATOM)) {
        char *name = XGetAtomName(m_display, atom);
        names << QString::fromLatin1(name);
        XFree(name);
    }
    return names;
}

#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

// A window as the compositor shows it: its title, app id, client area (in logical pixels of
// the output, without the compositor's title bar and border), whether it has the focus, and
// the compositor's id of it.
struct ShownWindow
{
    QString title;
    QString appId;
    QRect client;
    bool focused = false;
    qint64 id = 0;
};

// The headless sway of scripts/wayland-session.sh, used as a player and the desktop's tools
// use it: swaymsg moves and presses the seat's pointer and sets the output's scale, wtype
// types on the seat's keyboard, grim takes screenshots, and sway's tree tells where the
// windows are. Points and rectangles are logical pixels of the output; screenshots have the
// output's device pixels.
class WaylandDesktop
{
public:
    // Whether the session names the compositor's socket and output.
    bool isReady() const;
    // Shows the output's logical size at `scale` device pixels per logical pixel.
    bool setScale(qreal scale);
    // A second output of the same logical size at `scale`, right of the first; its name, or
    // nothing when sway made none. removeOutput() disables it (sway 1.7 cannot remove a
    // headless output), and the next addOutput() enables it again.
    QString addOutput(qreal scale);
    bool removeOutput(const QString &name);
    // Moves the window titled `title` onto the output `name`, or by `offset`.
    bool moveWindow(const QString &title, const QString &name);
    bool moveWindow(const QString &title, const QPoint &offset);

    bool moveTo(const QPoint &point);
    bool press() { return swaymsg(QStringLiteral("seat seat0 cursor press button1")); }
    bool release() { return swaymsg(QStringLiteral("seat seat0 cursor release button1")); }
    bool click(const QPoint &point);
    // Runs wtype with these arguments: text to type, -k KEY, -M / -m MODIFIER.
    bool type(const QStringList &wtypeArguments);

    // The output's pixels within `area`, the pointer drawn in as the compositor shows it.
    QImage screenshot(const QRect &area) const;
    QList<ShownWindow> windows() const;
    // The compositor's window titled `title`; a null client area when there is none.
    ShownWindow window(const QString &title) const;

private:
    bool swaymsg(const QString &command);
    QRect outputArea() const;
    bool configureOutput(const QString &name, const QString &settings, qreal scale);
};

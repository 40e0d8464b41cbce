#pragma once

#include <Qt>

#include <functional>

class QFont;
class QLabel;
class QRect;
class QString;
class QWidget;

// How the game's windows sit and look, the same for the main window, the score windows and
// the About window.

// A frame that cannot be resized: a title bar with just the buttons among `kindAndButtons`
// (Qt::Window or Qt::Tool, with button hints), no maximize. The caller fixes the size.
void setFixedFrame(QWidget *window, Qt::WindowFlags kindAndButtons);

// Places the window's outer frame, as far as the window system has told it, in the middle
// of its screen; half pixels go to the left and top. Where programs cannot place their
// windows (Wayland) it leaves the placement to the compositor.
void centreOnScreen(QWidget *window);

// Centres the window by its outer frame whenever the program shows it, and again once the
// window manager has framed it: the frame becomes known only after showing. A window the
// player has moved stays where it is until it is shown again.
void centreOnEveryShow(QWidget *window);

// Ties a window without a parent widget to `owner`'s window where the compositor places the
// windows (Wayland): it then opens over its owner, as a dialog, instead of wherever the
// compositor puts a new window. Elsewhere the window stays free and places itself.
void openOverOwner(QWidget *window, QWidget *owner);

// Draws a window's pictures for the window's own device pixel ratio: calls `draw` with the
// ratio at once, and again whenever it changes, as when the window shows or moves onto an
// output of another scale, or the compositor gives it a fractional scale once it shows.
void drawForPixelRatio(QWidget *window, std::function<void(qreal)> draw);

// Keeps Qt's "cached device pixel ratio value was stale" warnings off standard error, and
// lets every other message pass. Qt 6.8's Wayland plugin queues a window's new ratio and may
// deliver a repaint ahead of it, which Qt finds, puts right (the window hears of the new
// ratio before it paints) and reports, for any window, a bare one with a menu bar as well.
void quietLateRatioNotice();

// The face the game's texts are laid out for, at a size in pixels.
QFont arialFont(int pixelSize, bool bold = false);

// A label with the given object name and plain text (never guessed as rich text), placed
// at `place` with `alignment` horizontally and centred vertically.
QLabel *makeLabel(const QString &name, const QString &text, const QRect &place,
                  Qt::Alignment alignment, QWidget *parent);

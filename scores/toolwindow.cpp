#include "toolwindow.h"

#include <QFont>
#include <QScreen>
#include <QWidget>

namespace {
constexpr int DialogFontPixels = 11;
}

void makeFixedToolWindow(QWidget *window, const QSize &clientSize)
{
    window->setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(clientSize);
    // The controls are laid out for a small dialog face; the desktop's larger default
    // would cut "Name:" short in its place.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(DialogFontPixels);
    window->setFont(font);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->geometry().center());
    window->move(frame.topLeft());
}

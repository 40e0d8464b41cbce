#include "toolwindow.h"

#include "windowdress.h"

#include <QFont>
#include <QWidget>

namespace {
constexpr int DialogFontPixels = 11;
}

void makeFixedToolWindow(QWidget *window, const QSize &clientSize)
{
    setFixedFrame(window, Qt::Tool | Qt::WindowCloseButtonHint);
    window->setFixedSize(clientSize);
    // The controls are laid out for a small dialog face; the desktop's larger default
    // would cut "Name:" short in its place.
    window->setFont(arialFont(DialogFontPixels));
}

#include "windowdress.h"

#include <QFont>
#include <QLabel>
#include <QScreen>
#include <QWidget>

#include <cmath>

void setFixedFrame(QWidget *window, Qt::WindowFlags kindAndButtons)
{
    // Without the customize hint Qt ignores the button hints and adds its own.
    window->setWindowFlags(kindAndButtons | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::MSWindowsFixedSizeDialogHint);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QSize outer = window->frameGeometry().size();
    const auto halfDown = [](int length) { return int(std::floor(length / 2.0)); };
    window->move(area.x() + halfDown(area.width() - outer.width()),
                 area.y() + halfDown(area.height() - outer.height()));
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

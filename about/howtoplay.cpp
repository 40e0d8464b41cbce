#include "howtoplay.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace {
QString translated(const char *text)
{
    return QCoreApplication::translate("HowToPlay", text);
}
} // namespace

QString HowToPlayText()
{
    const QString lines[] = {
        translated(QT_TRANSLATE_NOOP("HowToPlay", "This is a very simple game.")),
        QString(),
        //: "Start" is the caption of the first item in the main window's menu bar.
        translated(QT_TRANSLATE_NOOP("HowToPlay", "Just click on Start and smash the eyes!!!")),
        QString(),
        translated(QT_TRANSLATE_NOOP("HowToPlay", "Your best record is recorded!")),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

void showHowToPlay(QWidget *parent)
{
    const QString title = translated(QT_TRANSLATE_NOOP("HowToPlay", "How to Play"));
    QMessageBox box(QMessageBox::Information, title, HowToPlayText(), QMessageBox::Ok, parent);
    // The exclamation marks must never make Qt guess at markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

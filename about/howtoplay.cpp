#include "howtoplay.h"

#include <QMessageBox>

QString HowToPlayText()
{
    const QString lines[] = {
        QStringLiteral("This is a very simple game."),
        QString(),
        QStringLiteral("Just click on Start and smash the eyes!!!"),
        QString(),
        QStringLiteral("Your best record is recorded!"),
    };
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1Char('\n');
    return text;
}

void showHowToPlay(QWidget *parent)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("How to Play"), HowToPlayText(),
                    QMessageBox::Ok, parent);
    // The exclamation marks must never make Qt guess at markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QWidget>

// The record dialog's controls as a player uses them.

inline QComboBox *nameBox(QWidget *dialog)
{
    return dialog->findChild<QComboBox *>(QStringLiteral("txtNAME"));
}

inline void pressOk(QWidget *dialog)
{
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("btnOK")), Qt::LeftButton);
}

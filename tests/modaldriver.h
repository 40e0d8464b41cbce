#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Runs action on the front modal window once one shows, after making it the active window as
// a window manager would: focus changes, and with them the dialog's default button, only
// happen in an active window. The test opens the window with exec() right after this call;
// the action does what a player would and closes it.
inline void whenModal(std::function<void(QWidget *)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            whenModal(action);
            return;
        }
        modal->activateWindow();
        if (!QTest::qWaitForWindowActive(modal))
            qWarning("the modal window %s did not become active", qPrintable(modal->objectName()));
        action(modal);
    });
}

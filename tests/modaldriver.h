#pragma once

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Who makes a modal window the active one once it shows: the driver, as a window manager
// would, where there is none (the offscreen platform); or the real window manager, whose
// doing a desktop test checks.
enum class ModalActivation { ByDriver, ByWindowManager };

// Runs action on the front modal window once one shows, from inside its modal loop, where
// the code under test waits until the window closes. Focus changes, and with them a dialog's
// default button, only happen in an active window. A window that action leaves open is
// closed afterwards, so a failed check cannot keep the test waiting. Returns the watch,
// which ends once action has run; a test that fails before the window opens deletes it.
inline QPointer<QTimer> whenModal(std::function<void(QWidget *)> action,
                                  ModalActivation activation = ModalActivation::ByDriver)
{
    constexpr int LookEveryMs = 10;
    auto *watch = new QTimer(qApp);
    QObject::connect(watch, &QTimer::timeout, watch, [watch, action, activation] {
        QPointer<QWidget> modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        watch->stop();
        watch->deleteLater();
        if (activation == ModalActivation::ByDriver) {
            modal->activateWindow();
            // A dialog counts as an active window while its owner is the active one, before
            // its own activation arrives: wait until it is the application's active window.
            if (!QTest::qWaitFor([&] { return modal && QApplication::activeWindow() == modal; }))
                qWarning("the modal window %s did not become active",
                         qPrintable(modal->objectName()));
        }
        action(modal);
        if (modal && modal->isVisible())
            modal->close();
    });
    watch->start(LookEveryMs);
    return watch;
}

// The next modal window of a desktop test, which the window manager activates: the game
// opens it on real input, so the test arms the wait, acts, then waits until done().
class ModalWait
{
public:
    ModalWait() = default;
    ModalWait(const ModalWait &) = delete;
    ModalWait &operator=(const ModalWait &) = delete;
    ~ModalWait() { cancel(); }

    void expect(std::function<void(QWidget *)> action)
    {
        m_done = false;
        m_watch = whenModal(
            [this, action](QWidget *modal) {
                action(modal);
                m_done = true;
            },
            ModalActivation::ByWindowManager);
    }
    bool done() const { return m_done; }
    // Ends a wait whose window never opened, as after a failed check.
    void cancel() { delete m_watch; }

private:
    QPointer<QTimer> m_watch;
    bool m_done = false;
};

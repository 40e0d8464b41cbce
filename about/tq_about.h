#pragma once

#include <QDialog>

// The About window: the logo, the programmer's credit and the web address on white, with
// no buttons. It stands on its own, centred on the screen; a click anywhere on it but its
// rightmost pixel column unloads it, and no key closes it.
class TQ_About : public QDialog
{
    Q_OBJECT
public:
    // Loads the window: builds its controls and centres it. It has no owner and deletes
    // itself when closed.
    TQ_About();

    // Centres the window, frame included, on its screen.
    void Form_Load();

public slots:
    void Closer_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
};

#pragma once

#include "frmrecord.h"
#include "modaldriver.h"
#include "testfiles.h"
#include "zubmod.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <optional>
#include <utility>

// What the widget tests share: controls found by their names, pointers compared, windows
// checked for centring, mouse events counted, message boxes caught, and the record dialog
// over tables of its own.

// The child of `root` of that object name, the control's name in the game.
template<typename T = QWidget>
T *control(const QObject *root, const QString &name)
{
    T *found = root->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

// Two pointers drawn from pictures that look the same and have the same hot spot.
inline bool samePointer(const QCursor &a, const QCursor &b)
{
    return a.shape() == Qt::BitmapCursor && b.shape() == Qt::BitmapCursor
        && a.hotSpot() == b.hotSpot() && a.pixmap().toImage() == b.pixmap().toImage();
}

// Nothing when the outer rectangle lies in the middle of the screen to within slackPx;
// else how far off it lies. Half a pixel is what placing on whole pixels may cost.
inline QString offCentre(const QRect &outer, const QRect &screen, double slackPx = 0.5)
{
    // Twice the offsets, in whole pixels.
    const int dx = 2 * (outer.left() - screen.left()) + outer.width() - screen.width();
    const int dy = 2 * (outer.top() - screen.top()) + outer.height() - screen.height();
    if (qAbs(dx) <= 2 * slackPx && qAbs(dy) <= 2 * slackPx)
        return {};
    return QStringLiteral("%1, %2 px off the centre").arg(dx / 2.0).arg(dy / 2.0);
}

// The window's outer frame, as the platform reports it, on its screen.
inline QString offCentre(const QWidget *window)
{
    return offCentre(window->frameGeometry(), window->screen()->geometry());
}

// Counts the mouse events that reach one widget, or every object when it watches the
// application.
class MouseEventCounter : public QObject
{
public:
    explicit MouseEventCounter(QObject *watched) { watched->installEventFilter(this); }
    int presses = 0;
    int doubleClicks = 0;
    int releases = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        presses += event->type() == QEvent::MouseButtonPress;
        doubleClicks += event->type() == QEvent::MouseButtonDblClick;
        releases += event->type() == QEvent::MouseButtonRelease;
        return false;
    }
};

// What a message box showed.
struct SeenBox
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    qsizetype buttonCount = 0;
};

// Closes every modal message box that opens while it lives, from inside the box's loop, and
// keeps what the last one showed.
class BoxCatcher
{
public:
    BoxCatcher()
    {
        QObject::connect(&m_look, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_last = SeenBox{box->icon(), box->windowTitle(), box->text(),
                                 box->standardButtons(), box->buttons().size()};
                box->close();
            }
        });
        m_look.start(LookEveryMs);
    }

    const std::optional<SeenBox> &last() const { return m_last; }

private:
    static constexpr int LookEveryMs = 10;
    QTimer m_look;
    std::optional<SeenBox> m_last;
};

// The record dialog's controls as a player uses them.
inline QComboBox *nameBox(QWidget *dialog)
{
    return control<QComboBox>(dialog, QStringLiteral("txtNAME"));
}

inline void pressOk(QWidget *dialog)
{
    QTest::mouseClick(control<QPushButton>(dialog, QStringLiteral("btnOK")), Qt::LeftButton);
}

// Clicks into the name box, as the focus starts on Cancel, and types.
inline void typeName(QWidget *dialog, const QString &name)
{
    QLineEdit *field = nameBox(dialog)->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton);
    for (const QChar ch : name)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// Score tables in a folder of their own, loaded from the files given, and the record dialog
// over them. A record waits for no lock.
struct RecordDesk
{
    explicit RecordDesk(std::initializer_list<std::pair<Level, QByteArray>> files = {})
        : tables(dir.path(), TableFolder::Existing, 0)
    {
        for (const auto &[level, bytes] : files) {
            if (!writeFile(tables.filePath(level), bytes))
                qFatal("cannot write %s", qPrintable(tables.filePath(level)));
        }
        tables.loadAll();
    }

    // Opens the dialog for a round of `score` at `level`, runs `action` on it once it shows,
    // and returns how the dialog ended.
    int record(Level level, qint32 score, std::function<void(QWidget *)> action)
    {
        frmRECORD dialog(tables, level, score);
        whenModal(std::move(action));
        return dialog.exec();
    }

    QTemporaryDir dir;
    ZubMod tables;
};

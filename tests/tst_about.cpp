// The "&?" menu's two windows: the how-to-play text byte for byte and its message box, a
// round going on behind either window, and the About window's look, its centring, the
// clicks that close it and the ones that do not, and its fresh load on every show.
#include "aboutart.h"
#include "frmzub.h"
#include "howtoplay.h"
#include "tq_about.h"
#include "widgettest.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QRegularExpression>

namespace {
constexpr QSize AboutClientSize(282, 145);
constexpr QRect LogoPlace(8, 8, 120, 56);
constexpr int RightmostColumn = 281;

void clickOn(QWidget *window, const QPoint &point)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, point);
}

QImage premultiplied(const QPixmap &picture)
{
    return picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage onWhite(const QPixmap &picture)
{
    QImage image(picture.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).drawPixmap(0, 0, picture);
    return image;
}
} // namespace

class TestAbout : public QObject
{
    Q_OBJECT
private slots:
    void howToPlayBox();
    void roundGoesOnBehind_data();
    void roundGoesOnBehind();
    void aboutWindow();
    void aboutControls_data();
    void aboutControls();
    void clicks_data();
    void clicks();
    void aboutLoadedAfreshOnEveryShow();

private:
    QTemporaryDir m_folder;
};

void TestAbout::howToPlayBox()
{
    const BoxCatcher boxes;
    showHowToPlay(nullptr);
    const std::optional<SeenBox> &box = boxes.last();
    // Caught as the modal window.
    QVERIFY(box);
    QCOMPARE(box->title, QStringLiteral("How to Play"));
    QCOMPARE(box->text,
             QStringLiteral("This is a very simple game.\n\n"
                            "Just click on Start and smash the eyes!!!\n\n"
                            "Your best record is recorded!\n"));
    QCOMPARE(box->icon, QMessageBox::Information);
    QCOMPARE(box->buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->buttonCount, 1);
}

void TestAbout::roundGoesOnBehind_data()
{
    QTest::addColumn<bool>("about");
    QTest::newRow("how to play") << false;
    QTest::newRow("About") << true;
}

// Opened during Get Ready, either window leaves the round alone: the Get Ready timer keeps
// running and ticks while the window is open, here at once.
void TestAbout::roundGoesOnBehind()
{
    QFETCH(bool, about);
    frmZUB window(m_folder.path());
    window.show();
    window.bmSTART_Click();
    auto *timStart = control<QTimer>(&window, QStringLiteral("timStart"));

    bool activeWhileOpen = false;
    bool tickedWhileOpen = false;
    whenModal([&](QWidget *) {
        activeWhileOpen = timStart->isActive();
        timStart->setInterval(1);
        tickedWhileOpen = QTest::qWaitFor([&] { return window.readyTicks() > 0; });
    });
    if (about)
        window.bmABOUT_Click();
    else
        window.bmHELP_Click();

    QVERIFY(activeWhileOpen);
    QVERIFY(tickedWhileOpen);
    QVERIFY(window.running());
    QCOMPARE(window.score(), 0);
}

void TestAbout::aboutWindow()
{
    TQ_About about;
    about.setAttribute(Qt::WA_DeleteOnClose, false);
    QVERIFY(!about.parentWidget());
    QCOMPARE(about.size(), AboutClientSize);
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.windowType(), Qt::Tool);
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags & Qt::CustomizeWindowHint);
    QVERIFY(!(flags
              & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint
                 | Qt::WindowCloseButtonHint)));
    QVERIFY(about.windowTitle().trimmed().isEmpty());
    QCOMPARE(premultiplied(about.windowIcon().pixmap(QSize(32, 32))),
             premultiplied(Artwork::aboutIcon()));
    QVERIFY(about.findChildren<QAbstractButton *>().isEmpty());
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QVERIFY(about.frameGeometry().width() >= AboutClientSize.width());
    QCOMPARE(offCentre(&about), QString());

    // What the player sees through the transparent Closer: the logo at its own size, the two
    // rules, white everywhere else.
    const QImage shown = about.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), AboutClientSize);
    QCOMPARE(shown.copy(LogoPlace), onWhite(Artwork::logo()));
    for (int y : {64, 112}) {
        for (int x : {8, 140, 272})
            QVERIFY2(qGray(shown.pixel(x, y)) < 128,
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        QCOMPARE(QColor(shown.pixel(140, y + 1)), QColor(Qt::white));
        QCOMPARE(QColor(shown.pixel(273, y)), QColor(Qt::white));
    }
    QCOMPARE(QColor(shown.pixel(200, 30)), QColor(Qt::white));
    QCOMPARE(QColor(shown.pixel(RightmostColumn, 144)), QColor(Qt::white));
}

void TestAbout::aboutControls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("text"); // a pattern; the author's address and name are the game's
    QTest::newRow("Closer") << "Closer" << QRect(0, 0, 281, 145) << QString();
    QTest::newRow("TQLogo") << "TQLogo" << LogoPlace << QString();
    QTest::newRow("Line1(1)") << "Line1(1)" << QRect(8, 112, 265, 1) << QString();
    QTest::newRow("lblSITE") << "lblSITE" << QRect(8, 88, 265, 17) << "^\\S+$";
    QTest::newRow("Line1(0)") << "Line1(0)" << QRect(8, 64, 265, 1) << QString();
    QTest::newRow("MyName") << "MyName" << QRect(8, 72, 161, 17) << "^Programmer: \\S.*$";
    QTest::newRow("lblFREEWARE") << "lblFREEWARE" << QRect(8, 120, 265, 17) << "^FREEWARE$";
}

void TestAbout::aboutControls()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QString, text);
    TQ_About about;
    about.setAttribute(Qt::WA_DeleteOnClose, false);
    const auto *control = about.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &about);
    QCOMPARE(control->geometry(), place);
    if (text.isEmpty())
        return;
    const auto *label = qobject_cast<const QLabel *>(control);
    QVERIFY(label);
    QVERIFY2(QRegularExpression(text).match(label->text()).hasMatch(), qPrintable(label->text()));
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(label->alignment() & Qt::AlignLeft);
    QCOMPARE(label->font(), about.font());
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= place.width());
}

void TestAbout::clicks_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("closes");
    QTest::newRow("logo") << LogoPlace.center() << true;
    QTest::newRow("credit") << QPoint(20, 80) << true;
    QTest::newRow("web address") << QPoint(20, 96) << true;
    QTest::newRow("freeware") << QPoint(20, 128) << true;
    QTest::newRow("rule") << QPoint(100, 112) << true;
    QTest::newRow("empty spot") << QPoint(220, 30) << true;
    QTest::newRow("top left corner") << QPoint(0, 0) << true;
    QTest::newRow("next to last column") << QPoint(RightmostColumn - 1, 70) << true;
    QTest::newRow("last column, top") << QPoint(RightmostColumn, 0) << false;
    QTest::newRow("last column, middle") << QPoint(RightmostColumn, 70) << false;
    QTest::newRow("last column, bottom") << QPoint(RightmostColumn, 144) << false;
    // A dialog closes on Escape; the About window binds no key to closing.
    QTest::newRow("Escape") << QPoint(-1, -1) << false;
}

void TestAbout::clicks()
{
    QFETCH(QPoint, point);
    QFETCH(bool, closes);
    QPointer<TQ_About> about = new TQ_About;
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    if (point.x() < 0) {
        QTest::keyClick(about->windowHandle(), Qt::Key_Escape);
        QTest::keyClick(about, Qt::Key_Escape);
    } else {
        clickOn(about, point);
    }
    if (closes) {
        QVERIFY(!about || !about->isVisible());
        QTRY_VERIFY(about.isNull());
    } else {
        QVERIFY(about && about->isVisible());
        delete about;
    }
}

// "&About" shows the window modally with no owner; a click unloads it, and the next show
// loads a new one, centred again although the last one was moved away.
void TestAbout::aboutLoadedAfreshOnEveryShow()
{
    frmZUB window(m_folder.path());
    window.show();
    for (const QPoint click : {LogoPlace.center(), QPoint(20, 96)}) {
        QPointer<QWidget> shown;
        bool modal = false;
        bool ownerless = false;
        QString offCentreBy = QStringLiteral("not shown");
        whenModal([&](QWidget *about) {
            shown = about;
            modal = qobject_cast<TQ_About *>(about) && about->isModal();
            ownerless = !about->parentWidget();
            offCentreBy = offCentre(about);
            about->move(0, 0);
            clickOn(about, click);
        });
        window.bmABOUT_Click();
        QVERIFY(modal);
        QVERIFY(ownerless);
        QCOMPARE(offCentreBy, QString());
        QVERIFY(shown.isNull());
    }
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"

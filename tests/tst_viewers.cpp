// The three table viewers opened from the Top Scores menu: their lines, order and design, a
// long list scrolled by a finger, rebuilding on every opening, hiding on Ok, Enter and Esc,
// and dying by the close box.
#include "frmzub.h"
#include "topviewer.h"
#include "widgettest.h"

#include <QListWidget>
#include <QScrollBar>

#include <memory>

namespace {

constexpr QRect ListRect(8, 8, 209, 160);
// A finger's drag up the list, at a person's pace.
constexpr int DragPx = 120;
constexpr int DragSteps = 6;
constexpr int DragStepMs = 20;

struct ViewerCase
{
    const char *window;
    const char *list;
    void (frmZUB::*open)();
};

ViewerCase viewerCase(Level level)
{
    switch (level) {
    case Level::Easy:
        return {"frmEASY", "lstEASY", &frmZUB::bmT_EASY_Click};
    case Level::Medium:
        return {"frmMEDI", "lstMEDI", &frmZUB::bmT_MEDIUM_Click};
    case Level::Hard:
        break;
    }
    return {"frmHARD", "lstHARD", &frmZUB::bmT_HARD_Click};
}

QStringList linesOf(const QWidget *viewer, const char *listName)
{
    const auto *list = control<QListWidget>(viewer, QString::fromLatin1(listName));
    QStringList lines;
    for (int row = 0; row < list->count(); ++row)
        lines << list->item(row)->text();
    return lines;
}

QPushButton *okButton(QWidget *viewer)
{
    return control<QPushButton>(viewer, QStringLiteral("btn"));
}

} // namespace

class TestViewers : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void lines_data();
    void lines();
    void closing_data();
    void closing();

private:
    // Table files are written before the main window starts, which loads them.
    QString tablePath(Level level) const { return ZubMod(m_dir->path()).filePath(level); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestViewers::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestViewers::lines_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("letter case ignored")
        << Level::Easy << QByteArray("Carl;50;\r\nanna;300;\r\nBob;200;\r\n")
        << QStringList{"anna:  300", "Bob:  200", "Carl:  50"};
    QTest::newRow("plain digits, plain text")
        << Level::Medium << QByteArray("Anna;1250;\r\n<b>x</b>;-5;\r\n")
        << QStringList{"<b>x</b>:  -5", "Anna:  1250"};
    QTest::newRow("a name before its longer form")
        << Level::Hard << QByteArray("Anna;3;\r\nAnn;4;\r\n") << QStringList{"Ann:  4", "Anna:  3"};
    QTest::newRow("no entries") << Level::Easy << QByteArray() << QStringList();
    QTest::newRow("a hundred names, which a finger scrolls")
        << Level::Easy << numberedLines("P", 100, 199)
        << numberedEntries(QStringLiteral("P"), 100, 199).replaceInStrings("=", ":  ");
}

void TestViewers::lines()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, table);
    QFETCH(QStringList, lines);

    QVERIFY(writeFile(tablePath(level), table));
    frmZUB window(m_dir->path());
    const ViewerCase viewer = viewerCase(level);

    QStringList shown;
    QString focused;
    bool scrolled = false;
    whenModal([&](QWidget *modal) {
        shown = linesOf(modal, viewer.list);
        focused = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
        // A finger dragged up a list longer than the view scrolls it.
        const QScrollBar *bar =
            control<QListWidget>(modal, QString::fromLatin1(viewer.list))->verticalScrollBar();
        if (bar->maximum() > 0) {
            const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());
            QPoint at = ListRect.center() + QPoint(0, DragPx / 2);
            QTest::touchEvent(modal->windowHandle(), screen.get()).press(0, at);
            for (int step = 0; step < DragSteps; ++step) {
                QTest::qWait(DragStepMs);
                at.ry() -= DragPx / DragSteps;
                QTest::touchEvent(modal->windowHandle(), screen.get()).move(0, at);
            }
            QTest::touchEvent(modal->windowHandle(), screen.get()).release(0, at);
            scrolled = QTest::qWaitFor([bar] { return bar->value() > 0; });
        }
        QTest::mouseClick(okButton(modal), Qt::LeftButton);
    });
    (window.*viewer.open)();
    QCOMPARE(shown, lines);
    QCOMPARE(scrolled, lines.size() == 100);

    // The viewer, hidden by Ok, as designed.
    auto *modal = window.findChild<QWidget *>(QLatin1StringView(viewer.window));
    QVERIFY(modal);
    QCOMPARE(modal->windowTitle(), QStringLiteral("Scores"));
    QCOMPARE(modal->size(), QSize(225, 217));
    const Qt::WindowFlags flags = modal->windowFlags();
    QVERIFY(flags.testFlag(Qt::Tool));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(control<QListWidget>(modal, QString::fromLatin1(viewer.list))->geometry(), ListRect);
    QCOMPARE(okButton(modal)->geometry(), QRect(80, 184, 65, 25));
    QVERIFY(okButton(modal)->isDefault());
    QCOMPARE(focused, QStringLiteral("btn"));
}

void TestViewers::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("kept");

    QTest::newRow("Ok") << "Ok" << true;
    QTest::newRow("Enter") << "Enter" << true;
    QTest::newRow("Esc") << "Esc" << true;
    QTest::newRow("close box") << "close box" << false;
}

// Ok, Enter and Esc hide the viewer, which the next opening shows again; the close box ends
// it, and the next opening makes a new one. Either way the next opening rebuilds the list
// from the table as it stands.
void TestViewers::closing()
{
    QFETCH(QString, how);
    QFETCH(bool, kept);

    QVERIFY(writeFile(tablePath(Level::Hard), "Hal;5;\r\n"));
    frmZUB window(m_dir->path());

    QPointer<QWidget> first;
    whenModal([&](QWidget *modal) {
        first = modal;
        if (how == QLatin1String("Ok"))
            QTest::mouseClick(okButton(modal), Qt::LeftButton);
        else if (how == QLatin1String("Enter"))
            QTest::keyClick(modal->focusWidget(), Qt::Key_Return);
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(modal->focusWidget(), Qt::Key_Escape);
        else
            modal->close();
    });
    window.bmT_HARD_Click();
    QCOMPARE(window.findChild<QWidget *>(QStringLiteral("frmHARD")) != nullptr, kept);
    QCOMPARE(!first.isNull(), kept);
    if (kept)
        QVERIFY(first->isHidden());
    ZubMod &tables = window.tables();
    tables.TopHardCount = 2;
    tables.TopHardName[2] = QStringLiteral("Abe");
    tables.TopHardScore[2] = 7;

    QPointer<QWidget> second;
    QStringList shown;
    whenModal([&](QWidget *modal) {
        second = modal;
        shown = linesOf(modal, "lstHARD");
        QTest::mouseClick(okButton(modal), Qt::LeftButton);
    });
    window.bmT_HARD_Click();
    QCOMPARE(second.data() == first.data(), kept);
    QCOMPARE(shown, QStringList({"Abe:  7", "Hal:  5"}));
}

QTEST_MAIN(TestViewers)
#include "tst_viewers.moc"

// The three table viewers opened from the Top Scores menu: their lines and order, rebuilding
// on every opening, hiding on Ok, Enter and Esc, dying by the close box, and their design.
#include "frmzub.h"
#include "topviewer.h"
#include "widgettest.h"

#include <QListWidget>

namespace {

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
    QStringList lines;
    if (const auto *list = viewer->findChild<QListWidget *>(QLatin1StringView(listName))) {
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text();
    }
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
    void design_data();
    void design();

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
    whenModal([&](QWidget *modal) {
        shown = linesOf(modal, viewer.list);
        QTest::mouseClick(okButton(modal), Qt::LeftButton);
    });
    (window.*viewer.open)();
    QCOMPARE(shown, lines);
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

void TestViewers::design_data()
{
    QTest::addColumn<Level>("level");
    QTest::newRow("Easy") << Level::Easy;
    QTest::newRow("Medium") << Level::Medium;
    QTest::newRow("Hard") << Level::Hard;
}

void TestViewers::design()
{
    QFETCH(Level, level);
    const ViewerCase viewer = viewerCase(level);
    frmZUB window(m_dir->path());

    QString name;
    QString caption;
    QSize size;
    QRect listRect;
    QRect buttonRect;
    bool isDefault = false;
    QString focused;
    Qt::WindowFlags flags;
    whenModal([&](QWidget *modal) {
        name = modal->objectName();
        caption = modal->windowTitle();
        size = modal->size();
        flags = modal->windowFlags();
        if (const auto *list = modal->findChild<QListWidget *>(QLatin1StringView(viewer.list)))
            listRect = list->geometry();
        buttonRect = okButton(modal)->geometry();
        isDefault = okButton(modal)->isDefault();
        focused = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
        modal->close();
    });
    (window.*viewer.open)();

    QCOMPARE(name, QLatin1StringView(viewer.window));
    QCOMPARE(caption, QStringLiteral("Scores"));
    QCOMPARE(size, QSize(225, 217));
    QVERIFY(flags.testFlag(Qt::Tool));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(listRect, QRect(8, 8, 209, 160));
    QCOMPARE(buttonRect, QRect(80, 184, 65, 25));
    QVERIFY(isDefault);
    QCOMPARE(focused, QStringLiteral("btn"));
}

QTEST_MAIN(TestViewers)
#include "tst_viewers.moc"

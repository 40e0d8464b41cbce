// The record dialog: "&Ok" records the name as typed and loads the tables again; an Ok that
// records nothing says why and keeps the dialog open; stored names are taken as they were
// read; Cancel, Esc and the close box change nothing; and how the dialog opens and looks.
#include "scoretables.h"
#include "widgettest.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>

namespace {

const QByteArray AnnaBob = "Anna;300;\r\nBob;200;\r\n";
// The second line ends with the author's address, which is the game's own to choose.
const QString ErrorText = QStringLiteral("^Error Trapped\\.\nContact the Author at: \\S+$");

QPushButton *button(QWidget *dialog, const char *name)
{
    return control<QPushButton>(dialog, QLatin1StringView(name));
}

} // namespace

class TestRecord : public QObject
{
    Q_OBJECT
private slots:
    void recording_data();
    void recording();
    void nothingRecorded_data();
    void nothingRecorded();
    void opening_data();
    void opening();
    void okFollowsTheText_data();
    void okFollowsTheText();
};

// The name goes into the table exactly as typed, by the button or by Enter. A name that only
// a hand-edited file holds, with a comma or leading blanks, is taken when picked from the list
// and written back between quotes, as it was read. Then all three tables are loaded again, as
// a table written after loading shows, and the third level's file is not made. Which entry a
// record changes is the score store's rule.
void TestRecord::recording_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("easy"); // Easy's file as loaded, its names in the list
    QTest::addColumn<QString>("name");    // typed; none to pick the first of the list
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("inner quote and blanks, by Enter")
        << Level::Hard << QByteArray() << "O\"Neil  Jr " << true
        << QByteArray("O\"Neil  Jr ;80;\r\n");
    QTest::newRow("markup and other alphabets, by Ok")
        << Level::Easy << QByteArray() << QStringLiteral("<b>Ωμέγα</b>") << false
        << QStringLiteral("<b>Ωμέγα</b>;80;\r\n").toUtf8();
    QTest::newRow("picked with a comma, raised")
        << Level::Easy << QByteArray("\"Smith, Al;50;\"\r\n") << QString() << false
        << QByteArray("\"Smith, Al;80;\"\r\n");
    QTest::newRow("picked with leading blanks, new at Hard")
        << Level::Hard << QByteArray("\"  Al;50;\"\r\n") << QString() << false
        << QByteArray("\"  Al;80;\"\r\n");
}

void TestRecord::recording()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, easy);
    QFETCH(QString, name);
    QFETCH(bool, byEnter);

    RecordDesk desk{{Level::Easy, easy}};
    const Level other = level == Level::Hard ? Level::Easy : Level::Hard;
    QVERIFY(writeFile(desk.tables.filePath(other), "Hal;5;\r\n"));

    std::optional<SeenBox> seen;
    const int result = desk.record(level, 80, [&](QWidget *modal) {
        const BoxCatcher boxes;
        if (name.isEmpty())
            QTest::keyClick(nameBox(modal), Qt::Key_Down);
        else
            typeName(modal, name);
        if (byEnter)
            QTest::keyClick(nameBox(modal)->lineEdit(), Qt::Key_Return);
        else
            pressOk(modal);
        seen = boxes.last();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(!seen);

    QTEST(fileContent(desk.tables.filePath(level)), "after");
    QCOMPARE(int(desk.tables.table(level).count), 1);
    QCOMPARE(fileContent(desk.tables.filePath(other)), QByteArray("Hal;5;\r\n"));
    QCOMPARE(int(desk.tables.table(other).count), 1);
    QVERIFY(!QFile::exists(desk.tables.filePath(Level::Medium)));
}

// Nothing is recorded when the player leaves by Cancel, Esc or the close box, nor when Ok
// cannot record: then a box says why and the dialog stays open with the name. Nothing in the
// folder changes and the tables are not loaded again (Hard's file is written after loading).
// Ok records nothing at a full table: Easy's hundred take no score at all, a Medium or Hard
// table of ten no new name. Nor with a refused name. Nor when the write fails, here a folder
// where the file belongs, which stops root as well: the entry stays in the table, and once
// the folder is gone the next Ok writes it, once.
void TestRecord::nothingRecorded_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("how"); // Ok, Cancel, Esc or close box
    QTest::addColumn<bool>("writeFails");
    QTest::addColumn<int>("icon"); // of the box that Ok shows
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text"); // a pattern

    const auto refused = [](const char *row, const QString &name, const char *advice) {
        QTest::newRow(row) << Level::Easy << QByteArray() << name << "Ok" << false
                           << int(QMessageBox::Warning) << "Score Memorize" << advice;
    };
    QTest::newRow("Easy of a hundred, a listed name")
        << Level::Easy << numberedLines("P", 1, 100) << "p1"
        << "Ok" << false << int(QMessageBox::Critical) << "Error" << ErrorText;
    QTest::newRow("Medium of ten, a new name")
        << Level::Medium << numberedLines("P", 1, 10) << "Zed"
        << "Ok" << false << int(QMessageBox::Warning) << "Score Memorize"
        << "\\S";
    QTest::newRow("write fails") << Level::Easy << AnnaBob << "Carl"
                                 << "Ok" << true << int(QMessageBox::Critical) << "Error"
                                 << ErrorText;
    refused("comma", QStringLiteral("Smith, Al"), "comma \\(,\\)");
    refused("semicolon", QStringLiteral("Al;Bo"), "semicolon \\(;\\)");
    refused("leading quote", QStringLiteral("\"Al\""), "begin with a double quote");
    refused("leading blank", QStringLiteral(" Al"), "begin with a blank");
    refused("tab", QStringLiteral("Al\tBo"), "control character");
    refused("501 characters", QString(501, u'n'), "longer than 500 characters");
    for (const char *how : {"Cancel", "Esc", "close box"}) {
        QTest::newRow(how) << Level::Easy << AnnaBob << "Bob" << how << false
                           << int(QMessageBox::NoIcon) << QString() << QString();
    }
}

void TestRecord::nothingRecorded()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, before);
    QFETCH(QString, name);
    QFETCH(QString, how);
    QFETCH(bool, writeFails);
    QFETCH(QString, text);
    const bool byOk = how == QLatin1String("Ok");

    RecordDesk desk{{level, before}};
    const QString path = desk.tables.filePath(level);
    QVERIFY(writeFile(desk.tables.filePath(Level::Hard), "Hal;5;\r\n"));
    if (writeFails)
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    const QStringList tableBefore = describe(desk.tables.table(level));
    const QMap<QString, QByteArray> folderBefore = snapshot(desk.dir.path());
    const QDateTime written = QFileInfo(path).lastModified();

    std::optional<SeenBox> seen;
    bool stillOpen = false;
    QString nameAfter;
    QStringList tableAfter;
    int hardCount = -1;
    QMap<QString, QByteArray> folderAfter;
    QDateTime writtenAfter;
    const int result = desk.record(level, 999, [&](QWidget *modal) {
        nameBox(modal)->setEditText(name);
        {
            const BoxCatcher boxes;
            if (byOk)
                pressOk(modal);
            else if (how == QLatin1String("Cancel"))
                QTest::mouseClick(button(modal, "btnEND"), Qt::LeftButton);
            else if (how == QLatin1String("Esc"))
                QTest::keyClick(nameBox(modal)->lineEdit(), Qt::Key_Escape);
            else
                modal->close();
            seen = boxes.last();
        }
        stillOpen = modal->isVisible();
        nameAfter = nameBox(modal)->currentText();
        tableAfter = describe(desk.tables.table(level));
        hardCount = desk.tables.TopHardCount;
        folderAfter = snapshot(desk.dir.path());
        writtenAfter = QFileInfo(path).lastModified();
        if (writeFails && QDir().rmdir(path))
            pressOk(modal);
    });

    QCOMPARE(seen.has_value(), byOk);
    if (seen) {
        QTEST(int(seen->icon), "icon");
        QTEST(seen->title, "title");
        QVERIFY2(seen->text.contains(QRegularExpression(text)), qPrintable(seen->text));
        QCOMPARE(seen->buttons, QMessageBox::Ok);
    }
    QCOMPARE(stillOpen, byOk);
    QCOMPARE(nameAfter, name);
    QCOMPARE(tableAfter,
             writeFails ? tableBefore + QStringList{name + QStringLiteral("=999")} : tableBefore);
    QCOMPARE(hardCount, 0);
    QCOMPARE(folderAfter, folderBefore);
    QCOMPARE(writtenAfter, written);
    QCOMPARE(result, int(writeFails ? QDialog::Accepted : QDialog::Rejected));
    if (!writeFails)
        return;
    QCOMPARE(fileContent(path), before + "Carl;999;\r\n");
    QCOMPARE(int(desk.tables.TopEasyCount), 3);
    QCOMPARE(int(desk.tables.TopHardCount), 1);
}

// Every opening starts with an empty name, Ok disabled and the focus on Cancel; the list
// holds the names of all three tables, once per table, in order with letter case ignored.
// The dialog's design, and its tab order followed by the Tab key once Ok is enabled.
void TestRecord::opening_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("easy");
    QTest::addColumn<QByteArray>("medium");
    QTest::addColumn<QByteArray>("hard");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("Easy, three tables")
        << Level::Easy << QByteArray("bob;1;\r\nAnna;2;\r\nCarl;3;\r\n")
        << QByteArray("anna;4;\r\nCarl;5;\r\n") << QByteArray("Dan;6;\r\n")
        << "Score Memorize - Easy" << QStringList{"Anna", "anna", "bob", "Carl", "Carl", "Dan"};
    QTest::newRow("Medium, no tables")
        << Level::Medium << QByteArray() << QByteArray() << QByteArray()
        << "Score Memorize - Medium" << QStringList();
    QTest::newRow("Hard, one table")
        << Level::Hard << QByteArray() << QByteArray() << QByteArray("Zoe;1;\r\n")
        << "Score Memorize - Hard" << QStringList{"Zoe"};
}

void TestRecord::opening()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, easy);
    QFETCH(QByteArray, medium);
    QFETCH(QByteArray, hard);
    QFETCH(QString, caption);
    QFETCH(QStringList, names);

    RecordDesk desk{{Level::Easy, easy}, {Level::Medium, medium}, {Level::Hard, hard}};
    frmRECORD dialog(desk.tables, level, 0);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Score Memorize"));
    QCOMPARE(dialog.size(), QSize(188, 70));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    const Qt::WindowFlags flags = dialog.windowFlags();
    QVERIFY(flags.testFlag(Qt::Tool));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    const QList<std::pair<const char *, QRect>> places{{"lblNAM", {0, 8, 33, 17}},
                                                       {"txtNAME", {40, 8, 137, 21}},
                                                       {"btnOK", {16, 40, 73, 25}},
                                                       {"btnEND", {96, 40, 73, 25}}};
    for (const auto &[name, rect] : places)
        QCOMPARE(control(&dialog, QLatin1StringView(name))->geometry(), rect);
    QVERIFY(button(&dialog, "btnOK")->isDefault());
    const auto *label = control<QLabel>(&dialog, QStringLiteral("lblNAM"));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());

    QString shownCaption;
    QStringList listed;
    QString text = QStringLiteral("not read");
    bool okEnabled = true;
    QString focused;
    QStringList order;
    whenModal([&](QWidget *modal) {
        shownCaption = modal->windowTitle();
        const QComboBox *box = nameBox(modal);
        for (int i = 0; i < box->count(); ++i)
            listed << box->itemText(i);
        text = box->currentText();
        okEnabled = button(modal, "btnOK")->isEnabled();
        focused = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
        typeName(modal, QStringLiteral("A"));
        button(modal, "btnOK")->setFocus();
        for (int step = 0; step < 4; ++step) {
            QWidget *focus = modal->focusWidget();
            while (focus->parentWidget() != modal)
                focus = focus->parentWidget();
            order << focus->objectName();
            QTest::keyClick(modal->focusWidget(), Qt::Key_Tab);
        }
        modal->close();
    });
    dialog.exec();

    QCOMPARE(shownCaption, caption);
    QCOMPARE(listed, names);
    QCOMPARE(text, QString());
    QVERIFY(!okEnabled);
    QCOMPARE(focused, QStringLiteral("btnEND"));
    QCOMPARE(order, QStringList({"btnOK", "btnEND", "txtNAME", "btnOK"}));
}

void TestRecord::okFollowsTheText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("erased");
    QTest::addColumn<bool>("pickFromList");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("okEnabled");

    QTest::newRow("nothing") << "" << 0 << false << "" << false;
    QTest::newRow("one blank") << " " << 0 << false << " " << true;
    QTest::newRow("typed") << "Al" << 0 << false << "Al" << true;
    QTest::newRow("start of a known name, not completed") << "An" << 0 << false << "An" << true;
    QTest::newRow("typed and erased") << "Al" << 2 << false << "" << false;
    QTest::newRow("picked from the list") << "" << 0 << true << "Anna" << true;
}

void TestRecord::okFollowsTheText()
{
    QFETCH(QString, typed);
    QFETCH(int, erased);
    QFETCH(bool, pickFromList);
    QFETCH(QString, text);
    QFETCH(bool, okEnabled);

    RecordDesk desk{{Level::Easy, "Anna;1;\r\n"}};
    QString textShown;
    bool enabled = !okEnabled;
    desk.record(Level::Easy, 0, [&](QWidget *modal) {
        QComboBox *box = nameBox(modal);
        typeName(modal, typed);
        for (int i = 0; i < erased; ++i)
            QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
        if (pickFromList)
            QTest::keyClick(box, Qt::Key_Down);
        textShown = box->currentText();
        enabled = button(modal, "btnOK")->isEnabled();
        modal->close();
    });

    QCOMPARE(textShown, text);
    QCOMPARE(enabled, okEnabled);
}

QTEST_MAIN(TestRecord)
#include "tst_record.moc"

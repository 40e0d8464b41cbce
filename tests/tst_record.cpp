// The record dialog: what "&Ok" writes into the level's table and file, what a failed write
// or a full table leaves behind, which names are refused and that stored names are not, that
// Cancel, Esc and the close box change nothing, and that the end of a round's time opens the
// dialog.
#include "frmrecord.h"
#include "frmzub.h"
#include "modaldriver.h"
#include "recorddialog.h"
#include "testfiles.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QByteArray AnnaBob = "Anna;300;\r\nBob;200;\r\n";
const QString ErrorText = QStringLiteral(
    "Error Trapped.\nContact the Author at: zubbo-author@example.com");
const QString FullTopTenText = QStringLiteral(
    "This level's Top Ten is full: a new name cannot be added.\nA name already listed can still "
    "raise its score.");

QPushButton *button(QWidget *dialog, const char *name)
{
    return dialog->findChild<QPushButton *>(QLatin1StringView(name));
}

// Clicks into the name box, as the focus starts on Cancel, and types.
void typeName(QWidget *dialog, const QString &name)
{
    QLineEdit *field = nameBox(dialog)->lineEdit();
    QTest::mouseClick(field, Qt::LeftButton);
    for (const QChar ch : name)
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

struct SeenBox
{
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// Notes the next modal window, which ought to be a message box, and closes it. Returns the
// watch, for a test that expects no box to end it.
QPointer<QTimer> answerNextBox(std::optional<SeenBox> &seen)
{
    return whenModal([&seen](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            seen = SeenBox{box->icon(), box->windowTitle(), box->text(), box->standardButtons()};
        modal->close();
    });
}

void verifyErrorBox(const std::optional<SeenBox> &seen)
{
    QVERIFY(seen);
    QCOMPARE(seen->icon, QMessageBox::Critical);
    QCOMPARE(seen->title, QStringLiteral("Error"));
    QCOMPARE(seen->text, ErrorText);
    QCOMPARE(seen->buttons, QMessageBox::Ok);
}

} // namespace

class TestRecord : public QObject
{
    Q_OBJECT
private slots:
    void recording_data();
    void recording();
    void fullTableTakesNoNewName_data();
    void fullTableTakesNoNewName();
    void failedWriteKeepsDialogOpen();
    void refusedNames_data();
    void refusedNames();
    void storedNamesArePicked_data();
    void storedNamesArePicked();
    void leavingRecordsNothing_data();
    void leavingRecordsNothing();
    void opening_data();
    void opening();
    void okFollowsTheText_data();
    void okFollowsTheText();
    void design();
    void timeUpOpensTheDialog();
};

// Besides the played level's file, a table written after loading shows whether all three
// tables are loaded again, and the third level's file must not appear.
void TestRecord::recording_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("score");
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<int>("countAfter");

    QTest::newRow("known name, lower score raised")
        << Level::Easy << AnnaBob << "Bob" << 250 << false
        << QByteArray("Anna;300;\r\nBob;250;\r\n") << 2;
    QTest::newRow("equal score in other case keeps the spelling")
        << Level::Easy << AnnaBob << "ANNA" << 300 << true << AnnaBob << 2;
    QTest::newRow("higher score stays")
        << Level::Medium << AnnaBob << "bob" << 100 << false << AnnaBob << 2;
    QTest::newRow("new name goes last")
        << Level::Easy << AnnaBob << "Carl" << 50 << true << AnnaBob + "Carl;50;\r\n"
        << 3;
    QTest::newRow("score 0 into an empty table")
        << Level::Hard << QByteArray() << "Dora" << 0 << false << QByteArray("Dora;0;\r\n") << 1;
    QTest::newRow("no thousands separator") << Level::Medium << QByteArray() << "Eve" << 1250
                                            << false << QByteArray("Eve;1250;\r\n") << 1;
    QTest::newRow("inner quote and blanks as typed")
        << Level::Hard << QByteArray() << "O\"Neil  Jr " << 5 << true
        << QByteArray("O\"Neil  Jr ;5;\r\n") << 1;
    QTest::newRow("markup and other alphabets as typed")
        << Level::Easy << QByteArray() << QStringLiteral("<b>Ωμέγα</b>") << 7 << false
        << QStringLiteral("<b>Ωμέγα</b>;7;\r\n").toUtf8() << 1;
    QTest::newRow("Medium of ten: a listed name raised")
        << Level::Medium << numberedLines("P", 1, 10) << "p10" << 999 << false
        << numberedLines("P", 1, 9) + "P10;999;\r\n"
        << 10;
}

void TestRecord::recording()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, before);
    QFETCH(QString, name);
    QFETCH(int, score);
    QFETCH(bool, byEnter);
    QFETCH(QByteArray, after);
    QFETCH(int, countAfter);

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    const Level other = level == Level::Hard ? Level::Easy : Level::Hard;
    const Level third = Level(6 - int(level) - int(other));
    if (!before.isEmpty())
        QVERIFY(writeFile(tables.filePath(level), before));
    tables.loadAll();
    QVERIFY(writeFile(tables.filePath(other), "Hal;5;\r\n"));

    frmRECORD dialog(tables, level, score);
    whenModal([&](QWidget *modal) {
        typeName(modal, name);
        if (byEnter)
            QTest::keyClick(nameBox(modal)->lineEdit(), Qt::Key_Return);
        else
            pressOk(modal);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    QCOMPARE(fileContent(tables.filePath(level)), after);
    QCOMPARE(int(tables.table(level).count), countAfter);
    QCOMPARE(fileContent(tables.filePath(other)), QByteArray("Hal;5;\r\n"));
    QCOMPARE(int(tables.table(other).count), 1);
    QVERIFY(!QFile::exists(tables.filePath(third)));
}

// A full table takes no new name: Ok shows why, the dialog stays open with the name and
// nothing is written. Easy's hundred take no score at all, not even a listed name's; a
// Medium or Hard table of ten still raises a listed name's score, and says so.
void TestRecord::fullTableTakesNoNewName_data()
{
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("full");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    QTest::newRow("Easy of a hundred, a listed name")
        << Level::Easy << numberedLines("P", 1, 100) << "p1" << int(QMessageBox::Critical)
        << "Error" << ErrorText;
    QTest::newRow("Medium of ten, a new name")
        << Level::Medium << numberedLines("P", 1, 10) << "Zed" << int(QMessageBox::Warning)
        << "Score Memorize" << FullTopTenText;
}

void TestRecord::fullTableTakesNoNewName()
{
    QFETCH(Level, level);
    QFETCH(QByteArray, full);
    QFETCH(QString, name);

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    QVERIFY(writeFile(tables.filePath(level), full));
    tables.loadAll();
    const int count = tables.table(level).count;

    frmRECORD dialog(tables, level, 5000);
    std::optional<SeenBox> seen;
    bool stillOpen = false;
    QString nameAfter;
    whenModal([&](QWidget *modal) {
        typeName(modal, name);
        const QPointer<QTimer> boxWatch = answerNextBox(seen);
        pressOk(modal);
        delete boxWatch;
        stillOpen = modal->isVisible();
        nameAfter = nameBox(modal)->currentText();
        modal->close();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    QVERIFY(seen);
    QTEST(int(seen->icon), "icon");
    QTEST(seen->title, "title");
    QTEST(seen->text, "text");
    QCOMPARE(seen->buttons, QMessageBox::Ok);
    QVERIFY(stillOpen);
    QCOMPARE(nameAfter, name);
    QCOMPARE(int(tables.table(level).count), count);
    QCOMPARE(tables.table(level).scores[1], 1);
    QCOMPARE(fileContent(tables.filePath(level)), full);
}

// A folder where the file belongs cannot be replaced by a file, whoever runs the test.
void TestRecord::failedWriteKeepsDialogOpen()
{
    QTemporaryDir dir;
    ZubMod tables(dir.path());
    const QString easyPath = tables.filePath(Level::Easy);
    QVERIFY(writeFile(easyPath, AnnaBob));
    tables.loadAll();
    QVERIFY(QFile::remove(easyPath));
    QVERIFY(QDir().mkdir(easyPath));
    QVERIFY(writeFile(tables.filePath(Level::Hard), "Hal;5;\r\n"));

    frmRECORD dialog(tables, Level::Easy, 20);
    std::optional<SeenBox> seen;
    bool stillOpen = false;
    bool folderUntouched = false;
    QString nameAfter;
    int easyCountAfterError = 0;
    int hardCountAfterError = -1;
    whenModal([&](QWidget *modal) {
        typeName(modal, QStringLiteral("Carl"));
        answerNextBox(seen);
        pressOk(modal);
        stillOpen = modal->isVisible();
        nameAfter = nameBox(modal)->currentText();
        easyCountAfterError = tables.TopEasyCount;
        hardCountAfterError = tables.TopHardCount;
        folderUntouched = QFileInfo(easyPath).isDir() && QDir(easyPath).isEmpty();
        QDir().rmdir(easyPath);
        pressOk(modal);
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    verifyErrorBox(seen);
    QVERIFY(stillOpen);
    QVERIFY(folderUntouched);
    QCOMPARE(nameAfter, QStringLiteral("Carl"));
    // The entry stays in memory and the tables were not loaded again.
    QCOMPARE(easyCountAfterError, 3);
    QCOMPARE(hardCountAfterError, 0);
    // The second Ok finds the entry added by the first.
    QCOMPARE(fileContent(easyPath), AnnaBob + "Carl;20;\r\n");
    QCOMPARE(int(tables.TopEasyCount), 3);
    QCOMPARE(int(tables.TopHardCount), 1);
}

void TestRecord::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("advice");

    QTest::newRow("comma") << "Smith, Al"
                           << "comma (,)";
    QTest::newRow("semicolon") << "Al;Bo"
                               << "semicolon (;)";
    QTest::newRow("leading quote") << "\"Al\""
                                   << "begin with a double quote";
    QTest::newRow("leading blank") << " Al"
                                   << "begin with a blank";
    QTest::newRow("tab") << "Al\tBo"
                         << "control character";
    QTest::newRow("501 characters") << QString(501, u'n') << "longer than 500 characters";
}

void TestRecord::refusedNames()
{
    QFETCH(QString, name);
    QFETCH(QString, advice);

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    frmRECORD dialog(tables, Level::Easy, 10);
    std::optional<SeenBox> seen;
    bool stillOpen = false;
    QString nameAfter;
    whenModal([&](QWidget *modal) {
        nameBox(modal)->setEditText(name);
        answerNextBox(seen);
        pressOk(modal);
        stillOpen = modal->isVisible();
        nameAfter = nameBox(modal)->currentText();
        modal->close();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    QVERIFY(seen);
    QCOMPARE(seen->icon, QMessageBox::Warning);
    QCOMPARE(seen->title, QStringLiteral("Score Memorize"));
    QVERIFY2(seen->text.contains(advice), qPrintable(seen->text));
    QVERIFY(stillOpen);
    QCOMPARE(nameAfter, name);
    QCOMPARE(int(tables.TopEasyCount), 0);
    QVERIFY(!QFile::exists(tables.filePath(Level::Easy)));
}

// A name that only a hand-edited file holds, with a comma or leading blanks, is taken when
// picked from the list and written back between quotes, as it was read.
void TestRecord::storedNamesArePicked_data()
{
    QTest::addColumn<QByteArray>("easy");
    QTest::addColumn<Level>("level");
    QTest::addColumn<QByteArray>("after"); // the played level's file

    QTest::newRow("comma, raised") << QByteArray("\"Smith, Al;50;\"\r\n") << Level::Easy
                                   << QByteArray("\"Smith, Al;80;\"\r\n");
    QTest::newRow("leading blanks, new at Hard")
        << QByteArray("\"  Al;50;\"\r\n") << Level::Hard << QByteArray("\"  Al;80;\"\r\n");
}

void TestRecord::storedNamesArePicked()
{
    QFETCH(QByteArray, easy);
    QFETCH(Level, level);

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    QVERIFY(writeFile(tables.filePath(Level::Easy), easy));
    tables.loadAll();

    frmRECORD dialog(tables, level, 80);
    std::optional<SeenBox> seen;
    whenModal([&](QWidget *modal) {
        QTest::keyClick(nameBox(modal), Qt::Key_Down);
        const QPointer<QTimer> boxWatch = answerNextBox(seen);
        pressOk(modal);
        delete boxWatch;
    });
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));

    QVERIFY(!seen);
    QTEST(fileContent(tables.filePath(level)), "after");
}

void TestRecord::leavingRecordsNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "Cancel";
    QTest::newRow("Esc") << "Esc";
    QTest::newRow("close box") << "close box";
}

void TestRecord::leavingRecordsNothing()
{
    QFETCH(QString, how);

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    const QString easyPath = tables.filePath(Level::Easy);
    QVERIFY(writeFile(easyPath, AnnaBob));
    tables.loadAll();
    const QDateTime written = QFileInfo(easyPath).lastModified();

    frmRECORD dialog(tables, Level::Easy, 999);
    whenModal([&](QWidget *modal) {
        typeName(modal, QStringLiteral("Bob"));
        if (how == QLatin1String("Cancel"))
            QTest::mouseClick(button(modal, "btnEND"), Qt::LeftButton);
        else if (how == QLatin1String("Esc"))
            QTest::keyClick(nameBox(modal)->lineEdit(), Qt::Key_Escape);
        else
            modal->close();
    });
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));

    QCOMPARE(fileContent(easyPath), AnnaBob);
    QCOMPARE(QFileInfo(easyPath).lastModified(), written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    QCOMPARE(int(tables.TopEasyCount), 2);
    QCOMPARE(tables.TopEasyScore[2], 200);
}

// Every opening starts with an empty name, Ok disabled and the focus on Cancel; the list
// holds the names of all three tables, once per table, in order with letter case ignored.
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

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    QVERIFY(writeFile(tables.filePath(Level::Easy), easy));
    QVERIFY(writeFile(tables.filePath(Level::Medium), medium));
    QVERIFY(writeFile(tables.filePath(Level::Hard), hard));
    tables.loadAll();

    frmRECORD dialog(tables, level, 0);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Score Memorize"));
    QString shownCaption;
    QStringList listed;
    QString text = QStringLiteral("not read");
    bool okEnabled = true;
    QString focused;
    whenModal([&](QWidget *modal) {
        shownCaption = modal->windowTitle();
        const QComboBox *box = nameBox(modal);
        for (int i = 0; i < box->count(); ++i)
            listed << box->itemText(i);
        text = box->currentText();
        okEnabled = button(modal, "btnOK")->isEnabled();
        focused = modal->focusWidget() ? modal->focusWidget()->objectName() : QString();
        modal->close();
    });
    dialog.exec();

    QCOMPARE(shownCaption, caption);
    QCOMPARE(listed, names);
    QCOMPARE(text, QString());
    QVERIFY(!okEnabled);
    QCOMPARE(focused, QStringLiteral("btnEND"));
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

    QTemporaryDir dir;
    ZubMod tables(dir.path());
    QVERIFY(writeFile(tables.filePath(Level::Easy), "Anna;1;\r\n"));
    tables.loadAll();

    frmRECORD dialog(tables, Level::Easy, 0);
    QString textShown;
    bool enabled = !okEnabled;
    whenModal([&](QWidget *modal) {
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
    dialog.exec();

    QCOMPARE(textShown, text);
    QCOMPARE(enabled, okEnabled);
}

void TestRecord::design()
{
    QTemporaryDir dir;
    ZubMod tables(dir.path());
    frmRECORD dialog(tables, Level::Easy, 0);

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
        QCOMPARE(dialog.findChild<QWidget *>(QLatin1StringView(name))->geometry(), rect);
    QVERIFY(button(&dialog, "btnOK")->isDefault());
    const auto *label = dialog.findChild<QLabel *>(QStringLiteral("lblNAM"));
    QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());

    // The tab order, followed by the Tab key once Ok is enabled.
    QStringList order;
    whenModal([&](QWidget *modal) {
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
    QCOMPARE(order, QStringList({"btnOK", "btnEND", "txtNAME", "btnOK"}));
}

void TestRecord::timeUpOpensTheDialog()
{
    QTemporaryDir dir;
    frmZUB window(dir.path());
    window.bmLEVEL_Click(int(Level::Medium));
    window.bmSTART_Click();
    for (int tick = 0; tick < 60; ++tick)
        window.Countdown_Timer();

    QString caption;
    bool running = true;
    whenModal([&](QWidget *modal) {
        caption = modal->windowTitle();
        running = window.running();
        typeName(modal, QStringLiteral("Zed"));
        QTest::keyClick(nameBox(modal)->lineEdit(), Qt::Key_Return);
    });
    window.Countdown_Timer();

    QCOMPARE(caption, QStringLiteral("Score Memorize - Medium"));
    QVERIFY(!running);
    QCOMPARE(fileContent(window.tables().filePath(Level::Medium)), QByteArray("Zed;0;\r\n"));
    QCOMPARE(int(window.tables().TopMediCount), 1);
}

QTEST_MAIN(TestRecord)
#include "tst_record.moc"

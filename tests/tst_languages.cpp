// The game in each of its languages. The translation loaded is the one of the first of the
// user's languages that the game speaks, with Qt's own for its buttons. And every window
// holds its translated texts: each text of the board, the menus, the record dialog, the
// viewer and the About window fits its control in the control's font, every character of it
// is in that font (none falls back to another face), the access keys of each menu and dialog
// differ, and the menu bar keeps to one row. English ("C") is a row of its own.
#include "frmrecord.h"
#include "frmzub.h"
#include "topviewer.h"
#include "tq_about.h"
#include "translators.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

namespace {
QString withoutAccessKey(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

class Faults
{
public:
    void checkText(const QWidget *control, const QString &text, const QFont &font, int room)
    {
        const QString shown = withoutAccessKey(text);
        const QFontMetrics metrics(font);
        for (const QString &line : shown.split(QLatin1Char('\n'))) {
            const int width = metrics.horizontalAdvance(line);
            if (width > room)
                add(control,
                    QStringLiteral("\"%1\" is %2 pixels wide in %3 pixels")
                        .arg(line)
                        .arg(width)
                        .arg(room));
        }
        checkGlyphs(control, shown, font);
    }

    // Every character of the text is in its font.
    void checkGlyphs(const QWidget *control, const QString &text, const QFont &font)
    {
        const QFontMetrics metrics(font);
        QString missing;
        for (const char32_t c : text.toUcs4()) {
            if (c != U'\n' && !metrics.inFontUcs4(c))
                missing += QString::fromUcs4(&c, 1);
        }
        if (!missing.isEmpty())
            add(control,
                QStringLiteral("\"%1\" lacks %2 in %3")
                    .arg(text, missing, QFontInfo(font).family()));
    }

    void checkAccessKeys(const QString &where, const QStringList &texts)
    {
        QList<QKeySequence> keys;
        for (const QString &text : texts) {
            const QKeySequence key = QKeySequence::mnemonic(text);
            if (!key.isEmpty() && keys.contains(key))
                faults.append(
                    QStringLiteral("%1: the access key of \"%2\" is taken").arg(where, text));
            keys.append(key);
        }
    }

    // Labels and buttons, and the menus of a menu bar.
    void checkWindow(const QWidget *window)
    {
        for (const QLabel *label : window->findChildren<QLabel *>()) {
            if (!label->text().isEmpty())
                checkText(label, label->text(), label->font(), label->contentsRect().width());
        }
        QStringList buttonTexts;
        for (const QPushButton *button : window->findChildren<QPushButton *>()) {
            const QStyle *style = button->style();
            const int margins = 2
                * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                   + style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button));
            checkText(button, button->text(), button->font(), button->width() - margins);
            buttonTexts.append(button->text());
        }
        checkAccessKeys(window->objectName(), buttonTexts);
        if (const auto *bar = window->findChild<QMenuBar *>())
            checkMenuBar(bar);
    }

    QStringList faults;

private:
    void add(const QWidget *control, const QString &fault)
    {
        faults.append(control->objectName() + QStringLiteral(": ") + fault);
    }

    void checkMenuBar(const QMenuBar *bar)
    {
        QStringList barTexts;
        const int row = bar->actionGeometry(bar->actions().constFirst()).top();
        for (QAction *action : bar->actions()) {
            barTexts.append(action->text());
            checkText(bar, action->text(), bar->font(), bar->width());
            const QRect place = bar->actionGeometry(action);
            if (place.top() != row || place.right() >= bar->width())
                add(bar, QStringLiteral("\"%1\" is off the bar's row").arg(action->text()));
            // A menu takes the width of its widest item.
            if (const QMenu *menu = action->menu()) {
                QStringList itemTexts;
                for (const QAction *item : menu->actions()) {
                    checkGlyphs(menu, withoutAccessKey(item->text()), menu->font());
                    itemTexts.append(item->text());
                }
                checkAccessKeys(menu->objectName(), itemTexts);
            }
        }
        checkAccessKeys(QStringLiteral("menu bar"), barTexts);
    }
};
} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void languageLoaded_data();
    void languageLoaded();
    void everyTextFitsItsControl_data();
    void everyTextFitsItsControl();
};

void TestLanguages::cleanup()
{
    qDeleteAll(qApp->findChildren<QTranslator *>());
}

void TestLanguages::languageLoaded_data()
{
    // The user's languages as Qt lists them, or none to take them from the environment.
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<QByteArray>("environment"); // with LANGUAGE=de always
    QTest::addColumn<QString>("topScores");
    QTest::addColumn<QString>("qtCancel");
    const QString english = QStringLiteral("&Top Scores");
    QTest::newRow("German") << QStringList{"de-DE"} << QByteArray() << "&Bestenliste"
                            << "Abbrechen";
    QTest::newRow("English before German")
        << QStringList{"en-GB", "de-DE"} << QByteArray() << english << "Cancel";
    QTest::newRow("Japanese, then Russian")
        << QStringList{"ja-JP", "ru-RU"} << QByteArray() << "&Рекорды"
        << "Отмена";
    QTest::newRow("Brazilian Portuguese") << QStringList{"pt-BR"} << QByteArray() << "&Recordes"
                                          << "Cancelar";
    QTest::newRow("French of Canada") << QStringList{"fr-CA"} << QByteArray() << "&Meilleurs scores"
                                      << "Annuler";
    QTest::newRow("C") << QStringList{"C"} << QByteArray() << english << "Cancel";
    // As in gettext programs, LANGUAGE counts only where the messages locale is not C or
    // POSIX.
    QTest::newRow("LC_ALL=C") << QStringList() << QByteArray("LC_ALL=C LANG=de_DE.UTF-8") << english
                              << "Cancel";
    QTest::newRow("LANG=C") << QStringList() << QByteArray("LANG=C") << english << "Cancel";
    QTest::newRow("LANG=C.UTF-8") << QStringList() << QByteArray("LANG=C.UTF-8") << english
                                  << "Cancel";
    QTest::newRow("LC_MESSAGES=POSIX")
        << QStringList() << QByteArray("LC_MESSAGES=POSIX LANG=de_DE.UTF-8") << english << "Cancel";
    QTest::newRow("LC_ALL=de over LANG=C")
        << QStringList() << QByteArray("LC_ALL=de_DE.UTF-8 LANG=C") << "&Bestenliste"
        << "Abbrechen";
}

void TestLanguages::languageLoaded()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(QByteArray, environment);
    QFETCH(QString, topScores);
    QFETCH(QString, qtCancel);
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        qunsetenv(name);
    qputenv("LANGUAGE", "de");
    for (const QByteArray &setting : environment.split(' ')) {
        if (const qsizetype equals = setting.indexOf('='); equals > 0)
            qputenv(setting.left(equals).constData(), setting.mid(equals + 1));
    }
    installTranslators(*qApp, uiLanguages.isEmpty() ? userUiLanguages() : uiLanguages);
    QCOMPARE(QCoreApplication::translate("frmZUB", "&Top Scores"), topScores);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
}

void TestLanguages::everyTextFitsItsControl_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"C", "de", "fr", "es", "it", "pt-BR", "nl", "pl", "ru"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

void TestLanguages::everyTextFitsItsControl()
{
    QFETCH(QString, language);
    installTranslators(*qApp, {language});
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    Faults faults;

    frmZUB window(folder.path());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    faults.checkWindow(&window);
    // A round shows Stop in Start's place, and a pause its message.
    window.bmSTART_Click();
    window.togglePause();
    faults.checkWindow(&window);
    window.bmSTART_Click();

    frmRECORD record(window.tables(), Level::Hard, 0, &window);
    faults.checkWindow(&record);
    TopTenViewer viewer(Level::Hard, &window);
    faults.checkWindow(&viewer);
    auto *about = new TQ_About;
    faults.checkWindow(about);
    delete about;

    QVERIFY2(faults.faults.isEmpty(), qPrintable(faults.faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"

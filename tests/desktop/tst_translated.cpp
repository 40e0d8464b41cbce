// The real program in the player's language, read through the accessibility tree as a
// screen reader reads it. The game is started under LANG=de_DE.UTF-8, LANG=ru_RU.UTF-8 and
// LANG=C with a session bus of the test's own, which starts the accessibility bus. Each
// game's menu captions and its message are read, then a round is started through the
// accessibility action of the Start item, and once its time has run out the record dialog's
// caption, label and buttons are read. The German and Russian dialogs are cancelled; the
// game in the C locale, started from a folder of its own with tables in it, is quit with
// Ctrl+Q while its dialog is open, and must end at once, cleanly, writing nothing. The three
// rounds run at once. Run it inside scripts/desktop-session.sh.
#include "accessibilitybus.h"
#include "desktoptest.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

using namespace DesktopTest;

namespace {

const QStringList MenuRoles{QStringLiteral("menu item"), QStringLiteral("check menu item")};

QStringList namesWithRole(const QList<AccessibleNode> &nodes, const QStringList &roles)
{
    QStringList names;
    for (const AccessibleNode &node : nodes) {
        if (roles.contains(node.role))
            names.append(node.name);
    }
    return names;
}

QString described(const QList<AccessibleNode> &nodes)
{
    QStringList lines;
    for (const AccessibleNode &node : nodes)
        lines.append(node.role + QStringLiteral(": ") + node.name);
    return lines.join(QLatin1Char('\n'));
}
} // namespace

class TestTranslated : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void menusAndMessage_data();
    void menusAndMessage();
    void startRounds();
    void recordDialog_data();
    void recordDialog();

private:
    std::optional<AccessibleRef> window(const QString &language, const QString &title) const;
    void quitFromRecordDialog(const QString &caption);

    XDisplay m_x;
    QTemporaryDir m_folder; // the game in the C locale, with its tables
    QStringList m_files;
    QProcess m_sessionBus;
    std::unique_ptr<AccessibilityBus> m_accessibility;
    // The games by their LANG, in the order they were started.
    std::map<QString, std::unique_ptr<QProcess>> m_games;
    QStringList m_started;
    std::map<QString, AccessibleRef> m_roots;
};

void TestTranslated::initTestCase()
{
    const QString missing = desktopMissing(m_x);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    const QString program = copyGameWithTables(besideTheTests(QStringLiteral("zubbo")),
                                               m_folder.path());
    QVERIFY(!program.isEmpty());
    m_files = QDir(m_folder.path()).entryList(QDir::Files);
    m_sessionBus.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address")});
    QVERIFY2(m_sessionBus.waitForStarted(), qPrintable(m_sessionBus.errorString()));
    QTRY_VERIFY(m_sessionBus.canReadLine());
    const QString address = QString::fromUtf8(m_sessionBus.readLine()).trimmed();
    m_accessibility = std::make_unique<AccessibilityBus>(address);
    QVERIFY2(m_accessibility->isConnected(), "the session bus started no accessibility bus");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address);
    // Qt joins the accessibility bus without asking whether a screen reader runs.
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        environment.remove(QLatin1String(name));
    for (const QString language : {"de_DE.UTF-8", "ru_RU.UTF-8", "C"}) {
        auto game = std::make_unique<QProcess>();
        environment.insert(QStringLiteral("LANG"), language);
        game->setProcessEnvironment(environment);
        game->setProcessChannelMode(QProcess::ForwardedChannels);
        game->start(language == u"C" ? program : besideTheTests(QStringLiteral("zubbo")), {});
        QVERIFY2(game->waitForStarted(), qPrintable(game->errorString()));
        const qint64 pid = game->processId();
        QTRY_VERIFY_WITH_TIMEOUT(m_accessibility->application(pid), WindowTimeoutMs);
        m_roots[language] = *m_accessibility->application(pid);
        QTRY_VERIFY_WITH_TIMEOUT(window(language, QStringLiteral("Zubbo!")), WindowTimeoutMs);
        m_games[language] = std::move(game);
        m_started.append(language);
    }
}

void TestTranslated::cleanupTestCase()
{
    for (auto &[language, game] : m_games) {
        game->terminate();
        game->waitForFinished();
    }
    m_accessibility.reset();
    m_sessionBus.terminate();
    m_sessionBus.waitForFinished();
}

std::optional<AccessibleRef> TestTranslated::window(const QString &language,
                                                    const QString &title) const
{
    for (const AccessibleNode &node : m_accessibility->tree(m_roots.at(language))) {
        if (node.name == title && (node.role == u"frame" || node.role == u"dialog"))
            return node.ref;
    }
    return std::nullopt;
}

void TestTranslated::menusAndMessage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("message");
    // The menu bar's captions and its items', in their order, split at "|".
    QTest::newRow("German") << "de_DE.UTF-8"
                            << QStringLiteral("Start|Level|Leicht|Mittel|Schwer|Bestenliste|"
                                              "Top Ten Leicht|Top Ten Mittel|Top Ten Schwer|?|"
                                              "Spielanleitung|Über Zubbo!")
                                   .split(u'|')
                            << "A c h t u n g";
    QTest::newRow("Russian") << "ru_RU.UTF-8"
                             << QStringLiteral("Играть|Уровень|Лёгкий|Средний|Трудный|Рекорды|"
                                               "Лёгкий: 10 лучших|Средний: 10 лучших|"
                                               "Трудный: 10 лучших|?|Как играть|О программе")
                                    .split(u'|')
                             << "Г о т о в ь с я";
    QTest::newRow("C") << "C"
                       << QStringLiteral("Start|Level|Easy|Medium|Hard|Top Scores|Easy Top Ten|"
                                         "Medium Top Ten|Hard Top Ten|?|How to play|About")
                              .split(u'|')
                       << "G e t   R e a d y";
}

void TestTranslated::menusAndMessage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, menus);
    QFETCH(QString, message);
    const QList<AccessibleNode> nodes = m_accessibility->tree(
        *window(language, QStringLiteral("Zubbo!")));
    QVERIFY2(namesWithRole(nodes, MenuRoles) == menus, qPrintable(described(nodes)));
    QVERIFY2(namesWithRole(nodes, {QStringLiteral("label")}).contains(message),
             qPrintable(described(nodes)));
}

// The game started last has the focus. A game that loses it pauses its round, so the rounds
// start from the last game started to the first: each game that starts a round is inactive
// by then and stays so, and the dialogs that open at the end take the focus from games whose
// rounds are over.
void TestTranslated::startRounds()
{
    for (auto language = m_started.crbegin(); language != m_started.crend(); ++language) {
        const QList<AccessibleNode> nodes = m_accessibility->tree(
            *window(*language, QStringLiteral("Zubbo!")));
        const auto isMenuItem = [](const AccessibleNode &node) {
            return MenuRoles.contains(node.role);
        };
        const auto start = std::find_if(nodes.cbegin(), nodes.cend(), isMenuItem);
        QVERIFY(start != nodes.cend());
        QVERIFY(m_accessibility->press(start->ref));
    }
}

void TestTranslated::recordDialog_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("buttons");
    // The last row quits the game with Ctrl+Q instead of the dialog's Cancel.
    QTest::newRow("German") << "de_DE.UTF-8"
                            << "Punkte eintragen - Leicht"
                            << "Name:" << QStringList{"OK", "Abbrechen"};
    QTest::newRow("Russian") << "ru_RU.UTF-8"
                             << "Запись рекорда - Лёгкий"
                             << "Имя:" << QStringList{"ОК", "Отмена"};
    QTest::newRow("C") << "C"
                       << "Score Memorize - Easy"
                       << "Name:" << QStringList{"Ok", "Cancel"};
}

void TestTranslated::recordDialog()
{
    QFETCH(QString, language);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    QFETCH(QStringList, buttons);
    QTRY_VERIFY_WITH_TIMEOUT(window(language, caption), RoundTimeoutMs);
    const QList<AccessibleNode> nodes = m_accessibility->tree(*window(language, caption));
    QVERIFY2(namesWithRole(nodes, {QStringLiteral("label")}) == QStringList{label},
             qPrintable(described(nodes)));
    QVERIFY2(namesWithRole(nodes, {QStringLiteral("push button")}) == buttons,
             qPrintable(described(nodes)));
    if (language == u"C") {
        quitFromRecordDialog(caption);
        return;
    }
    for (const AccessibleNode &node : nodes) {
        if (node.role == u"push button" && node.name == buttons.last())
            QVERIFY(m_accessibility->press(node.ref));
    }
    QTRY_VERIFY(!window(language, caption));
}

// Ctrl+Q in the record dialog ends the program within a second with exit status 0; it leaves
// no lock file and writes no table.
void TestTranslated::quitFromRecordDialog(const QString &caption)
{
    const unsigned long dialog = m_x.clientTitled(caption);
    QVERIFY(dialog);
    m_x.activate(dialog);
    QTRY_COMPARE_WITH_TIMEOUT(m_x.activeWindow(), dialog, WindowTimeoutMs);
    const auto quit = [this] { tapWith(m_x, "Control_L", "q"); };
    closeAndCheck(*m_games.at(QStringLiteral("C")), quit, m_folder.path(), m_files);
}

QTEST_GUILESS_MAIN(TestTranslated)
#include "tst_translated.moc"

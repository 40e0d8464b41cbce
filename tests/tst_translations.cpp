// The translations are complete and keep what the program relies on. Copies of the Qt
// Linguist sources are first brought up to date with the code by lupdate, as
// `ninja update_translations` does, so that a text new in the code counts as untranslated.
// Then every text of every language must have a finished translation that keeps the
// source's arguments (%1), its access key's & and its line breaks.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {
constexpr int LupdateTimeoutMs = 60000;

// What a translation must keep of its source: the arguments in order of number, the count
// of access-key markers ("&&" stands for a plain ampersand) and of line breaks, and the
// spaced style of the board's messages (one blank between letters, three between words).
QString shape(const QString &text)
{
    static const QRegularExpression argument(QStringLiteral("%L?(\\d+)"));
    static const QRegularExpression spaced(QStringLiteral("^\\S( \\S)+(   \\S( \\S)*)*$"));
    QStringList arguments;
    for (const QRegularExpressionMatch &match : argument.globalMatch(text))
        arguments.append(match.captured(1));
    arguments.sort();
    QString withoutLiteralAmpersands = text;
    withoutLiteralAmpersands.remove(QStringLiteral("&&"));
    return QStringLiteral("arguments %1, access keys %2, line breaks %3, spaced %4")
        .arg(arguments.join(QLatin1Char(' ')))
        .arg(withoutLiteralAmpersands.count(QLatin1Char('&')))
        .arg(text.count(QLatin1Char('\n')))
        .arg(spaced.match(text).hasMatch() ? QStringLiteral("yes") : QStringLiteral("no"));
}

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type; // "unfinished" and the like; empty when finished
};

QList<Message> readMessages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Message> messages;
    QString context;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            messages.append({context, {}, {}, {}});
        } else if (xml.name() == u"source") {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = xml.readElementText();
        }
    }
    return messages;
}
} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void everyTextIsTranslatedInShape_data();
    void everyTextIsTranslatedInShape();
};

void TestTranslations::everyTextIsTranslatedInShape_data()
{
    QTest::addColumn<QString>("language");
    for (const char *language : {"de", "fr", "es", "it", "pt_BR", "nl", "pl", "ru"})
        QTest::newRow(language) << QString::fromLatin1(language);
}

void TestTranslations::everyTextIsTranslatedInShape()
{
    QFETCH(QString, language);
    const QString name = QStringLiteral("zubbo_%1.ts").arg(language);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString copy = folder.filePath(name);
    QVERIFY2(QFile::copy(QStringLiteral(ZUBBO_TS_FOLDER "/") + name, copy), qPrintable(name));

    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(ZUBBO_LUPDATE),
                  QStringList{QStringLiteral("@" ZUBBO_LUPDATE_LIST)}
                      + QStringLiteral(ZUBBO_LUPDATE_OPTIONS).split(QLatin1Char(' '))
                      + QStringList{QStringLiteral("-ts"), copy});
    QVERIFY(lupdate.waitForFinished(LupdateTimeoutMs));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

    const QList<Message> messages = readMessages(copy);
    QVERIFY(!messages.isEmpty());
    QStringList faults;
    for (const Message &message : messages) {
        const QString where = message.context + QStringLiteral(": \"") + message.source
            + QLatin1Char('"');
        if (!message.type.isEmpty() || message.translation.isEmpty())
            faults.append(where + QStringLiteral(" has no finished translation"));
        else if (shape(message.translation) != shape(message.source))
            faults.append(where + QStringLiteral(" has ") + shape(message.source)
                          + QStringLiteral(", its translation ") + shape(message.translation));
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"

#include "translators.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {
// Where qt_add_translations embeds the compiled translations.
const QString GameTranslations = QStringLiteral(":/i18n");
} // namespace

QString installTranslators(QCoreApplication &app, const QStringList &uiLanguages)
{
    for (const QString &language : uiLanguages) {
        const QLocale locale(language);
        if (locale.language() == QLocale::English)
            return {};
        auto *game = new QTranslator(&app);
        // Loading by the locale tries "de_DE" and then "de"; "zubbo_C" and the like find
        // nothing and move on.
        if (!game->load(locale, QStringLiteral("zubbo"), QStringLiteral("_"), GameTranslations)) {
            delete game;
            continue;
        }
        QCoreApplication::installTranslator(game);
        auto *qt = new QTranslator(&app);
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        return game->language();
    }
    return {};
}

QStringList userUiLanguages()
{
    for (const char *category : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QByteArray locale = qgetenv(category);
        if (locale.isEmpty())
            continue;
        if (locale == "C" || locale == "POSIX" || locale.startsWith("C."))
            return {};
        break;
    }
    return QLocale().uiLanguages();
}

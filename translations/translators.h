#pragma once

#include <QStringList>

class QCoreApplication;

// Installs the game's translation for the first of the user's UI languages (the order of
// QLocale::uiLanguages) that the game speaks, together with Qt's own translation of that
// language for the buttons Qt makes. English, the language of the source texts, ends the
// search: a player who puts English before German gets the English game. Returns the name
// of the translation installed ("de", "pt_BR"), empty when the game stays in English.
QString installTranslators(QCoreApplication &app, const QStringList &uiLanguages);

// The user's UI languages, as the C library's gettext takes them: none but English where
// the messages locale (LC_ALL, else LC_MESSAGES, else LANG) is C or POSIX, whatever LANGUAGE
// says, since a user who sets LC_ALL=C asks for the untranslated texts; otherwise the
// locale's (LANGUAGE first).
QStringList userUiLanguages();

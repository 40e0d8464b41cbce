#include "gamefolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <pwd.h>
#include <unistd.h>

namespace {

// $HOME, or the user's home in the password database where it is unset or empty, as it is
// for a program started by a service without a login's environment.
QString homeFolder()
{
    if (const QByteArray home = qgetenv("HOME"); !home.isEmpty())
        return QFile::decodeName(home);
    const passwd *user = ::getpwuid(::getuid());
    return user ? QFile::decodeName(user->pw_dir) : QString();
}

} // namespace

GameFolders findGameFolders(const QString &programFolder, const QString &dataHome)
{
    const QDir program(programFolder);
    const QString installedData = program.filePath(QLatin1String(InstallLayout::DataFromProgram));
    if (!QFileInfo(installedData).isDir())
        return {programFolder, programFolder, programFolder};
    return {QDir::cleanPath(installedData),
            QDir::cleanPath(program.filePath(QLatin1String(InstallLayout::ModulesFromProgram))),
            QDir(dataHome).filePath(QLatin1String(InstallLayout::TablesInDataHome)),
            TableFolder::MadeOnFirstRecord};
}

// The base-directory rules: a relative $XDG_DATA_HOME is invalid and is ignored.
QString playerDataHome()
{
    const QString dataHome = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    if (QDir::isAbsolutePath(dataHome))
        return QDir::cleanPath(dataHome);
    return QDir::cleanPath(homeFolder() + QStringLiteral("/.local/share"));
}

#include "gamefolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

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

QString playerDataHome()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

#include "program/SettingsLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kSettingsFileName = QStringLiteral("Nacreform.ini");

bool OwnerCanWrite(const QFileInfo& info)
{
    return info.permission(QFileDevice::WriteOwner) && info.isWritable();
}

} // namespace

QString ChooseSettingsPath(const QString& moduleDirectory, const QString& userConfigDirectory)
{
    const QFileInfo folder(moduleDirectory);
    const QFileInfo beside(QDir(moduleDirectory).filePath(kSettingsFileName));
    const bool besideUsable = !moduleDirectory.isEmpty() && folder.isDir() && OwnerCanWrite(folder)
                              && !IsInstalledProgramDirectory(moduleDirectory)
                              && (!beside.exists() || (beside.isFile() && OwnerCanWrite(beside)));
    if (besideUsable)
        return beside.absoluteFilePath();
    return QDir(userConfigDirectory).filePath(kSettingsFileName);
}

bool IsInstalledProgramDirectory(const QString& moduleDirectory)
{
    const QDir folder(QDir::cleanPath(QDir::fromNativeSeparators(moduleDirectory)));
    return folder.dirName() == QLatin1String("bin")
           && QFileInfo(folder.filePath(QStringLiteral("../share/applications/%1.desktop").arg(ApplicationId())))
                  .isFile();
}

QString UserConfigDirectory()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Nacreform"));
}

QString ApplicationId()
{
    return QStringLiteral(NACREFORM_APP_ID);
}

#include "design/PicturePath.h"

#include <QDir>
#include <QFileInfo>

QString ResolvePicturePath(const QString& path, const QString& designFolder)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    for (const QString& folder : {designFolder, QDir::currentPath()}) {
        if (folder.isEmpty())
            continue;
        const QString found = QDir::cleanPath(QDir(folder).absoluteFilePath(path));
        if (QFileInfo::exists(found))
            return found;
    }
    return path;
}

QString StoredPicturePath(const QString& path, const QString& designFolder)
{
    if (designFolder.isEmpty() || !QDir::isAbsolutePath(path))
        return path;
    const QString relative = QDir(designFolder).relativeFilePath(QDir::cleanPath(path));
    const bool below = !relative.startsWith(QLatin1String("../")) && relative != QLatin1String("..")
                       && !QDir::isAbsolutePath(relative);
    return below ? relative : path;
}

#include "shell/DesktopServices.h"

#include <QDesktopServices>
#include <QUrl>

bool CQtDesktopServices::OpenFolder(const QString& folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

#include "widgets/QuietFileListing.h"

#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

namespace {

class CQuietFileIconProvider final : public QFileIconProvider
{
public:
    CQuietFileIconProvider() { setOptions(DontUseCustomDirectoryIcons); }

    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }

    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return QFileIconProvider::icon(Drive);
        return QFileIconProvider::icon(info.isDir() ? Folder : File);
    }

    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return m_mimeTypes.mimeTypeForName(QStringLiteral("inode/directory")).comment();
        return m_mimeTypes.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension).comment();
    }

private:
    QMimeDatabase m_mimeTypes;
};

} // namespace

void ListFilesWithoutReading(QFileDialog& dialog)
{
    // Dialogs come and go; the provider, which holds no state, stays.
    static CQuietFileIconProvider provider;
    dialog.setIconProvider(&provider);
    dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
}

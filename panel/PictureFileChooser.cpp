#include "panel/PictureFileChooser.h"

#include "render/ImageFiles.h"
#include "widgets/QuietFileListing.h"

#include <QFileDialog>
#include <QStringList>

QString CPictureFileDialog::ChoosePictureFile()
{
    QFileDialog dialog(nullptr, QString(), QString(), Filter());
    dialog.setFileMode(QFileDialog::ExistingFile);
    ListFilesWithoutReading(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString CPictureFileDialog::Filter()
{
    const QStringList suffixes = PictureFileSuffixes();
    QStringList patterns;
    for (const QString& suffix : suffixes)
        patterns << QStringLiteral("*.") + suffix;
    for (const QString& suffix : suffixes)
        patterns << QStringLiteral("*.") + suffix.toUpper();
    return QStringLiteral("全ての画像形式 (%1)").arg(patterns.join(QLatin1Char(' ')));
}

#include "panel/PictureFileChooser.h"

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
    static const char* const kExtensions[] = {"bmp", "gif", "jpeg", "jpg", "png", "tiff", "wmf", "emf", "ico"};
    QStringList patterns;
    for (const char* extension : kExtensions)
        patterns << QStringLiteral("*.") + QLatin1String(extension);
    for (const char* extension : kExtensions)
        patterns << QStringLiteral("*.") + QString::fromLatin1(extension).toUpper();
    return QStringLiteral("全ての画像形式 (%1)").arg(patterns.join(QLatin1Char(' ')));
}

#include "panel/PictureFileChooser.h"

#include <QFileDialog>
#include <QStringList>

QString CPictureFileDialog::ChoosePictureFile()
{
    return QFileDialog::getOpenFileName(nullptr, QString(), QString(), Filter());
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

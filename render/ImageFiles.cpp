#include "render/ImageFiles.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>

bool LoadPicture(const QString& path, QImage& picture)
{
    QImageReader reader(path);
    picture = reader.read();
    if (picture.isNull())
        return false;
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    return !picture.isNull();
}

bool SavePng(const QImage& image, const QString& path)
{
    if (image.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

#include "render/ImageFiles.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QString>

bool LoadPicture(const QString& path, QImage& picture)
{
    picture = QImage();
    // A pipe or device would make the reader wait for data that may never
    // come; pictures are regular files.
    if (!QFileInfo(path).isFile())
        return false;
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

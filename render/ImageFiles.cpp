#include "render/ImageFiles.h"

#include "util/AtomicFileWrite.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
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

bool SavePng(const QImage& image, const QString& path, QString* why)
{
    if (image.isNull()) {
        if (why)
            *why = QStringLiteral("there is no image to write");
        return false;
    }
    // Encoded whole in memory first, so that the file is written by the one
    // writer that checks every byte of it.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        if (why)
            *why = writer.errorString();
        return false;
    }
    return WriteFileAtomically(path, encoded, why);
}

#include "render/ImageFiles.h"

#include "util/AtomicFileWrite.h"
#include "util/ByteText.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool LoadPicture(const QString& path, QImage& picture, QString* why)
{
    picture = QImage();
    const auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    // By the path's own bytes, which need not be UTF-8. Without blocking: a
    // pipe would make the open wait for a writer that may never come.
    const int fd = ::open(BytesFromText(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("not a regular file"));
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file.errorString());
    }
    // The name's extension goes first, as when reading by name; the content
    // decides when it does not fit.
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    picture = reader.read();
    if (picture.isNull())
        return fail(reader.errorString());
    picture.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return fail(QStringLiteral("not enough memory for the picture"));
    return true;
}

QByteArray EncodePng(const QImage& image, EPngCompression compression)
{
    // Qt's 0 ... 100 scale maps to zlib's levels 0 ... 9; this is level 1.
    constexpr int kFastestCompression = 11;
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (compression == EPngCompression::Fastest)
        writer.setCompression(kFastestCompression);
    if (!writer.write(image))
        return {};
    return bytes;
}

bool SavePng(const QImage& image, const QString& path, QString* why)
{
    // Encoded whole in memory first, so that the file is written by the one
    // writer that checks every byte of it.
    const QByteArray encoded = EncodePng(image);
    if (encoded.isEmpty()) {
        if (why)
            *why = image.isNull() ? QStringLiteral("there is no image to write")
                                  : QStringLiteral("the image could not be encoded as PNG");
        return false;
    }
    return WriteFileAtomically(path, encoded, why);
}

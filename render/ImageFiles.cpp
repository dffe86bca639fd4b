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

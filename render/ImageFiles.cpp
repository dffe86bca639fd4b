#include "render/ImageFiles.h"

#include "render/Picture.h"
#include "util/AtomicFileWrite.h"
#include "util/ByteText.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QString>

#include <png.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Larger vector files are refused unread: an icon's source is some
// kilobytes, and a parser given hundreds of megabytes would hold up the
// render for long.
constexpr qint64 kMaxVectorFileSize = 16 * 1024 * 1024;

bool IsVectorFormat(const QByteArray& format)
{
    return format == "svg" || format == "svgz";
}

} // namespace

bool LoadPicture(const QString& path, CPicture& picture, QString* why)
{
    picture = CPicture();
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
    const QByteArray suffix = QFileInfo(path).suffix().toLower().toLatin1();
    QImageReader reader(&file, suffix);
    if (IsVectorFormat(suffix) || IsVectorFormat(reader.format())) {
        if (info.st_size > kMaxVectorFileSize)
            return fail(QStringLiteral("the SVG file is larger than %1 bytes").arg(kMaxVectorFileSize));
        file.seek(0);
        picture = CPicture::FromSvg(file.readAll());
        if (picture.isNull())
            return fail(QStringLiteral("not an SVG picture with a width and a height"));
        return true;
    }
    QImage pixels = reader.read();
    if (pixels.isNull())
        return fail(reader.errorString());
    pixels.convertTo(QImage::Format_ARGB32_Premultiplied);
    if (pixels.isNull())
        return fail(QStringLiteral("not enough memory for the picture"));
    picture = CPicture(pixels);
    return true;
}

QStringList PictureFileSuffixes()
{
    QStringList suffixes = {QStringLiteral("svg"), QStringLiteral("svgz")};
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        const QString suffix = QString::fromLatin1(format).toLower();
        if (!suffixes.contains(suffix))
            suffixes.append(suffix);
    }
    return suffixes;
}

namespace {

void AppendToBytes(png_structp png, png_bytep data, size_t size)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), qsizetype(size));
}

void NoFlush(png_structp) {}

// Failures come back as a false result; nothing goes to standard error.
[[noreturn]] void FailSilently(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// The renderer's formats, which the fast writer turns into 8-bit RGB(A) as
// Qt's writer does; anything else (grey, palettes, 16-bit, colour profiles,
// text, offsets) goes through Qt.
bool FastWriterTakes(const QImage& image)
{
    const QImage::Format format = image.format();
    return (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
            || format == QImage::Format_ARGB32_Premultiplied)
           && !image.colorSpace().isValid() && image.textKeys().isEmpty() && image.offset().isNull();
}

// Everything between the set-up and the end of libpng's writing, where a
// failure jumps back: no object here may need destroying.
bool WriteFastestPng(png_structp png, png_infop info, const QImage& pixels, bool alpha, QByteArray* bytes)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, bytes, AppendToBytes, NoFlush);
    png_set_IHDR(png, info, png_uint_32(pixels.width()), png_uint_32(pixels.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    if (pixels.dotsPerMeterX() > 0 || pixels.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, png_uint_32(pixels.dotsPerMeterX()), png_uint_32(pixels.dotsPerMeterY()),
                     PNG_RESOLUTION_METER);
    png_set_compression_level(png, 1);
    // libpng's default tries all five row filters on every row and keeps the
    // best, which costs more than the compression itself; "up" alone gives
    // files about as small on gradients like ours.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    png_write_info(png, info);
    for (int y = 0; y < pixels.height(); ++y)
        png_write_row(png, pixels.constScanLine(y));
    png_write_end(png, info);
    return true;
}

// The same pixels and resolution as Qt's writer at its fastest level, in
// about half the time.
QByteArray EncodeFastestPng(const QImage& image)
{
    const bool alpha = image.hasAlphaChannel();
    // Premultiplied colours are divided out first, by the conversion Qt's
    // writer uses, then only the byte order changes.
    const QImage pixels = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32)
                              .convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (pixels.isNull())
        return {};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailSilently, IgnoreWarning);
    if (!png)
        return {};
    png_infop info = png_create_info_struct(png);
    QByteArray bytes;
    const bool written = info && WriteFastestPng(png, info, pixels, alpha, &bytes);
    png_destroy_write_struct(&png, &info);
    return written ? bytes : QByteArray();
}

} // namespace

QByteArray EncodePng(const QImage& image, EPngCompression compression)
{
    if (image.isNull())
        return {};
    if (compression == EPngCompression::Fastest && FastWriterTakes(image))
        return EncodeFastestPng(image);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Qt's 0 ... 100 scale maps to zlib's levels 0 ... 9; this is level 1,
    // for the images the fast writer does not take.
    constexpr int kFastestCompression = 11;
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

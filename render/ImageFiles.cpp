#include "render/ImageFiles.h"

#include "render/Picture.h"
#include "util/AtomicFileWrite.h"
#include "util/ByteText.h"

#include <QColorSpace>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <libdeflate.h>

#include <limits>
#include <new>
#include <vector>

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

// libdeflate with every row filtered "up". At level 6, measured on the
// renderer's designs: files 3 % larger than Qt's writer made (zlib level 6,
// libpng's trial of all five filters on every row) in a third of its time;
// libpng with zlib at the same level and filter took half as long again.
constexpr int kFastestDeflateLevel = 1;

int DeflateLevel(EPngCompression compression)
{
    return compression == EPngCompression::Fastest ? kFastestDeflateLevel : 6;
}

constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";

// What one thread needs for encoding, kept for its next image: the
// compressors' tables and the filtered rows take a few hundred kilobytes
// that would otherwise be faulted in afresh for every image of a batch.
struct SPngScratch
{
    SPngScratch() = default;
    ~SPngScratch()
    {
        for (libdeflate_compressor* compressor : compressors)
            libdeflate_free_compressor(compressor);
    }
    SPngScratch(const SPngScratch&) = delete;
    SPngScratch& operator=(const SPngScratch&) = delete;

    libdeflate_compressor* Compressor(EPngCompression compression)
    {
        libdeflate_compressor*& compressor = compressors[int(compression)];
        if (!compressor)
            compressor = libdeflate_alloc_compressor(DeflateLevel(compression));
        return compressor;
    }

    libdeflate_compressor* compressors[2] = {};
    std::vector<uchar> filtered;
    std::vector<uchar> rows[2];
};

void PutBigEndian(char* out, quint32 value)
{
    const char be[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    std::memcpy(out, be, 4);
}

void AppendBigEndian(QByteArray& bytes, quint32 value)
{
    bytes.resize(bytes.size() + 4);
    PutBigEndian(bytes.data() + bytes.size() - 4, value);
}

void AppendChunk(QByteArray& bytes, const char* type, const QByteArrayView data)
{
    AppendBigEndian(bytes, quint32(data.size()));
    const qsizetype start = bytes.size();
    bytes.append(type, 4);
    bytes.append(data);
    AppendBigEndian(bytes, libdeflate_crc32(0, bytes.constData() + start, size_t(bytes.size() - start)));
}

// Row y of a straight ARGB32 (or RGB32) image as RGBA (or RGB) bytes.
void PackRow(const QImage& pixels, int y, bool alpha, uchar* out)
{
    const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    for (int x = 0; x < pixels.width(); ++x) {
        *out++ = uchar(qRed(in[x]));
        *out++ = uchar(qGreen(in[x]));
        *out++ = uchar(qBlue(in[x]));
        if (alpha)
            *out++ = uchar(qAlpha(in[x]));
    }
}

} // namespace

QByteArray EncodePng(const QImage& image, EPngCompression compression)
{
    if (image.isNull())
        return {};
    const bool alpha = image.hasAlphaChannel();
    const QImage::Format straight = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    // Premultiplied colours are divided out by Qt's own conversion.
    const QImage pixels = image.format() == straight ? image : image.convertToFormat(straight);
    if (pixels.isNull())
        return {};
    const size_t rowBytes = size_t(pixels.width()) * (alpha ? 4 : 3);
    const size_t height = size_t(pixels.height());

    thread_local SPngScratch scratch;
    libdeflate_compressor* compressor = scratch.Compressor(compression);
    if (!compressor)
        return {};
    try {
        scratch.filtered.resize((rowBytes + 1) * height);
        for (std::vector<uchar>& row : scratch.rows)
            row.assign(rowBytes, 0);
    } catch (const std::bad_alloc&) {
        return {};
    }
    // Each row less the one above it (filter type 2, "up"); the first row
    // less a row of zeros.
    for (size_t y = 0; y < height; ++y) {
        std::vector<uchar>& current = scratch.rows[y % 2];
        const std::vector<uchar>& above = scratch.rows[(y + 1) % 2];
        PackRow(pixels, int(y), alpha, current.data());
        uchar* out = scratch.filtered.data() + y * (rowBytes + 1);
        *out++ = 2;
        for (size_t i = 0; i < rowBytes; ++i)
            out[i] = uchar(current[i] - above[i]);
    }

    QByteArray bytes;
    const size_t bound = libdeflate_zlib_compress_bound(compressor, scratch.filtered.size());
    if (bound > size_t(std::numeric_limits<qsizetype>::max() / 2))
        return {};
    bytes.append(kPngSignature, 8);
    QByteArray header;
    AppendBigEndian(header, quint32(pixels.width()));
    AppendBigEndian(header, quint32(pixels.height()));
    header.append(char(8));             // bits per channel
    header.append(char(alpha ? 6 : 2)); // RGBA or RGB
    header.append(3, char(0));          // deflate, adaptive filtering, no interlace
    AppendChunk(bytes, "IHDR", header);
    if (pixels.dotsPerMeterX() > 0 || pixels.dotsPerMeterY() > 0) {
        QByteArray resolution;
        AppendBigEndian(resolution, quint32(pixels.dotsPerMeterX()));
        AppendBigEndian(resolution, quint32(pixels.dotsPerMeterY()));
        resolution.append(char(1)); // per metre
        AppendChunk(bytes, "pHYs", resolution);
    }
    // The compressed stream goes straight into its chunk: room for the
    // largest it may be, cut to what it took.
    const qsizetype lengthAt = bytes.size();
    AppendBigEndian(bytes, 0);
    bytes.append("IDAT", 4);
    const qsizetype dataAt = bytes.size();
    bytes.resize(dataAt + qsizetype(bound));
    const size_t size = libdeflate_zlib_compress(compressor, scratch.filtered.data(), scratch.filtered.size(),
                                                 bytes.data() + dataAt, bound);
    if (size == 0)
        return {};
    bytes.resize(dataAt + qsizetype(size));
    PutBigEndian(bytes.data() + lengthAt, quint32(size));
    AppendBigEndian(bytes, libdeflate_crc32(0, bytes.constData() + lengthAt + 4, size + 4));
    AppendChunk(bytes, "IEND", {});
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

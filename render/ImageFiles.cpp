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

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

#include <cerrno>
#include <cstdlib>
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

// libdeflate's level by the size of the filtered image. Measured on the
// four shapes at 1x, 2x and 3x and the capsule up to 2000 pixels wide,
// against Qt's writer (zlib's level 6, the same choice of filter per row;
// nacreform_export_bench --benchmark_filter=EncodePng): up to 128 KiB (the
// default size at 1x) level 5 is at most 3.0 % larger and level 4 up to
// 5.1 %; beyond it level 5 loses up to 11 %, while level 6 stays within
// 4.0 % everywhere. Both take a half to a third of the time Qt's writer does.
constexpr size_t kSmallImageBytes = 128 * 1024;
constexpr int kSmallImageLevel = 5;
constexpr int kLargeImageLevel = 6;

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

    libdeflate_compressor* Compressor(size_t filteredBytes)
    {
        const bool small = filteredBytes <= kSmallImageBytes;
        libdeflate_compressor*& compressor = compressors[small ? 0 : 1];
        if (!compressor)
            compressor = libdeflate_alloc_compressor(small ? kSmallImageLevel : kLargeImageLevel);
        return compressor;
    }

    libdeflate_compressor* compressors[2] = {};
    std::vector<uchar> filtered;
    std::vector<uchar> rows[2];
    std::vector<uchar> candidates;
    std::vector<uchar> compressed;
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

// A row of straight ARGB32 (or RGB32) pixels as RGBA (or RGB) bytes.
void PackRow(const QRgb* in, size_t width, bool alpha, uchar* out)
{
    if (alpha) {
        for (size_t x = 0; x < width; ++x, out += 4) {
            out[0] = uchar(qRed(in[x]));
            out[1] = uchar(qGreen(in[x]));
            out[2] = uchar(qBlue(in[x]));
            out[3] = uchar(qAlpha(in[x]));
        }
    } else {
        for (size_t x = 0; x < width; ++x, out += 3) {
            out[0] = uchar(qRed(in[x]));
            out[1] = uchar(qGreen(in[x]));
            out[2] = uchar(qBlue(in[x]));
        }
    }
}

constexpr size_t kFilterCount = 5; // none, sub, up, average, Paeth

// How far a filtered row is from all zeros, its bytes read as signed: the
// smaller, the better deflate packs it, by libpng's measure.
size_t Distance(const uchar* row, size_t size)
{
    // Summed in 32 bits a block at a time, which runs on vectors twice as
    // wide as a 64-bit sum would.
    constexpr size_t kBlock = size_t(1) << 24;
    size_t sum = 0;
    for (size_t start = 0; start < size; start += kBlock) {
        const size_t end = std::min(size, start + kBlock);
        quint32 part = 0;
        for (size_t i = start; i < end; ++i) {
            const int value = qint8(row[i]);
            part += quint32(value < 0 ? -value : value);
        }
        sum += part;
    }
    return sum;
}

// The four predicting filters of a row into their rows of `candidates`. The
// first pixel has no left neighbour (taken as zero); the loops after it are
// written without branches so that the compiler can run them on vectors.
void PredictRow(const uchar* __restrict row, const uchar* __restrict above, size_t size, size_t pixelBytes,
                uchar* __restrict candidates)
{
    uchar* __restrict sub = candidates;
    uchar* __restrict up = candidates + size;
    uchar* __restrict average = candidates + 2 * size;
    uchar* __restrict paeth = candidates + 3 * size;
    const size_t first = std::min(pixelBytes, size);
    for (size_t i = 0; i < first; ++i) {
        sub[i] = row[i];
        average[i] = uchar(row[i] - (above[i] >> 1));
        paeth[i] = uchar(row[i] - above[i]); // the upper pixel is nearest when left and upper left are zero
    }
    for (size_t i = 0; i < size; ++i)
        up[i] = uchar(row[i] - above[i]);
    for (size_t i = first; i < size; ++i) {
        const int left = row[i - pixelBytes];
        sub[i] = uchar(row[i] - left);
        average[i] = uchar(row[i] - ((left + above[i]) >> 1));
    }
    for (size_t i = first; i < size; ++i) {
        const int left = row[i - pixelBytes];
        const int upper = above[i];
        const int upperLeft = above[i - pixelBytes];
        const int toLeft = std::abs(upper - upperLeft);
        const int toUpper = std::abs(left - upperLeft);
        const int toUpperLeft = std::abs(left + upper - 2 * upperLeft);
        const int nearest = toLeft <= toUpper && toLeft <= toUpperLeft ? left
                            : toUpper <= toUpperLeft                   ? upper
                                                                       : upperLeft;
        paeth[i] = uchar(row[i] - nearest);
    }
}

// Writes the filter's type byte and the row filtered by whichever of the
// five filters gives the smallest distance. `candidates` holds a row for
// each predicting filter.
void FilterRow(const uchar* row, const uchar* above, size_t size, size_t pixelBytes, uchar* candidates, uchar* out)
{
    PredictRow(row, above, size, pixelBytes, candidates);
    const uchar* best = row;
    size_t bestType = 0;
    size_t bestDistance = Distance(row, size);
    for (size_t type = 1; type < kFilterCount; ++type) {
        const uchar* candidate = candidates + (type - 1) * size;
        const size_t distance = Distance(candidate, size);
        if (distance < bestDistance) {
            best = candidate;
            bestType = type;
            bestDistance = distance;
        }
    }
    out[0] = uchar(bestType);
    std::memcpy(out + 1, best, size);
}

} // namespace

QByteArray EncodePng(const QImage& image)
{
    if (image.isNull())
        return {};
    const bool alpha = image.hasAlphaChannel();
    const QImage::Format straight = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    // Premultiplied colours are divided out by Qt's own conversion.
    const QImage pixels = image.format() == straight ? image : image.convertToFormat(straight);
    if (pixels.isNull())
        return {};
    const size_t pixelBytes = alpha ? 4 : 3;
    const size_t rowBytes = size_t(pixels.width()) * pixelBytes;
    const size_t height = size_t(pixels.height());

    thread_local SPngScratch scratch;
    libdeflate_compressor* compressor = scratch.Compressor((rowBytes + 1) * height);
    if (!compressor)
        return {};
    try {
        scratch.filtered.resize((rowBytes + 1) * height);
        for (std::vector<uchar>& row : scratch.rows)
            row.assign(rowBytes, 0);
        scratch.candidates.resize(rowBytes * (kFilterCount - 1));
    } catch (const std::bad_alloc&) {
        return {};
    }
    // Each row goes out under the filter that leaves the smallest bytes
    // (counted as signed), as libpng chooses them; the first row's "above"
    // is a row of zeros.
    for (size_t y = 0; y < height; ++y) {
        std::vector<uchar>& current = scratch.rows[y % 2];
        const std::vector<uchar>& above = scratch.rows[(y + 1) % 2];
        PackRow(reinterpret_cast<const QRgb*>(pixels.constScanLine(int(y))), size_t(pixels.width()), alpha,
                current.data());
        FilterRow(current.data(), above.data(), rowBytes, pixelBytes, scratch.candidates.data(),
                  scratch.filtered.data() + y * (rowBytes + 1));
    }

    const size_t bound = libdeflate_zlib_compress_bound(compressor, scratch.filtered.size());
    try {
        scratch.compressed.resize(bound);
    } catch (const std::bad_alloc&) {
        return {};
    }
    const size_t size = libdeflate_zlib_compress(compressor, scratch.filtered.data(), scratch.filtered.size(),
                                                 scratch.compressed.data(), bound);
    if (size == 0 || size > size_t(std::numeric_limits<qsizetype>::max() / 2))
        return {};

    QByteArray header;
    AppendBigEndian(header, quint32(pixels.width()));
    AppendBigEndian(header, quint32(pixels.height()));
    header.append(char(8));             // bits per channel
    header.append(char(alpha ? 6 : 2)); // RGBA or RGB
    header.append(3, char(0));          // deflate, adaptive filtering, no interlace
    QByteArray resolution;
    if (pixels.dotsPerMeterX() > 0 || pixels.dotsPerMeterY() > 0) {
        AppendBigEndian(resolution, quint32(pixels.dotsPerMeterX()));
        AppendBigEndian(resolution, quint32(pixels.dotsPerMeterY()));
        resolution.append(char(1)); // per metre
    }
    // Exactly the file's size: the array may be kept for long (a server's
    // cache, a set waiting to be written).
    constexpr qsizetype kChunkFrame = 12; // length, type and CRC
    QByteArray bytes;
    bytes.reserve(8 + kChunkFrame + header.size() + (resolution.isEmpty() ? 0 : kChunkFrame + resolution.size())
                  + kChunkFrame + qsizetype(size) + kChunkFrame);
    bytes.append(kPngSignature, 8);
    AppendChunk(bytes, "IHDR", header);
    if (!resolution.isEmpty())
        AppendChunk(bytes, "pHYs", resolution);
    AppendChunk(bytes, "IDAT", QByteArrayView(scratch.compressed.data(), qsizetype(size)));
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

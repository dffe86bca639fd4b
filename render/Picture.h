#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

class QRectF;

// A decoded picture: its pixels, or for a vector picture (SVG) its source,
// which is drawn anew for every render at that render's resolution. Copies
// share their data, so a copy is cheap and may go to another thread.
class CPicture
{
public:
    // No picture.
    CPicture() = default;
    // A raster picture.
    explicit CPicture(const QImage& pixels);
    // A vector picture from SVG (or gzip-compressed SVG) source; no picture
    // when the source does not parse or gives no size.
    static CPicture FromSvg(const QByteArray& source);

    bool isNull() const { return m_size.isEmpty(); }
    // The picture's own size: its pixels, or the SVG's width and height.
    QSize size() const { return m_size; }
    int width() const { return m_size.width(); }
    int height() const { return m_size.height(); }
    bool IsVector() const { return !m_svg.isEmpty(); }
    // The pixels of a raster picture; null for a vector one.
    const QImage& GetPixels() const { return m_pixels; }
    // The SVG source of a vector picture; empty for a raster one.
    const QByteArray& GetSvg() const { return m_svg; }

    // A transparent premultiplied image of imageSize with the vector picture
    // drawn stretched over area (in the image's pixels; it may reach beyond
    // the image). Null for a raster picture or when the image cannot be had.
    QImage RenderVector(const QSize& imageSize, const QRectF& area) const;

private:
    QImage m_pixels;
    QByteArray m_svg;
    QSize m_size;
};

#include "render/Picture.h"

#include <QPainter>
#include <QSvgRenderer>

CPicture::CPicture(const QImage& pixels)
    : m_pixels(pixels)
    , m_size(pixels.size())
{
}

CPicture CPicture::FromSvg(const QByteArray& source)
{
    CPicture picture;
    const QSvgRenderer svg(source);
    if (!svg.isValid() || svg.defaultSize().isEmpty())
        return picture;
    picture.m_svg = source;
    picture.m_size = svg.defaultSize();
    return picture;
}

QImage CPicture::RenderVector(const QSize& imageSize, const QRectF& area) const
{
    if (!IsVector())
        return {};
    QImage image(imageSize, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    // A renderer of its own each time: one is not to be shared between
    // threads, and parsing an icon costs little beside drawing it.
    QSvgRenderer svg(m_svg);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, area);
    return image;
}

#include "render/GaugeFill.h"

namespace gauge_fill {

QImage ScratchTexture(QSize size)
{
    // Enough for the largest gradient of a 1000-pixel design.
    constexpr qsizetype kKeptPixels = 1200 * 1200;
    const qsizetype pixels = qsizetype(size.width()) * size.height();
    if (size.isEmpty() || pixels > kKeptPixels)
        return QImage(size, QImage::Format_ARGB32_Premultiplied);
    thread_local std::vector<QRgb> memory;
    if (qsizetype(memory.size()) < pixels)
        memory.resize(size_t(pixels));
    return QImage(reinterpret_cast<uchar*>(memory.data()), size.width(), size.height(),
                  qsizetype(size.width()) * 4, QImage::Format_ARGB32_Premultiplied);
}

} // namespace gauge_fill

#pragma once

#include "render/Argb.h"
#include "render/Blend.h"
#include "render/CanvasGraphics.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>
#include <vector>

// Gradients that Qt's brushes cannot express, computed per pixel centre into
// a texture that then fills a region, whose anti-aliased edges decide how
// much of each edge pixel is painted.
//
// A gauge maps a drawing point to its distance from the gradient's inner end
// in units of the gradient's length: position p = 1 - gauge(x, y) runs from
// 0 (the outer colour) to 1 (the inner colour) through the blend's factors.
// The outer colour goes on up to a gauge of reach, so that pixels whose
// centres lie just beyond the outline are covered like a solid fill's; beyond
// reach nothing is painted. Gauge interface, in drawing coordinates:
//   float operator()(float x, float y) const;
// Keep it free of branches that the compiler cannot turn into selects: it
// runs once a pixel, vectorised.

namespace gauge_fill {

// Colour steps between the two ends; finer than any visible step.
constexpr int kTableSize = 1024;

// Premultiplied colours: entry 0 transparent, then from position 0 (1) to
// position 1 (kTableSize).
inline std::array<QRgb, kTableSize + 1> ColorTable(ARGB outer, ARGB inner, const CBlend& blend)
{
    std::array<QRgb, kTableSize + 1> table;
    table[0] = 0;
    for (int i = 0; i < kTableSize; ++i) {
        const float p = float(i) / float(kTableSize - 1);
        table[size_t(i) + 1] = qPremultiply(CBlend::InterpolateArgb(outer, inner, blend.Factor(p)));
    }
    return table;
}

// A texture of size over memory kept between the fills of this thread, so
// that a render does not fault in fresh pages for each of its gradients.
// Textures above a few megabytes get memory of their own. Valid until the
// next call on this thread.
QImage ScratchTexture(QSize size);

} // namespace gauge_fill

// Fills region, in drawing coordinates of a canvas painter (CanvasGraphics.h),
// with the gradient of gauge. The gauge is evaluated at the centre of every
// device pixel, so a painter that scales (a render at a higher resolution)
// gets a gradient as fine as its pixels; the painter may scale and move, not
// rotate.
template <typename Gauge>
void FillGaugeGradient(QPainter& graphics, const QPainterPath& region, ARGB outer, ARGB inner,
                       const CBlend& blend, const Gauge& gauge, float reach)
{
    using gauge_fill::kTableSize;
    const QRect pixels = DevicePixels(graphics, region.boundingRect());
    if (pixels.isEmpty())
        return;
    const QImage texture = gauge_fill::ScratchTexture(pixels.size());
    if (texture.isNull())
        return;

    const auto table = gauge_fill::ColorTable(outer, inner, blend);
    const int width = texture.width();
    std::vector<int> indices(size_t(width), 0);
    const float step = float(PixelCentre(graphics, 1, 0).x() - PixelCentre(graphics, 0, 0).x());
    for (int row = 0; row < texture.height(); ++row) {
        const QPointF first = PixelCentre(graphics, pixels.left(), pixels.top() + row);
        const float left = float(first.x()), y = float(first.y());
        int* index = indices.data();
        for (int x = 0; x < width; ++x) {
            const float g = gauge(left + step * float(x), y);
            const float entry = (1 - g) * float(kTableSize - 1) + 1.5f;
            index[x] = g <= reach ? int(std::min(std::max(entry, 1.0f), float(kTableSize))) : 0;
        }
        auto* line = reinterpret_cast<QRgb*>(const_cast<uchar*>(texture.constScanLine(row)));
        for (int x = 0; x < width; ++x)
            line[x] = table[size_t(index[x])];
    }

    // The texture covers every pixel the region touches, so its tiling
    // never shows.
    QBrush brush(texture);
    // A texture pixel is a device pixel.
    const QRectF drawn = DrawingRect(graphics, pixels);
    brush.setTransform(QTransform(drawn.width() / pixels.width(), 0, 0, drawn.height() / pixels.height(),
                                  drawn.left(), drawn.top()));
    graphics.fillPath(region, brush);
}

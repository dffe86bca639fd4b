#pragma once

#include "render/Argb.h"
#include "render/Blend.h"

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
// a texture that then fills a region (whose edges keep their anti-aliasing).
//
// A gauge maps a point to its distance from the gradient's inner end in
// units of the gradient's length: position p = 1 - gauge(x, y) runs from 0
// (the outer colour) to 1 (the inner colour) through the blend's factors.
// Points more than half a colour step beyond position 0 are left
// transparent. Gauge interface, in device pixels:
//   float operator()(float x, float y) const;
//   std::pair<float, float> Columns(float y) const; // x range that can have p >= 0
// Keep operator() free of branches that the compiler cannot turn into
// selects: it runs once a pixel, vectorised.

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

// Fills region (in the painter's coordinates) with the gradient of gauge,
// computed over the pixels of bounds only (nothing is painted outside them).
// The gauge is evaluated at the centre of every device pixel, so a painter
// that scales (a render at a higher resolution) gets a gradient as fine as
// its pixels; the painter may scale and move, not rotate.
template <typename Gauge>
void FillGaugeGradient(QPainter& graphics, const QPainterPath& region, const QRectF& bounds, ARGB outer,
                       ARGB inner, const CBlend& blend, const Gauge& gauge)
{
    using gauge_fill::kTableSize;
    if (graphics.device() == nullptr)
        return;
    const QTransform toDevice = graphics.deviceTransform();
    const QRect device(0, 0, graphics.device()->width(), graphics.device()->height());
    const QRect pixels =
        toDevice.mapRect(region.boundingRect().intersected(bounds)).toAlignedRect().intersected(device);
    if (pixels.isEmpty())
        return;
    const QImage texture = gauge_fill::ScratchTexture(pixels.size());
    if (texture.isNull())
        return;

    // Device pixel centres in the gauge's coordinates: left + x * pitch.
    const float scaleX = float(toDevice.m11()), scaleY = float(toDevice.m22());
    const float moveX = float(toDevice.dx()), moveY = float(toDevice.dy());
    const float pitch = 1 / scaleX;
    const float deviceLeft = float(pixels.left()) + 0.5f; // centre of the first column
    const float left = (deviceLeft - moveX) * pitch;

    const auto table = gauge_fill::ColorTable(outer, inner, blend);
    const int width = texture.width();
    std::vector<int> indices(size_t(width), 0);
    for (int row = 0; row < texture.height(); ++row) {
        const float y = (float(pixels.top() + row) + 0.5f - moveY) * (1 / scaleY);
        const auto [from, to] = gauge.Columns(y);
        const int first = std::clamp(int(std::floor(from * scaleX + moveX - deviceLeft)), 0, width);
        const int last = std::clamp(int(std::ceil(to * scaleX + moveX - deviceLeft)) + 1, first, width);
        int* index = indices.data();
        for (int x = first; x < last; ++x) {
            const float step = (1 - gauge(left + float(x) * pitch, y)) * float(kTableSize - 1) + 1.5f;
            index[x] = int(std::min(std::max(step, 0.0f), float(kTableSize)));
        }
        auto* line = reinterpret_cast<QRgb*>(const_cast<uchar*>(texture.constScanLine(row)));
        std::fill(line, line + first, 0u);
        for (int x = first; x < last; ++x)
            line[x] = table[size_t(index[x])];
        std::fill(line + last, line + width, 0u);
    }

    // The texture covers the bounds' pixels only; a brush would tile it
    // beyond them. Texture and clip are in device pixels.
    QBrush brush(texture);
    brush.setTransform(QTransform::fromTranslate(pixels.left(), pixels.top()));
    graphics.save();
    graphics.resetTransform();
    graphics.setClipRect(pixels, Qt::IntersectClip);
    graphics.fillPath(toDevice.map(region), brush);
    graphics.restore();
}

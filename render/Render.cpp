#include "render/Render.h"

#include "render/ButtonLayers.h"
#include "render/CanvasGraphics.h"
#include "render/LayerPainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

QImage EmptyCanvas(double scale)
{
    const int side = qRound(scale * CRender::kEmptyCanvasSide);
    QImage empty(side, side, QImage::Format_ARGB32);
    if (!empty.isNull())
        empty.fill(Qt::transparent);
    return empty;
}

bool IsAllocatable(float side)
{
    return std::isfinite(side) && side < float(CRender::kMaxCanvasSide + 1);
}

// The bitmap side of a canvas side: truncated at 1x, then scaled and rounded.
double ScaledSide(float side, double scale)
{
    return std::round(scale * std::trunc(double(side)));
}

} // namespace

CRender::~CRender() = default;

void CRender::DrawShape(CNacreformDoc&, CButtonLayers&, const QRectF&, const QRectF&) const
{
}

QImage CRender::Render(CNacreformDoc& doc) const
{
    return RenderLayout(doc, GetCanvasLayout(doc), 1.0);
}

QImage CRender::RenderLayout(CNacreformDoc& doc, const SCanvasLayout& layout, double scale) const
{
    if (!std::isfinite(layout.width) || !std::isfinite(layout.height) || !(scale > 0))
        return {};
    if (layout.width <= 0 || layout.height <= 0)
        return EmptyCanvas(scale);
    if (!IsAllocatable(layout.width) || !IsAllocatable(layout.height))
        return {};
    const double width = ScaledSide(layout.width, scale);
    const double height = ScaledSide(layout.height, scale);
    if (!(width <= kMaxCanvasSide && height <= kMaxCanvasSide) || width * height > double(kMaxCanvasPixels))
        return {};

    // Painted premultiplied (the fast path of the raster engine), handed out
    // straight.
    QImage canvas(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return {};
    canvas.fill(Qt::transparent);
    canvas.setDotsPerMeterX(kCanvasDotsPerMeter);
    canvas.setDotsPerMeterY(kCanvasDotsPerMeter);
    try {
        QPainter graphics(&canvas);
        PrepareCanvasGraphics(graphics, scale);
        PaintButtonLayers(graphics, Layers(doc, layout, scale));
    } catch (const std::bad_alloc&) {
        // Memory for a layer ran out: as if the bitmap could not be had.
        return {};
    }
    canvas.convertTo(QImage::Format_ARGB32);
    return canvas;
}

CButtonLayers CRender::Layers(CNacreformDoc& doc, const SCanvasLayout& layout, double scale) const
{
    CButtonLayers layers(CanvasTransform(scale));
    DrawShape(doc, layers, layout.shapeRect, layout.shadowRect);
    return layers;
}

bool CRender::IsSquareShape() const
{
    return false;
}

bool CRender::UsesSecondColor() const
{
    return true;
}

QRectF CRender::GetShadowRect(const CNacreformDoc& doc, const QRectF& rect) const
{
    if (!doc.EnableShapeShadow)
        return rect;
    const float x = float(rect.x()), y = float(rect.y());
    const float w = float(rect.width()), h = float(rect.height());
    const float e = GetShadowSpread() * h;
    return QRectF(x - e + w * doc.ShapeShadowPos.x * 0.01f, y - e + h * doc.ShapeShadowPos.y * 0.01f,
                  w + 2 * e, h + 2 * e);
}

float CRender::GetShadowSpread() const
{
    return 0.03f;
}

SCanvasLayout CRender::GetCanvasLayout(const CNacreformDoc& doc) const
{
    const float w = float(doc.ShapeSize.cx);
    const float h = IsSquareShape() ? w : float(doc.ShapeSize.cy);
    const QRectF shadow = GetShadowRect(doc, QRectF(0, 0, w, h));
    const float sx = float(shadow.x()), sy = float(shadow.y());
    const float sw = float(shadow.width()), sh = float(shadow.height());
    SCanvasLayout layout;
    if (!std::isfinite(sx + sy + sw + sh)) {
        // max() would quietly drop a NaN; the canvas is no number then.
        layout.width = layout.height = std::numeric_limits<float>::quiet_NaN();
        return layout;
    }

    const float right = std::max(w, sx + sw);
    const float bottom = std::max(h, sy + sh);
    const float left = sx <= 0 ? sx : 0;
    const float top = sy <= 0 ? sy : 0;
    const float margin = float(doc.Margin);

    layout.width = (right - left) + 2 * margin;
    layout.height = (bottom - top) + 2 * margin;
    const float dx = margin - left;
    const float dy = margin - top;
    layout.shapeRect = QRectF(dx, dy, w - 1, h - 1);
    layout.shadowRect = QRectF(sx + dx, sy + dy, sw - 1, sh - 1);
    return layout;
}

QPointF RectCenter(const QRectF& rect)
{
    return QPointF(float(rect.x()) + float(rect.width()) * 0.5f,
                   float(rect.y()) + float(rect.height()) * 0.5f);
}

ARGB ColorRefToArgb(COLORREF color)
{
    return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

#include "render/CircleRectangleButtonRender.h"

#include "render/Blend.h"
#include "render/ContentLayers.h"
#include "render/GaugeFill.h"
#include "render/GraphicsPath.h"
#include "render/LinearGradient.h"
#include "render/ShapeHelpers.h"

#include <QPainterPath>

namespace {

// Width of the body's frame around the inner area, as a share of the height.
constexpr double kInsetRatio = 0.03;

// Where a point of the inner area lies between its outer colour (1) and
// its inner one (0): beside each end's centre line on the circle of radius
// r around that end's centre on the bottom edge, between the centre lines
// on a vertical gradient over (top, depth). At the centre lines the two
// differ by half a pixel's share of the depth.
struct SInnerGauge
{
    float left, right, bottom, radius, top, depth;
    float operator()(float x, float y) const
    {
        const float dy = y - bottom;
        const float toLeft = std::sqrt((x - left) * (x - left) + dy * dy) / radius;
        const float toRight = std::sqrt((x - right) * (x - right) + dy * dy) / radius;
        const float middle = 1 - (y - top) / depth;
        return x < left ? toLeft : (x > right ? toRight : middle);
    }
    std::pair<float, float> Columns(float) const { return {left - radius, right + radius}; }
};

} // namespace

void CCircleRectangleButtonRender::AddCapsule(CGraphicsPath& path, const QRectF& box, float k)
{
    const float x = float(box.x()), y = float(box.y()), w = float(box.width()), h = float(box.height());
    path.AddArc(QRectF(x, y, k * h, h), 90, 180);
    path.AddArc(QRectF(x + w - k * h, y, k * h, h), 270, 180);
}

void CCircleRectangleButtonRender::FillCapsuleGradient(QPainter& graphics, const QRectF& box, ARGB first,
                                                       ARGB second, const CBlend& blend, float k)
{
    if (!(box.width() > 0 && box.height() > 0))
        return;
    CGraphicsPath path;
    AddCapsule(path, box, k);
    FillVerticalGradient(graphics, path.Path(), Grown(box, 1), first, second, blend);
}

void CCircleRectangleButtonRender::FillInnerArea(QPainter& graphics, const QRectF& inner, ARGB c1, ARGB c2)
{
    const float xi = float(inner.x()), yi = float(inner.y());
    const float wi = float(inner.width()), hi = float(inner.height());
    if (!(hi > 0))
        return;
    const SInnerGauge gauge{xi + hi / 2, xi + wi - hi / 2, yi + hi, hi + 1, yi - 0.5f, hi + 1};

    // The half discs of both ends and the box between their centre lines,
    // as one region so that no edge runs between them.
    CGraphicsPath leftEnd, rightEnd;
    leftEnd.AddArc(QRectF(xi, yi, hi, hi), 90, 180);
    rightEnd.AddArc(QRectF(xi + wi - hi, yi, hi, hi), 270, 180);
    QPainterPath region = leftEnd.Path();
    region.setFillRule(Qt::WindingFill);
    region.addPath(rightEnd.Path());
    if (gauge.right > gauge.left)
        region.addRect(QRectF(gauge.left, yi, gauge.right - gauge.left, hi));

    const QRectF bounds(xi - 1, yi - 1, wi + 2, hi + 2);
    FillGaugeGradient(graphics, region, bounds, c1, c2, CBlend({0, 1, 1}, {0, 0.55f, 1}), gauge);
    FillGaugeGradient(graphics, region, bounds, 0x00FFFFFF, 0xFFFFFFFF,
                      CBlend({0, 0, 0.6f, 0.8f}, {0, 0.55f, 0.9f, 1}), gauge);
}

void CCircleRectangleButtonRender::DrawShape(CNacreformDoc& doc, QPainter& graphics, const QRectF& shapeRect,
                                             const QRectF& shadowRect) const
{
    const float x = float(shapeRect.x()), y = float(shapeRect.y());
    const float w = float(shapeRect.width()), h = float(shapeRect.height());
    const int t = ShapeInset(h, kInsetRatio);
    const ARGB c1 = ColorRefToArgb(doc.Color1);
    const ARGB c2 = ColorRefToArgb(doc.Color2);

    if (doc.EnableShapeShadow && shadowRect.width() > 0 && shadowRect.height() > 0) {
        CGraphicsPath outline;
        AddCapsule(outline, shadowRect, 1);
        FillShapeShadow(doc, graphics, CPathGradient::EOutline::Capsule, shadowRect, outline.Path());
    }
    FillCapsuleGradient(graphics, shapeRect, c1, c2, CBlend(), 1);
    FillCapsuleGradient(graphics, shapeRect, 0x80000000, 0x00000000, CBlend(), 1);

    FillInnerArea(graphics, QRectF(x + t, y + t, w - 2 * t, h - 2 * t), c1, c2);

    DrawTextAndPicture(doc, graphics, shapeRect);

    constexpr float kHighlightEndRatio = 1.3f;
    FillCapsuleGradient(graphics, GetHighlightRect(shapeRect), 0xFFFFFFFF, 0x00FFFFFF, CBlend({0, 0.1f, 1}, {0, 0.2f, 1}),
                        kHighlightEndRatio);
}

QRectF CCircleRectangleButtonRender::GetHighlightRect(const QRectF& shapeRect)
{
    const float x = float(shapeRect.x()), y = float(shapeRect.y());
    const float w = float(shapeRect.width()), h = float(shapeRect.height());
    const int t = ShapeInset(h, kInsetRatio);
    return QRectF(x + t + 0.2f * h, y + t, w - 2 * t - 0.4f * h, (h - 2 * t) / 2);
}

float CCircleRectangleButtonRender::GetShadowSpread() const
{
    return 0.07f;
}

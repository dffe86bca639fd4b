#include "render/CircleRectangleButtonRender.h"

#include "render/Blend.h"
#include "render/ButtonLayers.h"
#include "render/ContentLayers.h"
#include "render/GraphicsPath.h"
#include "render/PathGradient.h"
#include "render/ShapeHelpers.h"

namespace {

// Width of the body's frame around the inner area, as a share of the height.
constexpr double kInsetRatio = 0.03;

// The inner area's colour, from Color1 on the outside to Color2 from 55 % of
// the way in, and its white glow, from nothing at 55 % to 80 % white at the
// inside end; shared by the ends and the middle.
const CBlend kInnerColorBlend({0, 1, 1}, {0, 0.55f, 1});
const CBlend kInnerGlowBlend({0, 0, 0.6f, 0.8f}, {0, 0.55f, 0.9f, 1});

// One end's half disc lit around glowCircle's centre, the middle of that
// end on the inner area's bottom edge.
void FillEndGlow(CButtonLayers& layers, const QRectF& glowCircle, const CGraphicsPath& halfDisc, ARGB c1, ARGB c2)
{
    CPathGradient glow(CPathGradient::EOutline::Ellipse, glowCircle);
    glow.SetCenterColor(c2);
    glow.SetSurroundColor(c1);
    glow.SetBlend(kInnerColorBlend);
    layers.FillPathGradient(halfDisc, glow);
    glow.SetCenterColor(0xFFFFFFFF);
    glow.SetSurroundColor(0x00FFFFFF);
    glow.SetBlend(kInnerGlowBlend);
    layers.FillPathGradient(halfDisc, glow);
}

} // namespace

void CCircleRectangleButtonRender::AddCapsule(CGraphicsPath& path, const QRectF& box, float k)
{
    const float x = float(box.x()), y = float(box.y()), w = float(box.width()), h = float(box.height());
    path.AddArc(QRectF(x, y, k * h, h), 90, 180);
    path.AddArc(QRectF(x + w - k * h, y, k * h, h), 270, 180);
}

void CCircleRectangleButtonRender::FillCapsuleGradient(CButtonLayers& layers, const QRectF& box, ARGB first,
                                                       ARGB second, const CBlend& blend, float k)
{
    if (!(box.width() > 0 && box.height() > 0))
        return;
    CGraphicsPath path;
    AddCapsule(path, box, k);
    layers.FillVerticalGradient(path, Grown(box, 1), first, second, blend);
}

void CCircleRectangleButtonRender::FillInnerArea(CButtonLayers& layers, const QRectF& inner, ARGB c1, ARGB c2)
{
    const float xi = float(inner.x()), yi = float(inner.y());
    const float wi = float(inner.width()), hi = float(inner.height());
    if (!(hi > 0))
        return;

    CGraphicsPath leftEnd;
    leftEnd.AddArc(QRectF(xi, yi, hi, hi), 90, 180);
    FillEndGlow(layers, QRectF(xi - hi / 2 - 1, yi - 1, 2 * hi + 2, 2 * hi + 2), leftEnd, c1, c2);

    CGraphicsPath rightEnd;
    rightEnd.AddArc(QRectF(xi + wi - hi, yi, hi, hi), 270, 180);
    FillEndGlow(layers, QRectF(xi + wi - 1.5f * hi - 1, yi - 1, 2 * hi + 2, 2 * hi + 2), rightEnd, c1, c2);

    // A pixel wider than the span between the ends' centre lines on each
    // side: its opaque colour covers the ends' straight edges. Its sides lie
    // on the nearest edges between pixel columns: a side within a column
    // would leave that pixel partly the end's and partly the middle's, and
    // the end's translucent glow, partly covered by the middle's colour and
    // partly laid again, would show as a dark seam.
    const double left = layers.NearestColumnEdge(xi + hi / 2 - 1);
    const double right = layers.NearestColumnEdge(xi + wi - hi / 2 + 1);
    if (!(wi - hi + 2 > 0) || !(right > left))
        return;
    const QRectF middle(left, yi, right - left, hi);
    const QRectF brushBox(xi + hi / 2 - 2, yi - 0.5f, wi - hi + 4, hi + 1);
    CGraphicsPath region;
    region.AddRectangle(middle);
    layers.FillVerticalGradient(region, brushBox, c1, c2, kInnerColorBlend);
    layers.FillVerticalGradient(region, brushBox, 0x00FFFFFF, 0xFFFFFFFF, kInnerGlowBlend);
}

void CCircleRectangleButtonRender::DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
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
        FillShapeShadow(doc, layers, CPathGradient::EOutline::Capsule, shadowRect, outline);
    }
    FillCapsuleGradient(layers, shapeRect, c1, c2, CBlend(), 1);
    FillCapsuleGradient(layers, shapeRect, 0x80000000, 0x00000000, CBlend(), 1);

    FillInnerArea(layers, QRectF(x + t, y + t, w - 2 * t, h - 2 * t), c1, c2);

    DrawTextAndPicture(doc, layers, shapeRect);

    constexpr float kHighlightEndRatio = 1.3f;
    FillCapsuleGradient(layers, GetHighlightRect(shapeRect), 0xFFFFFFFF, 0x00FFFFFF, CBlend({0, 0.1f, 1}, {0, 0.2f, 1}),
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

#include "render/CircleRectangleButtonRender.h"

#include "render/Blend.h"
#include "render/ContentLayers.h"
#include "render/GraphicsPath.h"
#include "render/LinearGradient.h"
#include "render/ShapeHelpers.h"

#include <QPainterPath>

namespace {

// Width of the body's frame around the inner area, as a share of the height.
constexpr double kInsetRatio = 0.03;

// The inner colour and glow blends, shared by the two ends and the middle so
// that they meet without a seam.
CBlend InnerColorBlend()
{
    return CBlend({0, 1, 1}, {0, 0.55f, 1});
}

CBlend InnerGlowBlend()
{
    return CBlend({0, 0, 0.6f, 0.8f}, {0, 0.55f, 0.9f, 1});
}

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

void CCircleRectangleButtonRender::FillEndGlow(QPainter& graphics, QPointF centre, float hi,
                                               const QRectF& arcBox, float startAngle, ARGB c1, ARGB c2)
{
    if (!(hi > 0))
        return;
    const float radius = hi + 1;
    CPathGradient light(CPathGradient::EOutline::Ellipse,
                        QRectF(float(centre.x()) - radius, float(centre.y()) - radius, 2 * radius, 2 * radius));
    CGraphicsPath halfDisc;
    halfDisc.AddArc(arcBox, startAngle, 180);

    light.SetCenterColor(c2);
    light.SetSurroundColor(c1);
    light.SetBlend(InnerColorBlend());
    light.Fill(graphics, halfDisc.Path());

    light.SetCenterColor(0xFFFFFFFF);
    light.SetSurroundColor(0x00FFFFFF);
    light.SetBlend(InnerGlowBlend());
    light.Fill(graphics, halfDisc.Path());
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

    const float xi = x + t, yi = y + t, wi = w - 2 * t, hi = h - 2 * t;
    FillEndGlow(graphics, QPointF(xi + hi / 2, yi + hi), hi, QRectF(xi, yi, hi, hi), 90, c1, c2);
    FillEndGlow(graphics, QPointF(xi + wi - hi / 2, yi + hi), hi, QRectF(xi + wi - hi, yi, hi, hi), 270, c1,
                c2);

    // The middle reaches one pixel past the ends' centre lines to cover the seams.
    const QRectF middle(xi + hi / 2 - 1, yi, wi - hi + 2, hi);
    if (middle.width() > 0 && middle.height() > 0) {
        QPainterPath region;
        region.addRect(middle);
        const QRectF brushBox(xi + hi / 2 - 2, yi - 0.5f, wi - hi + 4, hi + 1);
        FillVerticalGradient(graphics, region, brushBox, c1, c2, InnerColorBlend());
        FillVerticalGradient(graphics, region, brushBox, 0x00FFFFFF, 0xFFFFFFFF, InnerGlowBlend());
    }

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

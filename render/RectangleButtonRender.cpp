#include "render/RectangleButtonRender.h"

#include "render/Blend.h"
#include "render/ButtonLayers.h"
#include "render/ContentLayers.h"
#include "render/GraphicsPath.h"
#include "render/ShapeHelpers.h"

void CRectangleButtonRender::FillRectGradient(CButtonLayers& layers, const QRectF& rect, ARGB first,
                                              ARGB second, const CBlend& blend)
{
    if (!(rect.width() > 0 && rect.height() > 0))
        return;
    CGraphicsPath region;
    region.AddRectangle(rect);
    layers.FillVerticalGradient(region, Grown(rect, 1), first, second, blend);
}

void CRectangleButtonRender::DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                                       const QRectF& shadowRect) const
{
    const float x = float(shapeRect.x()), y = float(shapeRect.y());
    const float w = float(shapeRect.width()), h = float(shapeRect.height());
    const int t = ShapeInset(h, 0.02);
    const ARGB c1 = ColorRefToArgb(doc.Color1);
    const ARGB c2 = ColorRefToArgb(doc.Color2);

    if (doc.EnableShapeShadow) {
        CGraphicsPath outline;
        outline.AddRectangle(shadowRect);
        FillShapeShadow(doc, layers, CPathGradient::EOutline::Rectangle, shadowRect, outline);
    }
    FillRectGradient(layers, shapeRect, c1, c2, CBlend());
    FillRectGradient(layers, shapeRect, 0x80000000, 0x00000000, CBlend());

    const QRectF inner(x + t, y + t, w - 2 * t, h - 2 * t);
    FillRectGradient(layers, inner, c1, c2, CBlend({0, 0.7f, 1}, {0, 0.55f, 1}));
    FillRectGradient(layers, inner, 0x00FFFFFF, 0xFFFFFFFF, CBlend({0, 0, 0.8f}, {0, 0.8f, 1}));

    DrawTextAndPicture(doc, layers, shapeRect);

    FillRectGradient(layers, inner, 0xFFFFFFFF, 0x00FFFFFF,
                     CBlend({0, 0.08f, 0.85f, 1, 1}, {0, 0.1f, 0.5f, 0.51f, 1}));
}

float CRectangleButtonRender::GetShadowSpread() const
{
    return 0.07f;
}

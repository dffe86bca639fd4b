#include "render/CircleButton01Render.h"

#include "render/Blend.h"
#include "render/ButtonLayers.h"
#include "render/GraphicsPath.h"
#include "render/PathGradient.h"
#include "render/ShapeHelpers.h"

void CCircleButton01Render::DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                                      const QRectF& shadowRect) const
{
    const float x = float(shapeRect.x()), y = float(shapeRect.y());
    const float w = float(shapeRect.width()), h = float(shapeRect.height());
    const int e = ShapeInset(h, 0.03);
    const ARGB a1 = ColorRefToArgb(doc.Color1);
    const ARGB a2 = ColorRefToArgb(doc.Color2);
    const QRectF inner(x + e, y + e, w - 2 * e, h - 2 * e);
    // Centred on the middle of the shape's bottom edge, one pixel above it.
    const QRectF glow(x - w * 0.5f - 1, y - 1, 2 * w + 2, 2 * h + 2);

    DrawShapeShadow(doc, layers, shadowRect);
    FillGradientEllipse(layers, shapeRect, a1, a2, CBlend());
    FillGradientEllipse(layers, shapeRect, 0x80000000, 0x00000000, CBlend());

    if (inner.width() > 0 && inner.height() > 0) {
        CGraphicsPath disc;
        disc.AddEllipse(inner);
        CPathGradient light(CPathGradient::EOutline::Ellipse, glow);
        light.SetCenterColor(a2);
        light.SetSurroundColor(a1);
        light.SetBlend(CBlend({0, 1, 1}, {0, 0.55f, 1}));
        layers.FillPathGradient(disc, light);

        light.SetCenterColor(0xFFFFFFFF);
        light.SetSurroundColor(0x00FFFFFF);
        light.SetBlend(CBlend({0, 0, 0.6f, 1}, {0, 0.55f, 0.9f, 1}));
        layers.FillPathGradient(disc, light);
    }

    DrawContentAndGloss(doc, layers, shapeRect);
}

bool CCircleButton01Render::IsSquareShape() const
{
    return true;
}

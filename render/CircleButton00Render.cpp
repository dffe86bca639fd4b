#include "render/CircleButton00Render.h"

#include "render/Blend.h"
#include "render/ButtonLayers.h"
#include "render/GraphicsPath.h"
#include "render/PathGradient.h"

void CCircleButton00Render::DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                                      const QRectF& shadowRect) const
{
    DrawShapeShadow(doc, layers, shadowRect);
    FillGradientEllipse(layers, shapeRect, ColorRefToArgb(doc.Color1), 0xFFFFFFFF, CBlend());

    if (shapeRect.width() > 0 && shapeRect.height() > 0) {
        CGraphicsPath rim;
        rim.AddEllipse(shapeRect);
        CPathGradient shading(CPathGradient::EOutline::Ellipse, shapeRect);
        shading.SetCenterColor(0x00000000);
        shading.SetSurroundColor(0x82000000);
        shading.SetBlend(CBlend({0, 1, 1}, {0, 0.15f, 1}));
        layers.FillPathGradient(rim, shading);

        constexpr float kOutlineWidth = 0.1f;
        layers.StrokeOutline(rim, 0xA0000000, kOutlineWidth);
    }

    DrawContentAndGloss(doc, layers, shapeRect);
}

bool CCircleButton00Render::IsSquareShape() const
{
    return true;
}

bool CCircleButton00Render::UsesSecondColor() const
{
    return false;
}

#include "render/CircleButton00Render.h"

#include "render/Blend.h"
#include "render/GraphicsPath.h"
#include "render/PathGradient.h"

#include <QPainter>

void CCircleButton00Render::DrawShape(CNacreformDoc& doc, QPainter& graphics, const QRectF& shapeRect,
                                      const QRectF& shadowRect) const
{
    DrawShapeShadow(doc, graphics, shadowRect);
    FillGradientEllipse(graphics, shapeRect, ColorRefToArgb(doc.Color1), 0xFFFFFFFF, CBlend());

    if (shapeRect.width() > 0 && shapeRect.height() > 0) {
        CGraphicsPath rim;
        rim.AddEllipse(shapeRect);
        CPathGradient shading(CPathGradient::EOutline::Ellipse, shapeRect);
        shading.SetCenterColor(0x00000000);
        shading.SetSurroundColor(0x82000000);
        shading.SetBlend(CBlend({0, 1, 1}, {0, 0.15f, 1}));
        shading.Fill(graphics, rim.Path());

        constexpr float kOutlineWidth = 0.1f;
        graphics.setPen(QPen(QColor::fromRgba(0xA0000000), kOutlineWidth));
        graphics.setBrush(Qt::NoBrush);
        graphics.drawPath(rim.Path());
    }

    DrawContentAndGloss(doc, graphics, shapeRect);
}

bool CCircleButton00Render::IsSquareShape() const
{
    return true;
}

bool CCircleButton00Render::UsesSecondColor() const
{
    return false;
}

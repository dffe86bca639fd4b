#include "render/CircleButtonRender.h"

#include "render/Blend.h"
#include "render/ContentLayers.h"
#include "render/GraphicsPath.h"
#include "render/LinearGradient.h"
#include "render/ShapeHelpers.h"

void CCircleButtonRender::DrawShapeShadow(const CNacreformDoc& doc, QPainter& graphics, const QRectF& rect)
{
    if (!doc.EnableShapeShadow)
        return;
    CGraphicsPath path;
    path.AddEllipse(rect);
    FillShapeShadow(doc, graphics, CPathGradient::EOutline::Ellipse, rect, path.Path());
}

void CCircleButtonRender::FillGradientEllipse(QPainter& graphics, const QRectF& rect, ARGB first,
                                              ARGB second, const CBlend& blend)
{
    if (!(rect.width() > 0 && rect.height() > 0))
        return;
    CGraphicsPath path;
    path.AddEllipse(rect);
    FillVerticalGradient(graphics, path.Path(), Grown(rect, 1), first, second, blend);
}

void CCircleButtonRender::DrawContentAndGloss(CNacreformDoc& doc, QPainter& graphics, const QRectF& rect)
{
    DrawTextAndPicture(doc, graphics, rect);
    FillGradientEllipse(graphics, GetGlossRect(rect), 0xFAFFFFFF, 0x00FFFFFF,
                        CBlend({0, 0.9f, 1}, {0, 0.7f, 1}));
}

QRectF CCircleButtonRender::GetGlossRect(const QRectF& shapeRect)
{
    const float w = float(shapeRect.width()), h = float(shapeRect.height());
    const QPointF c = RectCenter(shapeRect);
    const float glossWidth = w * 0.7f;
    return QRectF(float(c.x()) - glossWidth * 0.5f, float(shapeRect.y()) + float(int(h * 0.04f)),
                  glossWidth, h * 0.55f);
}

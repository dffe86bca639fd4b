#include "render/CircleButtonRender.h"

#include "render/Blend.h"
#include "render/ButtonLayers.h"
#include "render/ContentLayers.h"
#include "render/GraphicsPath.h"
#include "render/ShapeHelpers.h"

void CCircleButtonRender::DrawShapeShadow(const CNacreformDoc& doc, CButtonLayers& layers, const QRectF& rect)
{
    if (!doc.EnableShapeShadow)
        return;
    CGraphicsPath path;
    path.AddEllipse(rect);
    FillShapeShadow(doc, layers, CPathGradient::EOutline::Ellipse, rect, path);
}

void CCircleButtonRender::FillGradientEllipse(CButtonLayers& layers, const QRectF& rect, ARGB first,
                                              ARGB second, const CBlend& blend)
{
    if (!(rect.width() > 0 && rect.height() > 0))
        return;
    CGraphicsPath path;
    path.AddEllipse(rect);
    layers.FillVerticalGradient(path, Grown(rect, 1), first, second, blend);
}

void CCircleButtonRender::DrawContentAndGloss(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& rect)
{
    DrawTextAndPicture(doc, layers, rect);
    FillGradientEllipse(layers, GetGlossRect(rect), 0xFAFFFFFF, 0x00FFFFFF,
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

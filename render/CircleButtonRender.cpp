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

    const float w = float(rect.width()), h = float(rect.height());
    const QPointF c = RectCenter(rect);
    const float glossWidth = w * 0.7f;
    const QRectF gloss(float(c.x()) - glossWidth * 0.5f, float(rect.y()) + float(int(h * 0.04f)),
                       glossWidth, h * 0.55f);
    FillGradientEllipse(graphics, gloss, 0xFAFFFFFF, 0x00FFFFFF, CBlend({0, 0.9f, 1}, {0, 0.7f, 1}));
}

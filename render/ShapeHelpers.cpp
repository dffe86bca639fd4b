#include "render/ShapeHelpers.h"

#include "design/NacreformDoc.h"
#include "render/ButtonLayers.h"

#include <algorithm>

int ShapeInset(float height, double ratio)
{
    return std::max(1, int(double(height) * ratio));
}

void FillShapeShadow(const CNacreformDoc& doc, CButtonLayers& layers, CPathGradient::EOutline outline,
                     const QRectF& box, const CGraphicsPath& region)
{
    CPathGradient gradient(outline, box);
    gradient.SetCenterColor(ArgbWithAlpha(0x000000, doc.ShapeShadowAlpha));
    gradient.SetSurroundColor(0x00000000);
    gradient.SetBlend(CBlend({0, 1, 1}, {0, 0.2f, 1}));
    layers.FillPathGradient(region, gradient);
}

QRectF Grown(const QRectF& box, float d)
{
    return QRectF(float(box.x()) - d, float(box.y()) - d, float(box.width()) + 2 * d,
                  float(box.height()) + 2 * d);
}

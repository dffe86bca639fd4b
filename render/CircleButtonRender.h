#pragma once

#include "render/Render.h"

class CBlend;
class CButtonLayers;

// Shared steps of the circle buttons: the soft elliptic shadow, ellipses
// filled with a vertical gradient, and the content with the white top gloss
// that finishes every circle. Draws nothing by itself; never selected.
class CCircleButtonRender : public CRender
{
public:
    // The box of the white gloss ellipse over shapeRect: 70 % of its width,
    // centred, from 4 % of its height (whole pixels) down, 55 % as high.
    static QRectF GetGlossRect(const QRectF& shapeRect);

protected:
    // Nothing when the design has no shape shadow.
    static void DrawShapeShadow(const CNacreformDoc& doc, CButtonLayers& layers, const QRectF& rect);
    // The ellipse inscribed in rect with a vertical gradient whose box is one
    // pixel larger than rect on every side; nothing for a rect without area.
    static void FillGradientEllipse(CButtonLayers& layers, const QRectF& rect, ARGB first, ARGB second,
                                    const CBlend& blend);
    // Caption and picture on rect, then the gloss over the upper part.
    static void DrawContentAndGloss(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& rect);
};

#pragma once

#include "render/PathGradient.h"

class CButtonLayers;
class CGraphicsPath;
class CNacreformDoc;
class QRectF;

// Steps the shape renderers share.

// The inset of a shape's inner area: height x ratio, in double precision,
// truncated toward zero, at least 1.
int ShapeInset(float height, double ratio);

// The soft shape shadow: a path gradient on outline in box from transparent
// black on the outline to black with the low byte of ShapeShadowAlpha a fifth
// of the way in, flat from there to the centre, filling region.
void FillShapeShadow(const CNacreformDoc& doc, CButtonLayers& layers, CPathGradient::EOutline outline,
                     const QRectF& box, const CGraphicsPath& region);

// box grown by d on every side.
QRectF Grown(const QRectF& box, float d);

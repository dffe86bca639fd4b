#pragma once

#include "render/PathGradient.h"

class CNacreformDoc;
class QPainter;
class QPainterPath;
class QRectF;

// Steps the shape renderers share.

// The inset of a shape's inner area: height x ratio, in double precision,
// truncated toward zero, at least 1.
int ShapeInset(float height, double ratio);

// The soft shape shadow: a path gradient on outline in box from transparent
// black on the outline to black with the low byte of ShapeShadowAlpha a fifth
// of the way in, flat from there to the centre, filling region.
void FillShapeShadow(const CNacreformDoc& doc, QPainter& graphics, CPathGradient::EOutline outline,
                     const QRectF& box, const QPainterPath& region);

// box grown by d on every side.
QRectF Grown(const QRectF& box, float d);

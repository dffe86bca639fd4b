#pragma once

#include "render/Argb.h"

#include <QBrush>

class CBlend;
class QRectF;

// A vertical linear gradient over box: top colour on the box's top edge,
// bottom colour on its bottom edge, the blend in between, each ARGB channel
// interpolated on its own (not premultiplied), tiled beyond the box.
// A box without height gives the top colour.
QBrush CreateVerticalGradientBrush(const QRectF& box, ARGB top, ARGB bottom, const CBlend& blend);

class QPainter;
class QPainterPath;

// Fills region with CreateVerticalGradientBrush(brushBox, ...); nothing when
// brushBox has no area.
void FillVerticalGradient(QPainter& graphics, const QPainterPath& region, const QRectF& brushBox,
                          ARGB top, ARGB bottom, const CBlend& blend);

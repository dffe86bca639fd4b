#pragma once

#include "render/Render.h"

class CBlend;
class CButtonLayers;
class CGraphicsPath;

// The capsule: a horizontal bar with half-circle ends, body from Color1 to
// Color2, a dark veil over the top, an inner glow rising from the bottom and
// rounded at both ends, then caption and picture and a capsule-shaped gloss
// over the upper half. Shape command 32774.
class CCircleRectangleButtonRender : public CRender
{
public:
    void DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                   const QRectF& shadowRect) const override;
    float GetShadowSpread() const override;

    // Continues path's open figure with the left end, an arc in the box
    // (x, y, k h, h) from 90 through 180 degrees, and the right end, an arc
    // in (x + w - k h, y, k h, h) from 270 through 180 degrees. k 1 gives half
    // circles; larger k flatter half ellipses. The figure is left open.
    static void AddCapsule(CGraphicsPath& path, const QRectF& box, float k);

    // The box of the gloss highlight over shapeRect: inset like the inner
    // area, half its height, narrowed by a fifth of the shape height at each end.
    static QRectF GetHighlightRect(const QRectF& shapeRect);

private:
    // The capsule in box with a vertical gradient whose box is one pixel
    // larger on every side; nothing for a box without area.
    static void FillCapsuleGradient(CButtonLayers& layers, const QRectF& box, ARGB first, ARGB second,
                                    const CBlend& blend, float k);
    // The inner area's colour and its glow rising from the bottom: each end's
    // half disc lit around that end's centre on the inner area's bottom edge,
    // left end then right end, then the middle box between them with a
    // vertical gradient through the same blends.
    static void FillInnerArea(CButtonLayers& layers, const QRectF& inner, ARGB c1, ARGB c2);
};

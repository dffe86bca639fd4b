#pragma once

#include "render/Render.h"

class CBlend;
class CButtonLayers;

// The square-cornered glass panel: body from Color1 to Color2, a dark veil
// over the top, an inner panel with its own colour gradient and a white glow
// along its lower fifth, then caption and picture and a gloss over the upper
// half ending in a sharp edge at the middle. Shape command 32773.
class CRectangleButtonRender : public CRender
{
public:
    void DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                   const QRectF& shadowRect) const override;
    float GetShadowSpread() const override;

private:
    // rect with a vertical gradient whose box is one pixel larger on every
    // side; nothing for a rect without area.
    static void FillRectGradient(CButtonLayers& layers, const QRectF& rect, ARGB first, ARGB second,
                                 const CBlend& blend);
};

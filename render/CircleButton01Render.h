#pragma once

#include "render/CircleButtonRender.h"

// The round two-colour glass button lit from below: a bevel ring from Color1
// to Color2 darkened at the top, inside it a disc turning from Color1 into
// Color2 with a white glow rising from the bottom middle, and the circle
// gloss. Shape command 32772.
class CCircleButton01Render : public CCircleButtonRender
{
public:
    void DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                   const QRectF& shadowRect) const override;
    bool IsSquareShape() const override;
};

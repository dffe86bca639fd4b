#pragma once

#include "render/CircleButtonRender.h"

// The round single-colour glass button: a disc shaded from Color1 at the top
// to white at the bottom, darkened toward its rim, with a faint outline and
// the circle gloss. Shape command 32771, the default.
class CCircleButton00Render : public CCircleButtonRender
{
public:
    void DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                   const QRectF& shadowRect) const override;
    bool IsSquareShape() const override;
    bool UsesSecondColor() const override;
};

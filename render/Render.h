#pragma once

class CNacreformDoc;

// Abstract base of every button renderer: turns a design into a bitmap.
// Renderers carry no data; an instance is nothing but its class.
class CRender
{
public:
    virtual ~CRender();

    // The shape is always width x width; the stored height is ignored.
    virtual bool IsSquareShape() const;
    // The shape is painted with Color2 as well as Color1.
    virtual bool UsesSecondColor() const;
    // How far the shape shadow grows on every side, as a share of the height.
    virtual float GetShadowSpread() const;
};

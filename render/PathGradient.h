#pragma once

#include "render/Argb.h"
#include "render/Blend.h"

#include <QRectF>

class QPainter;
class QPainterPath;

// A gradient from a closed outline to the centre of the outline's box:
// position 0 on the outline, 1 at the centre, and in between the position
// of the copy of the outline, scaled toward the centre, that passes through
// the point. So an ellipse gives an elliptical radial gradient and a
// rectangle one whose lines of equal colour are smaller rectangles. The
// colour is surround + f(p) x (centre - surround) in each ARGB channel (not
// premultiplied), f from the blend (factor 0 = surround, 1 = centre).
// Ellipses use Qt's radial gradient, scaled; Qt has no such brush for
// rectangles and capsules, whose gradients are computed per pixel
// (GaugeFill.h). A capsule narrower than high has an outline that crosses
// itself; a point's position then comes from the farthest crossing on the
// ray from the centre through it.
class CPathGradient
{
public:
    enum class EOutline {
        Ellipse,   // the ellipse inscribed in the box
        Rectangle, // the box itself
        Capsule,   // the box with half circles as high as the box at both ends
                   // (left end from 90 degrees, right end from 270, joined)
    };

    CPathGradient(EOutline outline, const QRectF& box);

    void SetCenterColor(ARGB color) { m_center = color; }
    void SetSurroundColor(ARGB color) { m_surround = color; }
    void SetBlend(const CBlend& blend) { m_blend = blend; }

    EOutline Outline() const { return m_outline; }
    const QRectF& Box() const { return m_box; }
    ARGB CenterColor() const { return m_center; }
    ARGB SurroundColor() const { return m_surround; }
    const CBlend& Blend() const { return m_blend; }

    // Fills region, in drawing coordinates of a canvas painter
    // (CanvasGraphics.h). The outline's colour goes on a pixel beyond the
    // outline, so that the region's anti-aliased edge covers edge pixels as
    // a solid fill of the same path would; points farther out are not
    // painted. A box without area paints nothing.
    void Fill(QPainter& graphics, const QPainterPath& region) const;

private:
    EOutline m_outline;
    QRectF m_box;
    ARGB m_center = 0;
    ARGB m_surround = 0;
    CBlend m_blend;
};

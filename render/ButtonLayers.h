#pragma once

#include "render/Argb.h"
#include "render/Blend.h"
#include "render/CaptionLine.h"
#include "render/GraphicsPath.h"
#include "render/PathGradient.h"
#include "render/Picture.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

#include <variant>

// What a renderer paints, as a list of layers in drawing order, each laid
// over the ones before (source over). The renderers describe a design once;
// painters (the raster canvas, the vector writer) draw the description and
// know nothing of the shapes. Coordinates are drawing coordinates of a
// canvas (CanvasGraphics.h): the centre of the 1x pixel (i, j) is the point
// (i, j).

// A vertical linear gradient over box, as CreateVerticalGradientBrush.
struct SVerticalGradient
{
    QRectF box;
    ARGB top = 0;
    ARGB bottom = 0;
    CBlend blend;
};

// A line of width along the region's outline, in one colour.
struct SOutlineStroke
{
    ARGB color = 0;
    float width = 0;
};

// region filled (even-odd) with a gradient, or stroked.
struct SShapeLayer
{
    CGraphicsPath region;
    std::variant<SVerticalGradient, CPathGradient, SOutlineStroke> paint;
};

// picture drawn into target, each pixel's alpha multiplied by opacity / 255
// and clamped to 0 ... 255: a raster picture scaled smoothly, a vector one
// drawn anew at the resolution it is drawn at.
struct SPictureLayer
{
    CPicture picture;
    QRectF target;
    int opacity = 255;

    // What a painter draws of pixels (a raster picture's, or a vector
    // picture drawn at a resolution), and at what opacity (0 ... 1): an
    // opacity above 255 (only a hand-edited design has one) makes partly
    // transparent pixels more opaque, which a painter's opacity cannot, so
    // it is folded into the pixels' alpha.
    QImage DrawnPicture(const QImage& pixels) const;
    float DrawnOpacity() const;
};

// text in font and one colour, its line box centred on point, filled from
// the glyphs' outlines (CaptionMask.h).
struct SCaptionLayer
{
    SCaptionFont font;
    QString text;
    QPointF point;
    ARGB color = 0;
};

using SButtonLayer = std::variant<SShapeLayer, SPictureLayer, SCaptionLayer>;

// The layers of one render. Layers that would paint nothing (a gradient box
// or a picture without area, an empty or fully transparent caption) are
// left out as they are added, so every layer a painter gets shows.
class CButtonLayers
{
public:
    // toDevice maps drawing coordinates to the pixels the layers are meant
    // for; shapes may align edges to those pixels' columns. It may scale
    // and move, not rotate.
    explicit CButtonLayers(const QTransform& toDevice);

    void FillVerticalGradient(const CGraphicsPath& region, const QRectF& box, ARGB top, ARGB bottom,
                              const CBlend& blend);
    void FillPathGradient(const CGraphicsPath& region, const CPathGradient& gradient);
    void StrokeOutline(const CGraphicsPath& region, ARGB color, float width);
    // The picture height pixels high, its aspect ratio kept, centred on
    // centre; nothing for a null picture or a height or centre that is not
    // finite (or a height not positive).
    void DrawPicture(const CPicture& picture, QPointF centre, int opacity, float height);
    void DrawCaption(const SCaptionFont& font, const QString& text, QPointF point, ARGB color);

    // The drawing x of the edge between device pixel columns nearest to x.
    double NearestColumnEdge(double x) const;

    const QList<SButtonLayer>& Layers() const { return m_layers; }

private:
    QTransform m_toDevice;
    QList<SButtonLayer> m_layers;
};

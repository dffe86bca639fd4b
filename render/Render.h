#pragma once

#include "design/NacreformDoc.h"
#include "render/Argb.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

class CButtonLayers;

// Where the parts of a design lie on its canvas. The canvas size is kept
// unrounded; the bitmap takes it truncated toward zero.
struct SCanvasLayout
{
    float width = 0;
    float height = 0;
    QRectF shapeRect;  // one pixel narrower and lower than the shape's box
    QRectF shadowRect; // likewise for the shadow's box
};

// Abstract base of every button renderer: turns a design into a bitmap.
// Renderers carry no data; an instance is nothing but its class, so one may
// be replaced between any two renders. Virtual operations in slot order.
class CRender
{
public:
    // A canvas side beyond this, or one that is not a finite number, is a
    // bitmap that cannot be allocated: Render returns null without trying.
    static constexpr int kMaxCanvasSide = 16384;
    // Likewise a canvas of more pixels than this (128 MiB at four bytes a
    // pixel; the view keeps a composition of the same size besides). The
    // largest design the panel can make has about half as many.
    static constexpr qint64 kMaxCanvasPixels = qint64(8192) * 4096;
    // Side of the empty bitmap returned for a canvas without area.
    static constexpr int kEmptyCanvasSide = 200;
    // Text sizes are in points; the canvas claims 96 dpi so that a point is
    // 4/3 pixel whatever screen (or none) the process has.
    static constexpr int kDotsPerMeterAt96Dpi = 3780;

    virtual ~CRender();

    // Adds the layers of the shape shadow (when the design enables it) in
    // shadowRect, the shape in shapeRect and the caption and picture. Called
    // once per render by Layers only.
    virtual void DrawShape(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& shapeRect,
                           const QRectF& shadowRect) const;

    // A new bitmap of the design in QImage::Format_ARGB32 (not premultiplied),
    // transparent wherever nothing is drawn; a transparent 200 x 200 bitmap
    // for a canvas without area; null when the bitmap cannot be allocated.
    // May refresh the document's picture cache and show the picture-loading
    // message through the document's message sink.
    virtual QImage Render(CNacreformDoc& doc) const final;

    // The design drawn with layout's geometry through a painter scaled by
    // scale, on a bitmap of the layout's truncated size times scale, rounded
    // (so a 2x bitmap is exactly twice the 1x one). Render is this at scale 1
    // with the design's own layout; otherwise as Render, also in its limits,
    // which apply to the scaled bitmap.
    QImage RenderLayout(CNacreformDoc& doc, const SCanvasLayout& layout, double scale) const;

    // The layers a render of the design with layout's geometry paints, for a
    // canvas of scale device pixels a pixel (vector output takes scale 1).
    // May refresh the picture cache as Render does.
    CButtonLayers Layers(CNacreformDoc& doc, const SCanvasLayout& layout, double scale) const;

    // The shape is always width x width; the stored height is ignored.
    virtual bool IsSquareShape() const;
    // The shape is painted with Color2 as well as Color1.
    virtual bool UsesSecondColor() const;
    // The shadow's box for the shape box rect: rect itself without a shadow,
    // else grown by GetShadowSpread() x height on every side and offset by
    // ShapeShadowPos percent of the shape's width and height.
    virtual QRectF GetShadowRect(const CNacreformDoc& doc, const QRectF& rect) const final;
    // How far the shape shadow grows on every side, as a share of the height.
    virtual float GetShadowSpread() const;

    // The canvas and rectangles Render uses for the design.
    SCanvasLayout GetCanvasLayout(const CNacreformDoc& doc) const;
};

// The centre of the rectangle (x, y, w, h).
QPointF RectCenter(const QRectF& rect);

// COLORREF 0x00BBGGRR as opaque ARGB.
ARGB ColorRefToArgb(COLORREF color);

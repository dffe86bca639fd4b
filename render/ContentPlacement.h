#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class CNacreformDoc;

// Where a design's caption and picture lie on its canvas at scale 1: what
// the checks before an export look at (is anything cut off by the canvas,
// can the caption be read) and what fitting a shape to its caption measures.
struct SContentPlacement
{
    QSizeF canvas;          // the bitmap's size, as Render makes it
    QRectF content;         // the rectangle caption and picture are placed in
    QRectF caption;         // the caption's inked extent; empty without one
    QPointF captionPoint;   // the point the caption is centred on
    float captionEmPixels = 0;
    QRectF picture;         // the cached picture's rectangle; empty without one
};

// The placement for the design as it stands, with the picture as cached
// (a render refreshes the cache). A design without a renderer, or one whose
// canvas cannot be drawn, places nothing.
SContentPlacement PlaceContent(const CNacreformDoc& doc);

// How many pixels of caption and picture lie beyond the canvas, at the side
// where most do (rounded up); 0 where nothing is cut off.
struct SContentCuts
{
    int caption = 0;
    int picture = 0;

    bool Any() const { return caption > 0 || picture > 0; }
};

// How far rect reaches beyond the canvas (0, 0, canvas), rounded up.
int PixelsBeyond(const QRectF& rect, const QSizeF& canvas);

SContentCuts FindContentCuts(const CNacreformDoc& doc);

// The cuts as the command line words them: "the caption is cut off by 9
// pixels at the canvas' edge; ..."; empty when nothing is cut.
QString DescribeContentCuts(const SContentCuts& cuts);

#pragma once

class QPainter;
class QPointF;
class QRect;
class QRectF;
class QTransform;

// Drawing coordinates of every canvas put the centre of pixel (i, j) on the
// point (i, j): the pixel covers i - 0.5 to i + 0.5, so a box from 0 to W - 1
// half covers its first and last columns alike. QPainter's device pixels have
// their centres at i + 0.5; a canvas painter is therefore translated by half
// a pixel, and whatever is drawn through it (paths, brushes, pictures,
// captions) follows. Code that works on device pixels itself (the per-pixel
// gradients, the caption masks) maps through the helpers below, which expect
// a painter that only translates and scales.

// Text sizes are in points; every canvas claims 96 dpi so that a point is
// 4/3 pixel whatever screen (or none) the process has.
constexpr int kCanvasDotsPerMeter = 3780;

// Anti-aliased, with the pixel centres above. For a fresh painter on a
// canvas; at a scale other than 1 the drawing coordinates stay those of the
// 1x canvas and each of its pixels is scale x scale device pixels, so that a
// render at twice the scale, averaged in blocks of 2 x 2, gives the 1x one.
void PrepareCanvasGraphics(QPainter& graphics, double scale = 1);

// The transform such a painter has on a canvas of its own: drawing
// coordinates to device pixels.
QTransform CanvasTransform(double scale);

// The drawing point at the centre of the device pixel (column, row).
QPointF PixelCentre(const QPainter& graphics, int column, int row);

// The device pixels that anything drawn inside rect can touch, cut to the
// device; empty when none.
QRect DevicePixels(const QPainter& graphics, const QRectF& rect);

// The drawing rectangle whose edges are those of the device pixels.
QRectF DrawingRect(const QPainter& graphics, const QRect& pixels);

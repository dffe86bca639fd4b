#pragma once

#include "render/Argb.h"

#include <QPointF>

class QFont;
class QPaintDevice;
class QPainter;
class QPainterPath;
class QString;

// Draws text in one colour, its line box centred on point in both
// directions, as QPainter::drawText would. The glyphs are filled from their
// outlines, laid down as fine chords, so that the text lands exactly where
// point says and its curved edges are covered by their area (Qt's glyph
// cache puts glyphs on a coarser grid of positions). That is slow for large
// text, so the coverage is rasterised once per font, text, sub-pixel
// position, scale and visible area into a mask that the next calls (the
// shadow pass, the next renders) only tint and blend. The few most recent
// masks are kept, per thread.
void DrawCaptionText(QPainter& graphics, const QFont& font, const QString& text, QPointF point, ARGB color);

// The glyph outlines DrawCaptionText fills, unflattened: text in font as laid
// out on device (whose resolution turns points into pixels), its line box
// centred on centre, in the device's pixels.
QPainterPath CaptionOutline(const QPaintDevice& device, const QFont& font, const QString& text, QPointF centre);

#pragma once

#include "render/Argb.h"

#include <QPointF>

struct SCaptionFont;
class QPainter;
class QPainterPath;
class QString;

// Draws text in one colour, its line box centred on point in both
// directions, as QPainter::drawText would. The glyphs are filled from their
// outlines (CCaptionLine), laid down as fine chords, so that the text lands
// exactly where point says and its curved edges are covered by their area.
// That is slow for large text, so the coverage is rasterised once per font, text, sub-pixel
// position, scale and visible area into a mask that the next calls (the
// shadow pass, the next renders) only tint and blend. The few most recent
// masks are kept, per thread.
void DrawCaptionText(QPainter& graphics, const SCaptionFont& font, const QString& text, QPointF point, ARGB color);

// The outline DrawCaptionText fills for text at point, in pixels of a
// canvas at scale 1: the caption's inked extent is its bounding rectangle.
// Empty when the family has no usable face.
QPainterPath CaptionOutline(const SCaptionFont& font, const QString& text, QPointF point);

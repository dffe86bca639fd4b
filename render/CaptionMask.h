#pragma once

#include "render/Argb.h"

#include <QPointF>

class QFont;
class QPainter;
class QString;

// Draws text in one colour, its line box centred on point in both
// directions, as QPainter::drawText would. Glyphs above Qt's glyph-cache size
// are rasterised from their outlines on every call, which dominates a large
// button's render; so the text's coverage is rasterised once per font, text,
// sub-pixel position and visible area into a mask that the next calls (the
// shadow pass, the next renders) only tint and blend. The few most recent
// masks are kept, per thread.
void DrawCaptionText(QPainter& graphics, const QFont& font, const QString& text, QPointF point, ARGB color);

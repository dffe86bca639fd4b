#pragma once

#include "render/Argb.h"
#include "render/CaptionLine.h"

#include <QPointF>
#include <QRectF>

#include <optional>

class CButtonLayers;
class CNacreformDoc;

// The caption of a design and its shadow, sized and placed relative to a
// content rectangle: em size FontSize percent of its height in points (at the
// canvas' 96 dpi a point is 4/3 pixel), centred in both directions on the
// rectangle's centre moved by TextPos percent of its width and height. The
// shadow is the same text again, moved further by TextShadowPos.
class CTextLayer
{
public:
    // Builds the font: FontName when an installed family has that name
    // (letter case aside), else the generic sans-serif family.
    CTextLayer(const CNacreformDoc& doc, const QRectF& content);

    // False when no font could be made (no family, or an em size that is
    // not a positive finite number up to kMaxEmPoints): nothing is drawn.
    bool HasFont() const { return m_font.has_value(); }

    // Each adds nothing for an empty caption or without a font. The shadow
    // is added whether or not the design enables it; the caller decides.
    void DrawShadow(CButtonLayers& layers) const;
    void DrawCaption(CButtonLayers& layers) const;

    // Where the caption's ink lies on a canvas at scale 1 (its outline's
    // bounds); empty for an empty caption or without a font.
    QRectF CaptionInk() const;
    // The point the caption is centred on.
    QPointF CaptionPoint() const { return m_point; }
    // The em size in pixels of a canvas at scale 1; 0 without a font.
    float EmPixels() const;

    // Larger em sizes are refused like a family that cannot be made.
    static constexpr float kMaxEmPoints = 100000.0f;

    // The family used when the design's family is not installed; empty when
    // there is none.
    static QString GenericSansSerifFamily();

private:
    void DrawAt(CButtonLayers& layers, QPointF point, ARGB color) const;

    const CNacreformDoc& m_doc;
    QRectF m_content;
    QPointF m_point;
    std::optional<SCaptionFont> m_font;
};

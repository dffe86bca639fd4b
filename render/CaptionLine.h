#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QString>

#include <memory>

// What a caption is set in: a family (an installed one, or the generic
// sans-serif one) at an em size in points, regular or bold.
struct SCaptionFont
{
    QString family;
    float emPoints = 0;
    bool bold = false;
    bool operator==(const SCaptionFont& other) const = default;
};

// Text set on one line in a font at 96 dpi, glyph by glyph from the font
// files through FreeType and HarfBuzz, with the metrics, kerning, fallback
// fonts and outlines of Qt's own text layout for an unhinted font (pixel
// sizes rounded to whole pixels, positions in 1/64 pixel), so that a caption
// looks the same whether or not the process has a GUI application object.
// Characters the family lacks come from the font configuration's fallbacks
// for their script; those no font has show the family's missing-glyph box.
class CCaptionLine
{
public:
    CCaptionLine(const SCaptionFont& font, const QString& text);
    ~CCaptionLine();
    CCaptionLine(const CCaptionLine&) = delete;
    CCaptionLine& operator=(const CCaptionLine&) = delete;

    // False when the family has no usable face: nothing to draw.
    bool IsValid() const;
    // The advance of the whole line, in pixels.
    double Width() const;
    // The line box: the largest ascent and descent of the fonts used.
    double Height() const;
    // The family's own ascent, from the top of a line box to its baseline.
    double Ascent() const;
    // The glyph outlines with the baseline starting at origin.
    QPainterPath Outline(QPointF origin) const;

private:
    struct SData;
    std::unique_ptr<SData> m_data;
};

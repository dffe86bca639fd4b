#pragma once

#include <QString>

#include <optional>

class CNacreformDoc;

// Room left between the caption's ink and the shape's outline, in pixels.
struct SFitPadding
{
    float x = 0; // left and right (around the ink's corners for a circle)
    float y = 0; // above and below
};

// A fit asked for, with its padding or (none) the default one.
struct SFitRequest
{
    std::optional<SFitPadding> padding;
};

// "PADX[,PADY]" in pixels (PADY is PADX when left out), as the command
// line and the server take it; nothing, with why, for anything else.
std::optional<SFitPadding> ParseFitPadding(const QString& text, QString* why);

// The padding when none is given, from the caption's em height: 0.9 em
// across and 0.35 em up and down, a quarter em around a circle's caption.
SFitPadding DefaultFitPadding(const CNacreformDoc& doc);

// Sizes the shape to its caption: ShapeSize from the caption's inked extent
// plus padding, the width for a rectangle or capsule (the height grows only
// when the caption with its padding is taller), the diameter for a circle.
// The caption keeps its size in pixels: where the height changes, FontSize
// changes with it (the font is a share of the height). Nothing changes, and
// false comes back with why, for an empty caption, one without a font, or
// one placed half its shape or more off centre, which no size can fit.
bool FitShapeToCaption(CNacreformDoc& doc, std::optional<SFitPadding> padding, QString* why = nullptr);

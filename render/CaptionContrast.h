#pragma once

#include <QRgb>

#include <optional>

class CNacreformDoc;

// How well the caption stands out from what lies behind it, as the Web
// Content Accessibility Guidelines (WCAG 2) measure it.
struct SCaptionContrast
{
    // The least ratio for normal text and for large text (24 pixels and up).
    static constexpr double kNormalTextRatio = 4.5;
    static constexpr double kLargeTextRatio = 3.0;
    static constexpr float kLargeTextPixels = 24.0f;

    double ratio = 1;   // from 1 (none) to 21 (black on white)
    bool large = false; // the caption's em is kLargeTextPixels or more

    double Required() const { return large ? kLargeTextRatio : kNormalTextRatio; }
    bool IsSufficient() const { return ratio >= Required(); }
};

// The WCAG 2 contrast ratio of two opaque colours (their alpha is ignored).
double ContrastRatio(QRgb first, QRgb second);

// The caption's colour (at its opacity) against the design as drawn without
// the caption, at the pixel under the caption's centre, over the background
// (white for a transparent one, as most pages are). Nothing for an empty
// caption or one whose centre lies off the canvas. Renders that one pixel
// only, so it is cheap enough to follow every edit.
std::optional<SCaptionContrast> MeasureCaptionContrast(const CNacreformDoc& doc);

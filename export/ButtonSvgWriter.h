#pragma once

#include "export/ButtonStates.h"
#include "render/Argb.h"

#include <QByteArray>
#include <QSize>

#include <optional>

class CButtonLayers;

// Writes a button's layers as one SVG document whose picture is the raster
// render's at every scale: the viewBox is the 1x canvas (width and height in
// pixels), drawing coordinates become SVG coordinates moved by half a pixel,
// curves stay curves, every gradient is an SVG gradient (the ones Qt has no
// brush for as a few exact pieces), captions are outlines, never text, and
// pictures are PNG data at their full resolution (SVG pictures their own SVG). Self-contained: no fonts,
// no external references; numbers have at most three decimals.
class CButtonSvgWriter
{
public:
    explicit CButtonSvgWriter(QSize canvas);

    // An opaque backdrop of color under everything; none by default.
    void SetBackground(ARGB color) { m_background = color; }
    // A colour matrix applied to the layers as a whole (not to the
    // backdrop), as an image rule is applied to the rendered bitmap.
    void SetColorMatrix(const SColorMatrix& matrix) { m_matrix = matrix; }

    QByteArray Write(const CButtonLayers& layers) const;

private:
    QSize m_canvas;
    std::optional<ARGB> m_background;
    std::optional<SColorMatrix> m_matrix;
};

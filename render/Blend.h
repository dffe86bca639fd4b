#pragma once

#include "render/Argb.h"

#include <QGradientStops>
#include <QList>

// How a gradient moves from its first colour (factor 0) to its second
// (factor 1): piecewise linear through (position, factor) pairs, positions
// running from 0 to 1. An empty blend is the straight line f(p) = p.
class CBlend
{
public:
    CBlend() = default;
    CBlend(QList<float> factors, QList<float> positions);

    bool IsEmpty() const { return m_factors.isEmpty(); }

    // f(p) for p in [0, 1]; positions outside are clamped.
    float Factor(float p) const;

    // The colour at factor f, each of alpha, red, green and blue interpolated
    // on its own (not premultiplied).
    static QColor Interpolate(ARGB first, ARGB second, float f);
    // The same rounded to 8 bits a channel, cheaply.
    static ARGB InterpolateArgb(ARGB first, ARGB second, float f);

    // The blend as gradient stops from first to second; exact, since the
    // colour is linear in the factor between two blend points.
    QGradientStops Stops(ARGB first, ARGB second) const;

private:
    QList<float> m_factors;
    QList<float> m_positions;
};

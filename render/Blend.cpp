#include "render/Blend.h"

#include <QColor>
#include <QRgba64>

#include <algorithm>
#include <cmath>

CBlend::CBlend(QList<float> factors, QList<float> positions)
    : m_factors(std::move(factors)), m_positions(std::move(positions))
{
    const qsizetype n = std::min(m_factors.size(), m_positions.size());
    m_factors.resize(n);
    m_positions.resize(n);
}

float CBlend::Factor(float p) const
{
    if (IsEmpty())
        return std::clamp(p, 0.0f, 1.0f);
    if (p <= m_positions.front())
        return m_factors.front();
    for (qsizetype i = 1; i < m_positions.size(); ++i) {
        if (p <= m_positions[i]) {
            const float span = m_positions[i] - m_positions[i - 1];
            if (span <= 0)
                return m_factors[i];
            const float t = (p - m_positions[i - 1]) / span;
            return m_factors[i - 1] + t * (m_factors[i] - m_factors[i - 1]);
        }
    }
    return m_factors.back();
}

QColor CBlend::Interpolate(ARGB first, ARGB second, float f)
{
    // 16 bits a channel, so that stops carry the factor with no 8-bit rounding.
    const auto channel = [f](int a, int b) {
        const float v = float(a) + f * float(b - a);
        return quint16(std::lround(std::clamp(v, 0.0f, 255.0f) * 257.0f));
    };
    return QColor(QRgba64::fromRgba64(channel(ArgbRed(first), ArgbRed(second)),
                                      channel(ArgbGreen(first), ArgbGreen(second)),
                                      channel(ArgbBlue(first), ArgbBlue(second)),
                                      channel(ArgbAlpha(first), ArgbAlpha(second))));
}

ARGB CBlend::InterpolateArgb(ARGB first, ARGB second, float f)
{
    const auto channel = [f](int a, int b) {
        return ARGB(std::clamp(float(a) + f * float(b - a), 0.0f, 255.0f) + 0.5f);
    };
    return (channel(ArgbAlpha(first), ArgbAlpha(second)) << 24)
           | (channel(ArgbRed(first), ArgbRed(second)) << 16)
           | (channel(ArgbGreen(first), ArgbGreen(second)) << 8) | channel(ArgbBlue(first), ArgbBlue(second));
}

QGradientStops CBlend::Stops(ARGB first, ARGB second) const
{
    if (IsEmpty())
        return {{0.0, Interpolate(first, second, 0)}, {1.0, Interpolate(first, second, 1)}};
    QGradientStops stops;
    stops.reserve(m_factors.size());
    for (qsizetype i = 0; i < m_factors.size(); ++i)
        stops.append({std::clamp(double(m_positions[i]), 0.0, 1.0),
                      Interpolate(first, second, m_factors[i])});
    return stops;
}

#include "render/PathGradient.h"

#include "render/GaugeFill.h"

namespace {

// Each gauge gives the scale of the outline copy through a point (below 1
// inside, 1 on the outline) for an outline of half sizes a and b around
// (cx, cy), and the columns the outline spans at a height.
struct SEllipseGauge
{
    float cx, cy, a, b;
    float operator()(float x, float y) const
    {
        const float dx = x - cx, dy = y - cy;
        return std::sqrt((dx * dx) / (a * a) + (dy * dy) / (b * b));
    }
    std::pair<float, float> Columns(float y) const
    {
        const float dy = y - cy;
        const float half = a * std::sqrt(std::max(0.0f, 1 - (dy * dy) / (b * b)));
        return {cx - half, cx + half};
    }
};

struct SRectangleGauge
{
    float cx, cy, a, b;
    float operator()(float x, float y) const
    {
        return std::max(std::fabs(x - cx) / a, std::fabs(y - cy) / b);
    }
    std::pair<float, float> Columns(float) const { return {cx - a, cx + a}; }
};

// Half circles of radius b at both ends of a straight part 2c long. The
// copy scaled by s has straight edges at |dy| = s b for |dx| <= s c and arcs
// (|dx| - s c)^2 + dy^2 = (s b)^2 beyond; the arc case is solved in the form
// that stays stable when c approaches b.
struct SCapsuleGauge
{
    float cx, cy, b, c;
    float operator()(float x, float y) const
    {
        const float dx = std::fabs(x - cx), dy = std::fabs(y - cy);
        const float straight = dy / b;
        const float root = std::sqrt(b * b * dx * dx + (b * b - c * c) * dy * dy);
        const float round = (dx * dx + dy * dy) / (c * dx + root);
        return dx * b <= dy * c ? straight : round;
    }
    std::pair<float, float> Columns(float y) const
    {
        const float dy = y - cy;
        const float half = c + std::sqrt(std::max(0.0f, b * b - dy * dy));
        return {cx - half, cx + half};
    }
};

} // namespace

CPathGradient::CPathGradient(EOutline outline, const QRectF& box) : m_outline(outline), m_box(box)
{
}

void CPathGradient::Fill(QPainter& graphics, const QPainterPath& region) const
{
    if (!(m_box.width() > 0 && m_box.height() > 0))
        return;
    const float cx = float(m_box.center().x()), cy = float(m_box.center().y());
    const float a = float(m_box.width()) * 0.5f, b = float(m_box.height()) * 0.5f;
    if (m_outline == EOutline::Rectangle)
        FillGaugeGradient(graphics, region, m_box, m_surround, m_center, m_blend, SRectangleGauge{cx, cy, a, b});
    else if (m_outline == EOutline::Capsule && a > b)
        FillGaugeGradient(graphics, region, m_box, m_surround, m_center, m_blend, SCapsuleGauge{cx, cy, b, a - b});
    else // a capsule without a straight part is taken as an ellipse
        FillGaugeGradient(graphics, region, m_box, m_surround, m_center, m_blend, SEllipseGauge{cx, cy, a, b});
}

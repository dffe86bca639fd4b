#include "render/PathGradient.h"

#include "render/GaugeFill.h"

#include <QRadialGradient>

namespace {

// Each gauge gives the scale of the outline copy through a point (below 1
// inside, 1 on the outline) for an outline of half sizes a and b around
// (cx, cy), and the columns the outline spans at a height.
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
        const float straight = dy * (1 / b);
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

// An ellipse's gradient as Qt's radial gradient, scaled to the ellipse; the
// fastest way Qt has. The gradient reaches a little beyond the outline to
// turn transparent there, so that points outside are not painted.
void FillEllipseGradient(QPainter& graphics, const QPainterPath& region, const QRectF& box, ARGB surround,
                         ARGB center, const CBlend& blend)
{
    constexpr double kOutline = 1.0 - 2.0 / 1024; // of the radius: past it, transparent
    constexpr double kFadeOut = 1.0 / 1024;
    const QPointF c = box.center();
    const double a = box.width() / 2, b = box.height() / 2;
    QRadialGradient gradient(c, a / kOutline);
    gradient.setInterpolationMode(QGradient::ComponentInterpolation);
    gradient.setSpread(QGradient::PadSpread);
    QGradientStops stops;
    for (const QGradientStop& stop : blend.Stops(surround, center))
        stops.append({(1 - stop.first) * kOutline, stop.second});
    stops.append({kOutline + kFadeOut, QColor(Qt::transparent)});
    std::sort(stops.begin(), stops.end(),
              [](const QGradientStop& l, const QGradientStop& r) { return l.first < r.first; });
    gradient.setStops(stops);
    QBrush brush(gradient);
    brush.setTransform(QTransform::fromTranslate(c.x(), c.y()).scale(1, b / a).translate(-c.x(), -c.y()));

    // Where the gradient is transparent from the outline inward (a glow that
    // starts half-way in), only the box of the inner, painted ellipse needs
    // blending.
    constexpr int kSteps = 1024;
    int transparentSteps = 0;
    while (transparentSteps < kSteps
           && ArgbAlpha(CBlend::InterpolateArgb(surround, center, blend.Factor(float(transparentSteps) / kSteps)))
                  == 0)
        ++transparentSteps;
    const double scale = 1 - double(std::max(0, transparentSteps - 2)) / kSteps;
    // Cut to a reach no canvas comes near, so that the whole pixels of the
    // box fit an int even for a shape many times larger than its canvas.
    constexpr double kReach = 1e9;
    const QRectF reach(-kReach, -kReach, 2 * kReach, 2 * kReach);
    const QRect painted = QRectF(c.x() - a * scale, c.y() - b * scale, 2 * a * scale, 2 * b * scale)
                              .intersected(reach)
                              .toAlignedRect()
                              .adjusted(-1, -1, 1, 1);
    graphics.save();
    graphics.setClipRect(painted, Qt::IntersectClip);
    graphics.fillPath(region, brush);
    graphics.restore();
}

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
        FillEllipseGradient(graphics, region, m_box, m_surround, m_center, m_blend);
}

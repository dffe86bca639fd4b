#include "render/PathGradient.h"

#include "render/GaugeFill.h"

#include <QRadialGradient>

namespace {

// How far beyond the outline its colour goes on, in pixels: enough for every
// pixel the outline touches (its centre lies at most half a diagonal away).
constexpr float kFringe = 1.0f;

// Each gauge gives the scale of the outline copy through a point: below 1
// inside, 1 on the outline. Centre (cx, cy); the rectangle's half sizes are
// given as their reciprocals, which multiply faster than they divide.
struct SRectangleGauge
{
    float cx, cy, perA, perB;
    float operator()(float x, float y) const
    {
        return std::max(std::fabs(x - cx) * perA, std::fabs(y - cy) * perB);
    }
};

// Half circles of radius b whose centres lie c to either side of the centre:
// the left end's centre on the left when c > 0. The copy scaled by s has
// straight edges at |dy| = s b for |dx| <= s |c| and arcs
// (|dx| - s c)^2 + dy^2 = (s b)^2 beyond; the arc case is solved in the form
// that stays stable when c approaches b.
//
// With c < 0 (narrower than high) the ends swap sides and the outline
// crosses itself: the left end's half circle lies right of the right end's,
// joined by straight edges that run backwards. A point's scale is then taken
// from the farthest crossing of the outline on the ray from the centre
// through it: the straight edge where the ray meets one, else the half
// circle of the end on the ray's side.
struct SCapsuleGauge
{
    float cx, cy, b, c;
    float operator()(float x, float y) const
    {
        const float dx = std::fabs(x - cx), dy = std::fabs(y - cy);
        const float straight = dy * (1 / b);
        const float root = std::sqrt(b * b * dx * dx + (b * b - c * c) * dy * dy);
        const float round = (dx * dx + dy * dy) / (c * dx + root);
        return dx * b <= dy * std::fabs(c) ? straight : round;
    }
};

// An ellipse's gradient as Qt's radial gradient, scaled to the ellipse; the
// fastest way Qt has. The colour on the outline goes on to reach times the
// radius, transparent beyond.
void FillEllipseGradient(QPainter& graphics, const QPainterPath& region, const QRectF& box, ARGB surround,
                         ARGB center, const CBlend& blend, double reach)
{
    constexpr double kTableStep = 1.0 / 1024; // Qt's gradient colour table
    const QPointF c = box.center();
    const double a = box.width() / 2, b = box.height() / 2;
    QRadialGradient gradient(c, a * reach);
    gradient.setInterpolationMode(QGradient::ComponentInterpolation);
    gradient.setSpread(QGradient::PadSpread);
    QGradientStops stops;
    for (const QGradientStop& stop : blend.Stops(surround, center))
        stops.append({(1 - stop.first) / reach, stop.second});
    stops.append({1 - kTableStep, CBlend::Interpolate(surround, center, blend.Factor(0))});
    stops.append({1, QColor(Qt::transparent)});
    std::sort(stops.begin(), stops.end(),
              [](const QGradientStop& l, const QGradientStop& r) { return l.first < r.first; });
    gradient.setStops(stops);
    QBrush brush(gradient);
    brush.setTransform(QTransform::fromTranslate(c.x(), c.y()).scale(1, b / a).translate(-c.x(), -c.y()));

    // Where the gradient is transparent from the outline inward (a glow that
    // starts half-way in), only the pixels of the inner, painted ellipse
    // need blending.
    constexpr int kSteps = 1024;
    int transparentSteps = 0;
    while (transparentSteps < kSteps
           && ArgbAlpha(CBlend::InterpolateArgb(surround, center, blend.Factor(float(transparentSteps) / kSteps)))
                  == 0)
        ++transparentSteps;
    const double scale = transparentSteps == 0 ? reach : 1 - double(std::max(0, transparentSteps - 2)) / kSteps;
    const QRect painted =
        DevicePixels(graphics, QRectF(c.x() - a * scale, c.y() - b * scale, 2 * a * scale, 2 * b * scale));
    if (painted.isEmpty())
        return;
    graphics.save();
    graphics.setClipRect(DrawingRect(graphics, painted.adjusted(-1, -1, 1, 1)), Qt::IntersectClip);
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
    const float reach = 1 + kFringe / std::min(a, b);
    if (m_outline == EOutline::Rectangle)
        FillGaugeGradient(graphics, region, m_surround, m_center, m_blend, SRectangleGauge{cx, cy, 1 / a, 1 / b}, reach);
    else if (m_outline == EOutline::Capsule)
        FillGaugeGradient(graphics, region, m_surround, m_center, m_blend, SCapsuleGauge{cx, cy, b, a - b}, reach);
    else
        FillEllipseGradient(graphics, region, m_box, m_surround, m_center, m_blend, reach);
}

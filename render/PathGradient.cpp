#include "render/PathGradient.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <vector>

namespace {

// Colour steps between outline and centre; finer than any visible step.
constexpr int kTableSize = 1024;

// Scale of the outline copy through (dx, dy), for half sizes (a, b): below 1
// inside, 1 on the outline. Each takes 1/a and 1/b to spare divisions.
struct SEllipseGauge
{
    float ia, ib;
    float operator()(float dx, float dy) const
    {
        return std::sqrt(dx * ia * dx * ia + dy * ib * dy * ib);
    }
};

struct SRectangleGauge
{
    float ia, ib;
    float operator()(float dx, float dy) const
    {
        return std::max(std::fabs(dx) * ia, std::fabs(dy) * ib);
    }
};

// Half circles of radius b at both ends of a straight part 2c long. The
// copy scaled by s has straight edges at |dy| = s b for |dx| <= s c and arcs
// (|dx| - s c)^2 + dy^2 = (s b)^2 beyond; the arc case is solved in the form
// that stays stable when c approaches b.
struct SCapsuleGauge
{
    float b, c;
    float operator()(float dx, float dy) const
    {
        dx = std::fabs(dx);
        dy = std::fabs(dy);
        if (dx * b <= dy * c)
            return dy / b;
        const float root = std::sqrt(b * b * dx * dx + (b * b - c * c) * dy * dy);
        return (dx * dx + dy * dy) / (c * dx + root);
    }
};

} // namespace

CPathGradient::CPathGradient(EOutline outline, const QRectF& box) : m_outline(outline), m_box(box)
{
}

template <typename Use>
void CPathGradient::WithGauge(Use use) const
{
    const float a = float(m_box.width()) * 0.5f, b = float(m_box.height()) * 0.5f;
    if (m_outline == EOutline::Rectangle)
        use(SRectangleGauge{1 / a, 1 / b});
    else if (m_outline == EOutline::Capsule && a > b)
        use(SCapsuleGauge{b, a - b});
    else // a capsule without a straight part is taken as an ellipse
        use(SEllipseGauge{1 / a, 1 / b});
}

template <typename Gauge>
void CPathGradient::FillTexture(QImage& texture, QPointF origin, Gauge gauge) const
{
    std::array<QRgb, kTableSize> table;
    for (int i = 0; i < kTableSize; ++i) {
        const float p = float(i) / float(kTableSize - 1);
        table[i] = qPremultiply(CBlend::Interpolate(m_surround, m_center, m_blend.Factor(p)).rgba());
    }
    const QPointF center = m_box.center();
    const float x0 = float(origin.x() + 0.5 - center.x());
    const int width = texture.width();
    std::vector<float> positions(size_t(width), 0.0f);
    for (int y = 0; y < texture.height(); ++y) {
        const float dy = float(origin.y() + y + 0.5 - center.y());
        for (int x = 0; x < width; ++x)
            positions[size_t(x)] = 1 - gauge(x0 + float(x), dy);
        auto* line = reinterpret_cast<QRgb*>(texture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float p = positions[size_t(x)];
            line[x] = p < 0 ? 0 : table[size_t(p * float(kTableSize - 1) + 0.5f)];
        }
    }
}

void CPathGradient::Fill(QPainter& graphics, const QPainterPath& region) const
{
    if (!(m_box.width() > 0 && m_box.height() > 0) || graphics.device() == nullptr)
        return;
    const QRect device(0, 0, graphics.device()->width(), graphics.device()->height());
    const QRect pixels =
        region.boundingRect().intersected(m_box).toAlignedRect().intersected(device);
    if (pixels.isEmpty())
        return;
    QImage texture(pixels.size(), QImage::Format_ARGB32_Premultiplied);
    if (texture.isNull())
        return;

    WithGauge([&](auto gauge) { FillTexture(texture, pixels.topLeft(), gauge); });

    // The texture covers the outline's pixels only; a brush would tile it
    // beyond them.
    QBrush brush(texture);
    brush.setTransform(QTransform::fromTranslate(pixels.left(), pixels.top()));
    graphics.save();
    graphics.setClipRect(pixels, Qt::IntersectClip);
    graphics.fillPath(region, brush);
    graphics.restore();
}

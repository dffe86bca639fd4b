#include "render/PathGradient.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// Colour steps between outline and centre; finer than any visible step.
constexpr int kTableSize = 1024;

// Each gauge gives the scale of the outline copy through (dx, dy) (below 1
// inside, 1 on the outline), and how far the outline reaches to either side
// at height dy (the columns that can be inside), for half sizes a and b.
struct SEllipseGauge
{
    float a, b;
    float operator()(float dx, float dy) const
    {
        return std::sqrt((dx * dx) / (a * a) + (dy * dy) / (b * b));
    }
    float HalfWidth(float dy) const { return a * std::sqrt(std::max(0.0f, 1 - (dy * dy) / (b * b))); }
};

struct SRectangleGauge
{
    float a, b;
    float operator()(float dx, float dy) const
    {
        return std::max(std::fabs(dx) / a, std::fabs(dy) / b);
    }
    float HalfWidth(float dy) const { return std::fabs(dy) <= b ? a : 0; }
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
    float HalfWidth(float dy) const { return c + std::sqrt(std::max(0.0f, b * b - dy * dy)); }
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
        use(SRectangleGauge{a, b});
    else if (m_outline == EOutline::Capsule && a > b)
        use(SCapsuleGauge{b, a - b});
    else // a capsule without a straight part is taken as an ellipse
        use(SEllipseGauge{a, b});
}

template <typename Gauge>
void CPathGradient::FillTexture(QImage& texture, QPointF origin, Gauge gauge) const
{
    // Premultiplied colours: transparent for points outside the outline,
    // then from the outline (1) to the centre (kTableSize).
    std::array<QRgb, kTableSize + 1> table;
    table[0] = 0;
    for (int i = 0; i < kTableSize; ++i) {
        const float p = float(i) / float(kTableSize - 1);
        table[size_t(i) + 1] = qPremultiply(CBlend::Interpolate(m_surround, m_center, m_blend.Factor(p)).rgba());
    }

    const QPointF center = m_box.center();
    const float cx = float(center.x() - origin.x() - 0.5); // in texture columns
    const int width = texture.width();
    std::vector<int> indices(size_t(width), 0);
    for (int y = 0; y < texture.height(); ++y) {
        const float dy = float(origin.y() + y + 0.5 - center.y());
        const float half = gauge.HalfWidth(dy);
        const int first = std::clamp(int(std::floor(cx - half)), 0, width);
        const int last = std::clamp(int(std::ceil(cx + half)) + 1, first, width);
        // Kept free of branches so that the compiler vectorises it: a
        // position more than half a step outside the outline gives entry 0.
        int* index = indices.data();
        for (int x = first; x < last; ++x) {
            const float step = (1 - gauge(float(x) - cx, dy)) * float(kTableSize - 1) + 1.5f;
            index[x] = int(std::min(std::max(step, 0.0f), float(kTableSize)));
        }
        auto* line = reinterpret_cast<QRgb*>(texture.scanLine(y));
        std::fill(line, line + first, 0u);
        for (int x = first; x < last; ++x)
            line[x] = table[size_t(index[x])];
        std::fill(line + last, line + width, 0u);
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

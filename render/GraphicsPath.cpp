#include "render/GraphicsPath.h"

#include <QRectF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Largest distance between a curve and the chords that stand in for it, in
// pixels. Qt's own flattening allows a quarter pixel, always inward, which
// leaves curved edges up to about 15 alpha levels light; chords this short,
// their ends set out by half the distance, keep them within a level or two.
constexpr double kFlatness = 0.02;
// Enough for the largest ellipse a canvas can show.
constexpr int kMaxChords = 8192;

} // namespace

CGraphicsPath::CGraphicsPath()
{
    m_path.setFillRule(Qt::OddEvenFill);
}

void CGraphicsPath::AddEllipse(const QRectF& box)
{
    CloseFigure();
    AppendArc(box, 0, 360, false);
    m_path.closeSubpath();
    m_figureOpen = false;
    m_elements.append({SElement::EKind::Ellipse, box});
}

void CGraphicsPath::AddRectangle(const QRectF& box)
{
    CloseFigure();
    m_path.addRect(box);
    m_elements.append({SElement::EKind::Rectangle, box});
}

void CGraphicsPath::AddArc(const QRectF& box, float startAngle, float sweepAngle)
{
    AppendArc(box, startAngle, sweepAngle, true);
    m_elements.append({SElement::EKind::Arc, box, startAngle, sweepAngle});
}

void CGraphicsPath::AppendArc(const QRectF& box, float startAngle, float sweepAngle, bool exactEnds)
{
    const double cx = box.center().x(), cy = box.center().y();
    const double a = box.width() / 2, b = box.height() / 2;
    const double start = double(startAngle) * std::numbers::pi / 180;
    const double sweep = double(sweepAngle) * std::numbers::pi / 180;
    const double radius = std::max(std::fabs(a), std::fabs(b));
    // The angle whose chord stands off the curve by kFlatness.
    const double step = radius > kFlatness ? 2 * std::acos(1 - kFlatness / radius) : std::numbers::pi / 2;
    // A multiple of four, so that a whole ellipse is as symmetric as its box.
    const int chords = 4 * int(std::clamp(std::ceil(std::fabs(sweep) / step / 4), 1.0, double(kMaxChords / 4)));
    const double angle = sweep / chords;
    // The points lie out by half the chords' stand-off, so that the
    // polygon's area errs neither way; but the ends of an arc stay on the
    // curve, where lines join them.
    const double out = 1 + (1 - std::cos(angle / 2)) / 2;
    const double stepCos = std::cos(angle), stepSin = std::sin(angle);
    double c = std::cos(start), s = std::sin(start);
    const auto point = [&](int i) {
        const double scale = exactEnds && (i == 0 || i == chords) ? 1 : out;
        return QPointF(cx + scale * a * c, cy + scale * b * s);
    };

    m_path.reserve(m_path.elementCount() + chords + 1);
    if (m_figureOpen)
        m_path.lineTo(point(0));
    else
        m_path.moveTo(point(0));
    for (int i = 1; i <= chords; ++i) {
        // Turning by the step's rotation: no sine or cosine a point.
        const double turned = c * stepCos - s * stepSin;
        s = s * stepCos + c * stepSin;
        c = turned;
        m_path.lineTo(point(i));
    }
    m_figureOpen = true;
}

void CGraphicsPath::CloseFigure()
{
    if (m_figureOpen) {
        m_path.closeSubpath();
        m_elements.append({SElement::EKind::Close, {}});
    }
    m_figureOpen = false;
}

QPainterPath WithFineChords(const QPainterPath& path)
{
    QPainterPath chords;
    chords.setFillRule(path.fillRule());
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& element = path.elementAt(i);
        if (element.isMoveTo()) {
            chords.moveTo(element);
        } else if (element.isLineTo()) {
            chords.lineTo(element);
        } else if (element.isCurveTo() && i + 2 < path.elementCount()) {
            const QPointF p0 = chords.currentPosition(), p1 = element, p2 = path.elementAt(i + 1),
                          p3 = path.elementAt(i + 2);
            // A cubic's chords of parameter step 1 / n stand off it by at
            // most 3 / 4 of its largest second difference over n^2.
            const auto length = [](QPointF d) { return std::hypot(d.x(), d.y()); };
            const double bend = std::max(length(p0 - 2 * p1 + p2), length(p1 - 2 * p2 + p3));
            const int n = int(std::clamp(std::ceil(std::sqrt(0.75 * bend / kFlatness)), 1.0, double(kMaxChords)));
            for (int k = 1; k <= n; ++k) {
                const double t = double(k) / n, u = 1 - t;
                chords.lineTo(u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3);
            }
            i += 2;
        }
    }
    return chords;
}

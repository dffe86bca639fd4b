#include "render/CaptionFit.h"

#include "design/NacreformDoc.h"
#include "render/ContentPlacement.h"
#include "render/Render.h"

#include <QRectF>

#include <algorithm>
#include <cmath>

namespace {

// Captions placed this close to a side of their shape (in shares of the
// shape's size from its centre) cannot be fitted by any size.
constexpr float kLeastShareToSide = 0.05f;
// Shapes are fitted up to this size, as far as a canvas can be drawn.
constexpr float kLargestShape = float(CRender::kMaxCanvasSide);

// The least content size s for which the ink from lead to trail (relative to
// the caption's point, which sits at share pos of s off centre) leaves pad
// on both sides; nothing when no size does.
std::optional<float> LeastSpan(float lead, float trail, float pos, float pad)
{
    if (0.5f + pos < kLeastShareToSide || 0.5f - pos < kLeastShareToSide)
        return std::nullopt;
    return std::max((pad - lead) / (0.5f + pos), (pad + trail) / (0.5f - pos));
}

// Whether the padded ink (relative to the caption's point) lies within a
// circle of diameter d whose centre is pos times d away from the point.
bool FitsInCircle(const QRectF& ink, QPointF pos, const SFitPadding& pad, float d)
{
    const float cx = float(pos.x()) * d, cy = float(pos.y()) * d;
    for (const float x : {float(ink.left()) - pad.x, float(ink.right()) + pad.x}) {
        for (const float y : {float(ink.top()) - pad.y, float(ink.bottom()) + pad.y}) {
            if (std::hypot(cx + x, cy + y) > d * 0.5f)
                return false;
        }
    }
    return true;
}

// The least circle content diameter that holds the padded ink, found by
// halving the interval (the condition holds from some diameter on).
std::optional<float> LeastDiameter(const QRectF& ink, QPointF pos, const SFitPadding& pad)
{
    if (!FitsInCircle(ink, pos, pad, kLargestShape))
        return std::nullopt;
    float low = 0, high = kLargestShape;
    constexpr int kSteps = 40;
    for (int i = 0; i < kSteps; ++i) {
        const float middle = (low + high) * 0.5f;
        (FitsInCircle(ink, pos, pad, middle) ? high : low) = middle;
    }
    return high;
}

void Fail(QString* why, const QString& text)
{
    if (why)
        *why = text;
}

} // namespace

SFitPadding DefaultFitPadding(const CNacreformDoc& doc)
{
    const float em = PlaceContent(doc).captionEmPixels;
    if (doc.Renderer && doc.Renderer->IsSquareShape())
        return {0.25f * em, 0.25f * em};
    return {0.9f * em, 0.35f * em};
}

bool FitShapeToCaption(CNacreformDoc& doc, std::optional<SFitPadding> padding, QString* why)
{
    const SContentPlacement placement = PlaceContent(doc);
    if (placement.caption.isEmpty()) {
        Fail(why, QStringLiteral("there is no caption to fit the shape to"));
        return false;
    }
    const SFitPadding pad = padding.value_or(DefaultFitPadding(doc));
    const QRectF ink = placement.caption.translated(-placement.captionPoint);
    const QPointF pos(doc.TextPos.x * 0.01f, doc.TextPos.y * 0.01f);
    const float oldHeight = float(placement.content.height());

    float width = 0, height = 0;
    if (doc.Renderer->IsSquareShape()) {
        const auto diameter = LeastDiameter(ink, pos, pad);
        if (!diameter) {
            Fail(why, QStringLiteral("the caption is placed too far off the circle's centre to fit"));
            return false;
        }
        width = height = std::ceil(*diameter);
    } else {
        const auto across = LeastSpan(float(ink.left()), float(ink.right()), float(pos.x()), pad.x);
        const auto down = LeastSpan(float(ink.top()), float(ink.bottom()), float(pos.y()), pad.y);
        if (!across || !down) {
            Fail(why, QStringLiteral("the caption is placed too far off the shape's centre to fit"));
            return false;
        }
        width = std::ceil(*across);
        height = *down > oldHeight ? std::ceil(*down) : oldHeight;
    }
    if (!(width <= kLargestShape && height <= kLargestShape)) {
        Fail(why, QStringLiteral("the caption needs a shape larger than %1 pixels").arg(kLargestShape));
        return false;
    }
    // The shape's box is one pixel wider and higher than its content.
    doc.ShapeSize = {int(width) + 1, int(height) + 1};
    if (height != oldHeight && oldHeight > 0)
        doc.FontSize = doc.FontSize * oldHeight / height;
    return true;
}

std::optional<SFitPadding> ParseFitPadding(const QString& text, QString* why)
{
    const QStringList parts = text.split(QLatin1Char(','));
    SFitPadding padding;
    float* const sides[] = {&padding.x, &padding.y};
    bool ok = parts.size() <= 2;
    for (qsizetype i = 0; ok && i < parts.size(); ++i) {
        const double value = parts[i].trimmed().toDouble(&ok);
        ok = ok && value >= 0 && value <= CRender::kMaxCanvasSide;
        *sides[i] = float(value);
    }
    if (!ok) {
        if (why)
            *why = QStringLiteral("expected PADX or PADX,PADY, pixels from 0 to %1").arg(CRender::kMaxCanvasSide);
        return std::nullopt;
    }
    if (parts.size() == 1)
        padding.y = padding.x;
    return padding;
}

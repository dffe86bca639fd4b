#include "render/CaptionMask.h"

#include "render/CaptionLine.h"
#include "render/GraphicsPath.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <deque>
#include <memory>
#include <optional>

namespace {

// Masks kept for later calls: caption and shadow of the current design and
// of the one before; larger masks are used once only.
constexpr size_t kKeptMasks = 4;
constexpr qsizetype kMaxKeptPixels = 4 * 1024 * 1024;

struct SMask
{
    SCaptionFont font;
    QString text;
    QPointF fraction; // of the point within its pixel
    qreal scale;      // device pixels per pixel of the font's size
    QRect visible;    // the device area the mask may cover, relative to the point's pixel
    QRect rect;       // where the mask lies, relative to the point's pixel
    QImage coverage;  // Format_Alpha8
};

bool Matches(const SMask& mask, const SCaptionFont& font, const QString& text, QPointF fraction, qreal scale,
             const QRect& visible)
{
    return mask.fraction == fraction && mask.scale == scale && mask.visible == visible && mask.text == text
           && mask.font == font;
}

// Scaling by scale about the point at fraction.
QTransform ScaleAbout(QPointF fraction, qreal scale)
{
    return QTransform::fromTranslate(fraction.x(), fraction.y())
        .scale(scale, scale)
        .translate(-fraction.x(), -fraction.y());
}

// A caption set on its line: the line box centred on a point, and the
// glyphs' outline in it.
struct SSetCaption
{
    QRectF box;
    QPainterPath outline;
};

// Nothing when the font cannot set the text.
std::optional<SSetCaption> SetCaption(const SCaptionFont& font, const QString& text, QPointF point)
{
    const CCaptionLine line(font, text);
    if (!line.IsValid())
        return std::nullopt;
    const QRectF box(point.x() - line.Width() / 2, point.y() - line.Height() / 2, line.Width(), line.Height());
    return SSetCaption{box, line.Outline(QPointF(box.left(), box.top() + line.Ascent()))};
}

SMask Rasterise(const SCaptionFont& font, const QString& text, QPointF fraction, qreal scale, const QRect& visible)
{
    SMask mask{font, text, fraction, scale, visible, {}, {}};
    const auto caption = SetCaption(font, text, fraction);
    if (!caption)
        return mask;
    const QPainterPath& outline = caption->outline;
    // Line box and ink, which may overhang the box, with a pixel to spare
    // for anti-aliasing.
    QRectF extent = caption->box | outline.controlPointRect();
    if (scale != 1)
        extent = ScaleAbout(fraction, scale).mapRect(extent);
    mask.rect = extent.adjusted(-2, -2, 2, 2).toAlignedRect().intersected(visible);
    if (mask.rect.isEmpty())
        return mask;

    QImage canvas(mask.rect.size(), QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return mask;
    canvas.fill(Qt::transparent);
    {
        // The glyphs are filled from their outlines, in fine chords, scaled
        // to the device first.
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(-mask.rect.topLeft());
        painter.fillPath(WithFineChords(scale == 1 ? outline : ScaleAbout(fraction, scale).map(outline)),
                         Qt::white);
    }
    mask.coverage = canvas.convertToFormat(QImage::Format_Alpha8);
    return mask;
}

std::shared_ptr<const SMask> FindOrRasterise(const SCaptionFont& font, const QString& text,
                                             QPointF fraction, qreal scale, const QRect& visible)
{
    thread_local std::deque<std::shared_ptr<const SMask>> masks;
    for (auto it = masks.begin(); it != masks.end(); ++it) {
        if (Matches(**it, font, text, fraction, scale, visible)) {
            std::shared_ptr<const SMask> found = *it;
            masks.erase(it);
            masks.push_front(found);
            return found;
        }
    }
    auto mask = std::make_shared<const SMask>(Rasterise(font, text, fraction, scale, visible));
    if (qsizetype(mask->rect.width()) * mask->rect.height() <= kMaxKeptPixels) {
        masks.push_front(mask);
        if (masks.size() > kKeptMasks)
            masks.pop_back();
    }
    return mask;
}

// The mask in color, premultiplied.
QImage Tint(const QImage& coverage, ARGB color)
{
    // The sizes are read once: a call to QImage::width() in the loop's
    // condition kept it from being vectorised, and made it a sixth of a
    // default render.
    const int width = coverage.width(), height = coverage.height();
    QImage tinted(width, height, QImage::Format_ARGB32_Premultiplied);
    if (tinted.isNull())
        return tinted;
    const QRgb premultiplied = qPremultiply(color);
    const uint channels[4] = {uint(qAlpha(premultiplied)), uint(qRed(premultiplied)),
                              uint(qGreen(premultiplied)), uint(qBlue(premultiplied))};
    for (int y = 0; y < height; ++y) {
        const uchar* in = coverage.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(tinted.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const uint c = in[x];
            // c * v / 255, rounded, without a division.
            const auto scale = [c](uint v) {
                const uint t = c * v + 128;
                return (t + (t >> 8)) >> 8;
            };
            out[x] = (scale(channels[0]) << 24) | (scale(channels[1]) << 16) | (scale(channels[2]) << 8)
                     | scale(channels[3]);
        }
    }
    return tinted;
}

} // namespace

QPainterPath CaptionOutline(const SCaptionFont& font, const QString& text, QPointF point)
{
    const auto caption = SetCaption(font, text, point);
    return caption ? caption->outline : QPainterPath();
}

void DrawCaptionText(QPainter& graphics, const SCaptionFont& font, const QString& text, QPointF point, ARGB color)
{
    if (text.isEmpty() || graphics.device() == nullptr || ArgbAlpha(color) == 0)
        return;
    // The mask is made and drawn in device pixels; a painter that scales
    // (a render at a higher resolution) gets glyphs drawn at its scale.
    const QTransform toDevice = graphics.deviceTransform();
    point = toDevice.map(point);
    // No caption placed this far away reaches a canvas, and the pixel of its
    // point would not fit an int.
    constexpr double kFarAway = 1e9;
    if (!(std::abs(point.x()) < kFarAway && std::abs(point.y()) < kFarAway))
        return;
    const QPoint pixel(int(std::floor(point.x())), int(std::floor(point.y())));
    const QPointF fraction = point - QPointF(pixel);
    const QRect visible = QRect(0, 0, graphics.device()->width(), graphics.device()->height()).translated(-pixel);
    const auto mask = FindOrRasterise(font, text, fraction, toDevice.m11(), visible);
    if (mask->coverage.isNull())
        return;
    graphics.save();
    graphics.resetTransform();
    graphics.drawImage(pixel + mask->rect.topLeft(), Tint(mask->coverage, color));
    graphics.restore();
}

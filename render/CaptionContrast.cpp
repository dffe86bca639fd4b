#include "render/CaptionContrast.h"

#include "design/NacreformDoc.h"
#include "render/ContentPlacement.h"
#include "render/Argb.h"
#include "render/Render.h"

#include <cmath>

namespace {

// The relative luminance of an sRGB colour.
double Luminance(QRgb color)
{
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(color)) + 0.7152 * linear(qGreen(color)) + 0.0722 * linear(qBlue(color));
}

// top drawn by its alpha over the opaque bottom.
QRgb Over(QRgb top, QRgb bottom)
{
    const int alpha = qAlpha(top);
    const auto mix = [alpha](int t, int b) { return (t * alpha + b * (255 - alpha) + 127) / 255; };
    return qRgb(mix(qRed(top), qRed(bottom)), mix(qGreen(top), qGreen(bottom)), mix(qBlue(top), qBlue(bottom)));
}

} // namespace

double ContrastRatio(QRgb first, QRgb second)
{
    const double a = Luminance(first), b = Luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::optional<SCaptionContrast> MeasureCaptionContrast(const CNacreformDoc& doc)
{
    const SContentPlacement placement = PlaceContent(doc);
    if (placement.caption.isEmpty())
        return std::nullopt;
    const QPointF pixel(std::floor(placement.captionPoint.x()), std::floor(placement.captionPoint.y()));
    if (pixel.x() < 0 || pixel.y() < 0 || pixel.x() >= placement.canvas.width()
        || pixel.y() >= placement.canvas.height())
        return std::nullopt;

    // The design without its caption, on a canvas of the one pixel under the
    // caption's centre.
    CNacreformDoc behind;
    behind.CopyDesignFrom(doc);
    behind.String.clear();
    SCanvasLayout layout = behind.Renderer->GetCanvasLayout(behind);
    layout.width = layout.height = 1;
    layout.shapeRect.translate(-pixel);
    layout.shadowRect.translate(-pixel);
    const QImage dot = behind.Renderer->RenderLayout(behind, layout, 1.0);
    if (dot.isNull())
        return std::nullopt;

    const QRgb background = doc.BGTrans ? qRgb(255, 255, 255) : ColorRefToArgb(doc.BGColor);
    const QRgb shape = Over(dot.pixel(0, 0), background);
    const QRgb caption = Over(ArgbWithAlpha(ColorRefToArgb(doc.TextColor), doc.TextAlpha), shape);
    return SCaptionContrast{ContrastRatio(caption, shape),
                            placement.captionEmPixels >= SCaptionContrast::kLargeTextPixels};
}

#include "render/ButtonLayers.h"

#include <algorithm>
#include <cmath>

namespace {

float OpacityFactor(int opacity)
{
    return float(opacity) * (1.0f / 255.0f);
}

} // namespace

QImage SPictureLayer::DrawnPicture(const QImage& pixels) const
{
    const float factor = OpacityFactor(opacity);
    if (!(factor > 1))
        return pixels;
    QImage scaled = pixels.convertToFormat(QImage::Format_ARGB32);
    const int width = scaled.width(), height = scaled.height();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float alpha = std::min(float(qAlpha(line[x])) * factor + 0.5f, 255.0f);
            line[x] = (line[x] & 0x00FFFFFFu) | (QRgb(alpha) << 24);
        }
    }
    return scaled;
}

float SPictureLayer::DrawnOpacity() const
{
    return std::clamp(OpacityFactor(opacity), 0.0f, 1.0f);
}

CButtonLayers::CButtonLayers(const QTransform& toDevice) : m_toDevice(toDevice)
{
}

void CButtonLayers::FillVerticalGradient(const CGraphicsPath& region, const QRectF& box, ARGB top, ARGB bottom,
                                         const CBlend& blend)
{
    if (box.width() > 0 && box.height() > 0)
        m_layers.append(SShapeLayer{region, SVerticalGradient{box, top, bottom, blend}});
}

void CButtonLayers::FillPathGradient(const CGraphicsPath& region, const CPathGradient& gradient)
{
    if (gradient.Box().width() > 0 && gradient.Box().height() > 0)
        m_layers.append(SShapeLayer{region, gradient});
}

void CButtonLayers::StrokeOutline(const CGraphicsPath& region, ARGB color, float width)
{
    m_layers.append(SShapeLayer{region, SOutlineStroke{color, width}});
}

void CButtonLayers::DrawPicture(const CPicture& picture, QPointF centre, int opacity, float height)
{
    if (picture.isNull() || !(height > 0) || !std::isfinite(height) || !std::isfinite(centre.x())
        || !std::isfinite(centre.y()))
        return;
    const float width = float(picture.width()) * height / float(picture.height());
    const QRectF target(float(centre.x()) - width * 0.5f, float(centre.y()) - height * 0.5f, width, height);
    m_layers.append(SPictureLayer{picture, target, opacity});
}

void CButtonLayers::DrawCaption(const SCaptionFont& font, const QString& text, QPointF point, ARGB color)
{
    if (text.isEmpty() || ArgbAlpha(color) == 0 || !std::isfinite(point.x()) || !std::isfinite(point.y()))
        return;
    m_layers.append(SCaptionLayer{font, text, point, color});
}

double CButtonLayers::NearestColumnEdge(double x) const
{
    return (std::round(m_toDevice.m11() * x + m_toDevice.dx()) - m_toDevice.dx()) / m_toDevice.m11();
}

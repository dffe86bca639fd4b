#include "render/CanvasGraphics.h"

#include <QPaintDevice>
#include <QPainter>

#include <cmath>

void PrepareCanvasGraphics(QPainter& graphics, double scale)
{
    graphics.setRenderHint(QPainter::Antialiasing);
    graphics.scale(scale, scale);
    graphics.translate(0.5, 0.5);
}

QTransform CanvasTransform(double scale)
{
    return QTransform().scale(scale, scale).translate(0.5, 0.5);
}

QPointF PixelCentre(const QPainter& graphics, int column, int row)
{
    return graphics.deviceTransform().inverted().map(QPointF(column + 0.5, row + 0.5));
}

QRect DevicePixels(const QPainter& graphics, const QRectF& rect)
{
    if (graphics.device() == nullptr)
        return {};
    // Cut to a reach no canvas comes near first, so that the whole pixels
    // fit an int even for a shape many times larger than its canvas.
    constexpr double kReach = 1e9;
    const QRectF reach(-kReach, -kReach, 2 * kReach, 2 * kReach);
    const QRect device(0, 0, graphics.device()->width(), graphics.device()->height());
    return graphics.deviceTransform().mapRect(rect).intersected(reach).toAlignedRect().intersected(device);
}

QRectF DrawingRect(const QPainter& graphics, const QRect& pixels)
{
    return graphics.deviceTransform().inverted().mapRect(QRectF(pixels));
}

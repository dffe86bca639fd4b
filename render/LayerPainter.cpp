#include "render/LayerPainter.h"

#include "render/ButtonLayers.h"
#include "render/CanvasGraphics.h"
#include "render/CaptionMask.h"
#include "render/LinearGradient.h"

#include <QPainter>

namespace {

struct SLayerPainter
{
    QPainter& graphics;

    void operator()(const SShapeLayer& layer) const
    {
        std::visit([&](const auto& paint) { Fill(layer.region, paint); }, layer.paint);
    }

    void Fill(const CGraphicsPath& region, const SVerticalGradient& gradient) const
    {
        FillVerticalGradient(graphics, region.Path(), gradient.box, gradient.top, gradient.bottom, gradient.blend);
    }

    void Fill(const CGraphicsPath& region, const CPathGradient& gradient) const
    {
        gradient.Fill(graphics, region.Path());
    }

    void Fill(const CGraphicsPath& region, const SOutlineStroke& stroke) const
    {
        graphics.save();
        graphics.setPen(QPen(QColor::fromRgba(stroke.color), stroke.width));
        graphics.setBrush(Qt::NoBrush);
        graphics.drawPath(region.Path());
        graphics.restore();
    }

    void operator()(const SPictureLayer& layer) const
    {
        if (!layer.picture.IsVector()) {
            DrawImage(layer, layer.picture.GetPixels(), layer.target);
            return;
        }
        // Drawn into the device pixels it covers (only those on the canvas,
        // however large the picture), which the painter then takes one for one.
        const QRect pixels = DevicePixels(graphics, layer.target);
        if (pixels.isEmpty())
            return;
        const QRectF area = graphics.deviceTransform().mapRect(layer.target).translated(-pixels.topLeft());
        DrawImage(layer, layer.picture.RenderVector(pixels.size(), area), DrawingRect(graphics, pixels));
    }

    void DrawImage(const SPictureLayer& layer, const QImage& pixels, const QRectF& target) const
    {
        const QImage drawn = layer.DrawnPicture(pixels);
        graphics.save();
        graphics.setRenderHint(QPainter::SmoothPixmapTransform);
        graphics.setOpacity(layer.DrawnOpacity());
        graphics.drawImage(target, drawn, QRectF(drawn.rect()));
        graphics.restore();
    }

    void operator()(const SCaptionLayer& layer) const
    {
        DrawCaptionText(graphics, layer.font, layer.text, layer.point, layer.color);
    }
};

} // namespace

void PaintButtonLayers(QPainter& graphics, const CButtonLayers& layers)
{
    const SLayerPainter painter{graphics};
    for (const SButtonLayer& layer : layers.Layers())
        std::visit(painter, layer);
}

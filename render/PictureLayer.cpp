#include "render/PictureLayer.h"

#include "design/NacreformDoc.h"
#include "design/PicturePath.h"
#include "render/CanvasGraphics.h"
#include "render/ImageFiles.h"
#include "render/Render.h"
#include "util/MessageSink.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>

const QString kPictureLoadFailedMessage = QStringLiteral("画像の読み込みに失敗しました。\n\n");

void RefreshPictureCache(CNacreformDoc& doc)
{
    if (doc.ImagePath == doc.CachedImagePath)
        return;
    doc.CachedImagePath = doc.ImagePath;
    doc.CachedImage = CPicture();
    if (doc.ImagePath.isEmpty())
        return;
    QString why;
    if (!LoadPicture(ResolvePicturePath(doc.ImagePath, doc.GetDesignFolder()), doc.CachedImage, &why)
        && doc.GetMessageSink() != nullptr)
        doc.GetMessageSink()->ShowFileFailure(kPictureLoadFailedMessage + doc.ImagePath,
                                              QStringLiteral("cannot load the picture %1").arg(doc.ImagePath), why);
}

namespace {

// picture with each alpha multiplied by factor and clamped to 255, colours
// kept: the opacity scaling of the pictures for factors above 1.
QImage WithAlphaScaled(const QImage& picture, float factor)
{
    QImage scaled = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < scaled.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < scaled.width(); ++x) {
            const float alpha = std::min(float(qAlpha(line[x])) * factor + 0.5f, 255.0f);
            line[x] = (line[x] & 0x00FFFFFFu) | (QRgb(alpha) << 24);
        }
    }
    return scaled;
}

// Draws image into target with opacity / 255, scaled and filtered.
void DrawImage(QPainter& graphics, const QImage& image, const QRectF& target, int opacity)
{
    const float factor = float(opacity) * (1.0f / 255.0f);
    // Only a hand-edited design has an opacity above 255; it makes partly
    // transparent pixels more opaque, which the painter's opacity cannot.
    const QImage drawn = factor > 1 ? WithAlphaScaled(image, factor) : image;
    graphics.save();
    graphics.setRenderHint(QPainter::SmoothPixmapTransform);
    graphics.setOpacity(std::clamp(factor, 0.0f, 1.0f));
    graphics.drawImage(target, drawn, QRectF(drawn.rect()));
    graphics.restore();
}

} // namespace

void DrawPicture(QPainter& graphics, const CPicture& picture, QPointF centre, int opacity, float height)
{
    if (picture.isNull() || !(height > 0) || !std::isfinite(height) || !std::isfinite(centre.x())
        || !std::isfinite(centre.y()))
        return;
    const float width = float(picture.width()) * height / float(picture.height());
    const QRectF target(float(centre.x()) - width * 0.5f, float(centre.y()) - height * 0.5f, width, height);
    if (!picture.IsVector()) {
        DrawImage(graphics, picture.GetPixels(), target, opacity);
        return;
    }
    // Drawn into the device pixels it covers (only those on the canvas, however
    // large the picture), which the painter then takes one for one.
    const QRect pixels = DevicePixels(graphics, target);
    if (pixels.isEmpty())
        return;
    const QRectF area = graphics.deviceTransform().mapRect(target).translated(-pixels.topLeft());
    DrawImage(graphics, picture.RenderVector(pixels.size(), area), DrawingRect(graphics, pixels), opacity);
}

void DrawPictureLayer(const CNacreformDoc& doc, QPainter& graphics, const QRectF& content)
{
    if (doc.CachedImage.isNull())
        return;
    const float w = float(content.width()), h = float(content.height());
    const QPointF c = RectCenter(content);
    const float s = h * doc.ImageSize * 0.01f;
    const float px = float(c.x()) + w * doc.ImagePos.x * 0.01f;
    const float py = float(c.y()) + h * doc.ImagePos.y * 0.01f;
    if (doc.EnableImageShadow) {
        const QPointF shadow(px + w * doc.ImageShadowPos.x * 0.01f, py + h * doc.ImageShadowPos.y * 0.01f);
        DrawPicture(graphics, doc.CachedImage, shadow, doc.ImageShadowAlpha, s);
    }
    DrawPicture(graphics, doc.CachedImage, QPointF(px, py), doc.ImageAlpha, s);
}

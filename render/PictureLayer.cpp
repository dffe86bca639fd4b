#include "render/PictureLayer.h"

#include "design/NacreformDoc.h"
#include "design/PicturePath.h"
#include "render/ButtonLayers.h"
#include "render/ImageFiles.h"
#include "render/Render.h"
#include "util/MessageSink.h"

#include <QImage>

#include <cmath>
#include <utility>

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

QRectF PictureTarget(const CPicture& picture, QPointF centre, float height)
{
    if (picture.isNull())
        return {};
    const float width = float(picture.width()) * height / float(picture.height());
    return QRectF(float(centre.x()) - width * 0.5f, float(centre.y()) - height * 0.5f, width, height);
}

namespace {

// The centre of the design's picture and its height.
std::pair<QPointF, float> PicturePlace(const CNacreformDoc& doc, const QRectF& content)
{
    const float w = float(content.width()), h = float(content.height());
    const QPointF c = RectCenter(content);
    return {QPointF(float(c.x()) + w * doc.ImagePos.x * 0.01f, float(c.y()) + h * doc.ImagePos.y * 0.01f),
            h * doc.ImageSize * 0.01f};
}

} // namespace

QRectF PictureRect(const CNacreformDoc& doc, const QRectF& content)
{
    const auto [centre, height] = PicturePlace(doc, content);
    if (!(height > 0) || !std::isfinite(height))
        return {};
    return PictureTarget(doc.CachedImage, centre, height);
}

void DrawPictureLayer(const CNacreformDoc& doc, CButtonLayers& layers, const QRectF& content)
{
    if (doc.CachedImage.isNull())
        return;
    const float w = float(content.width()), h = float(content.height());
    const auto [centre, s] = PicturePlace(doc, content);
    const float px = float(centre.x()), py = float(centre.y());
    if (doc.EnableImageShadow) {
        const QPointF shadow(px + w * doc.ImageShadowPos.x * 0.01f, py + h * doc.ImageShadowPos.y * 0.01f);
        layers.DrawPicture(doc.CachedImage, shadow, doc.ImageShadowAlpha, s);
    }
    layers.DrawPicture(doc.CachedImage, QPointF(px, py), doc.ImageAlpha, s);
}

#include "render/PictureLayer.h"

#include "design/NacreformDoc.h"
#include "render/ButtonLayers.h"
#include "render/ImageFiles.h"
#include "render/Render.h"
#include "util/MessageSink.h"

#include <QImage>

const QString kPictureLoadFailedMessage = QStringLiteral("画像の読み込みに失敗しました。\n\n");

void RefreshPictureCache(CNacreformDoc& doc)
{
    if (doc.ImagePath == doc.CachedImagePath)
        return;
    doc.CachedImagePath = doc.ImagePath;
    doc.CachedImage = QImage();
    if (doc.ImagePath.isEmpty())
        return;
    QString why;
    if (!LoadPicture(doc.ImagePath, doc.CachedImage, &why) && doc.GetMessageSink() != nullptr)
        doc.GetMessageSink()->ShowFileFailure(kPictureLoadFailedMessage + doc.ImagePath,
                                              QStringLiteral("cannot load the picture %1").arg(doc.ImagePath), why);
}

void DrawPictureLayer(const CNacreformDoc& doc, CButtonLayers& layers, const QRectF& content)
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
        layers.DrawPicture(doc.CachedImage, shadow, doc.ImageShadowAlpha, s);
    }
    layers.DrawPicture(doc.CachedImage, QPointF(px, py), doc.ImageAlpha, s);
}

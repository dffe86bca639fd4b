#include "render/ContentLayers.h"

#include "design/NacreformDoc.h"
#include "render/PictureLayer.h"
#include "render/TextLayer.h"

void DrawTextAndPicture(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& content)
{
    const CTextLayer text(doc, content);
    RefreshPictureCache(doc);
    DrawPictureLayer(doc, layers, content);
    if (doc.EnableTextShadow)
        text.DrawShadow(layers);
    text.DrawCaption(layers);
}

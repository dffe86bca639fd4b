#include "render/ContentLayers.h"

#include "design/NacreformDoc.h"
#include "render/PictureLayer.h"
#include "render/TextLayer.h"

void DrawTextAndPicture(CNacreformDoc& doc, QPainter& graphics, const QRectF& content)
{
    const CTextLayer text(doc, content);
    RefreshPictureCache(doc);
    DrawPictureLayer(doc, graphics, content);
    if (doc.EnableTextShadow)
        text.DrawShadow(graphics);
    text.DrawCaption(graphics);
}

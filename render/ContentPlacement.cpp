#include "render/ContentPlacement.h"

#include "design/NacreformDoc.h"
#include "render/PictureLayer.h"
#include "render/Render.h"
#include "render/TextLayer.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

SContentPlacement PlaceContent(const CNacreformDoc& doc)
{
    SContentPlacement placement;
    if (!doc.Renderer)
        return placement;
    const SCanvasLayout layout = doc.Renderer->GetCanvasLayout(doc);
    if (!std::isfinite(layout.width) || !std::isfinite(layout.height) || layout.width <= 0 || layout.height <= 0)
        return placement;
    // Every renderer places caption and picture in its shape's rectangle.
    placement.canvas = QSizeF(std::trunc(layout.width), std::trunc(layout.height));
    placement.content = layout.shapeRect;
    const CTextLayer text(doc, layout.shapeRect);
    placement.caption = text.CaptionInk();
    placement.captionPoint = text.CaptionPoint();
    placement.captionEmPixels = text.EmPixels();
    placement.picture = PictureRect(doc, layout.shapeRect);
    return placement;
}

int PixelsBeyond(const QRectF& rect, const QSizeF& canvas)
{
    if (rect.isEmpty())
        return 0;
    const double beyond = std::max({-rect.left(), -rect.top(), rect.right() - canvas.width(),
                                    rect.bottom() - canvas.height(), 0.0});
    // Farther than any canvas reaches: the whole content is off it.
    constexpr double kFarAway = 1e9;
    return int(std::ceil(std::min(beyond, kFarAway)));
}

SContentCuts FindContentCuts(const CNacreformDoc& doc)
{
    const SContentPlacement placement = PlaceContent(doc);
    return {PixelsBeyond(placement.caption, placement.canvas), PixelsBeyond(placement.picture, placement.canvas)};
}

QString DescribeContentCuts(const SContentCuts& cuts)
{
    QStringList parts;
    const auto describe = [&parts](const char* what, int pixels) {
        if (pixels > 0)
            parts.append(QStringLiteral("the %1 is cut off by %2 pixel%3 at the canvas' edge")
                             .arg(QLatin1String(what))
                             .arg(pixels)
                             .arg(pixels == 1 ? "" : "s"));
    };
    describe("caption", cuts.caption);
    describe("picture", cuts.picture);
    return parts.join(QStringLiteral("; "));
}

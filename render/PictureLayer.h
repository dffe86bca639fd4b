#pragma once

#include <QPointF>
#include <QString>

class CNacreformDoc;
class CPicture;
class QPainter;
class QRectF;

// What the user is told when a picture cannot be loaded; the path follows.
extern const QString kPictureLoadFailedMessage;

// Brings the document's picture cache in line with ImagePath. The file is
// decoded only when ImagePath differs from CachedImagePath (compared exactly),
// so a failed load is reported once per change of the path, through the
// document's message sink, and then renders as no picture. A relative
// ImagePath is looked up from the design's folder first.
void RefreshPictureCache(CNacreformDoc& doc);

// Draws picture height pixels high, its aspect ratio kept, centred on
// centre, each pixel's alpha multiplied by opacity / 255 and the result
// clamped to 0 ... 255 (so an opacity above 255 makes partly transparent
// pixels more opaque). A raster picture is scaled and filtered; a vector
// picture is drawn at the painter's device resolution, so that it stays
// sharp at every scale. Nothing for a null picture or a height that is not
// a positive finite number.
void DrawPicture(QPainter& graphics, const CPicture& picture, QPointF centre, int opacity, float height);

// The cached picture's shadow (when the design enables it) and the picture,
// sized ImageSize percent of the content rectangle's height and placed like
// the caption (ImagePos, ImageShadowPos).
void DrawPictureLayer(const CNacreformDoc& doc, QPainter& graphics, const QRectF& content);

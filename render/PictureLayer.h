#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

class CButtonLayers;
class CNacreformDoc;
class CPicture;

// What the user is told when a picture cannot be loaded; the path follows.
extern const QString kPictureLoadFailedMessage;

// Brings the document's picture cache in line with ImagePath. The file is
// decoded only when ImagePath differs from CachedImagePath (compared exactly),
// so a failed load is reported once per change of the path, through the
// document's message sink, and then renders as no picture. A relative
// ImagePath is looked up from the design's folder first.
void RefreshPictureCache(CNacreformDoc& doc);

// Where a picture is drawn: height pixels high, its aspect ratio
// kept, centred on centre. Empty for a null picture.
QRectF PictureTarget(const CPicture& picture, QPointF centre, float height);

// Where the design's cached picture lies within the content rectangle;
// empty when there is none.
QRectF PictureRect(const CNacreformDoc& doc, const QRectF& content);

// The cached picture's shadow (when the design enables it) and the picture,
// sized ImageSize percent of the content rectangle's height and placed like
// the caption (ImagePos, ImageShadowPos), each at its own opacity.
void DrawPictureLayer(const CNacreformDoc& doc, CButtonLayers& layers, const QRectF& content);

#pragma once

class CButtonLayers;
class CNacreformDoc;
class QRectF;

// The content layers every renderer adds on its content rectangle, in this
// order: picture shadow, picture, caption shadow, caption. Refreshes the
// document's picture cache first.
void DrawTextAndPicture(CNacreformDoc& doc, CButtonLayers& layers, const QRectF& content);

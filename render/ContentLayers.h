#pragma once

class CNacreformDoc;
class QPainter;
class QRectF;

// The content layers every renderer draws on its content rectangle, in this
// order: picture shadow, picture, caption shadow, caption. Refreshes the
// document's picture cache first.
void DrawTextAndPicture(CNacreformDoc& doc, QPainter& graphics, const QRectF& content);

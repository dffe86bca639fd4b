#pragma once

#include <QImage>

class CNacreformDoc;

// The preview background and the composition the preview shows and the
// export saves when the background is opaque. Headless: no widgets.

// An opaque RGB bitmap of width x height: with BGTrans a checkerboard of
// kCheckerCell-pixel cells, white and (240, 240, 240), the top-left cell white
// and each row starting with the other colour than the row above; otherwise
// BGColor all over. Null when width or height is not positive or the bitmap
// cannot be allocated. At a device pixel ratio above 1 (a bitmap for a
// high-density screen) the cells are as large on screen as at 1.
QImage CreateDisplayBitmap(const CNacreformDoc& doc, int width, int height, qreal devicePixelRatio = 1);

// The display bitmap of the rendered image's size (and device pixel ratio)
// with the rendered image drawn over it by its alpha. Null when rendered is
// null.
QImage ComposeDisplayImage(const CNacreformDoc& doc, const QImage& rendered);

// The bitmap an export saves: the rendered image (with its alpha) when the
// background was transparent (BGTrans of the design both were made from),
// else the composition over BGColor.
const QImage& ChooseExportBitmap(bool transparentBackground, const QImage& rendered, const QImage& display);

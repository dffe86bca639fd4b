#pragma once

#include "export/ButtonStates.h"
#include "export/ImageFormat.h"
#include "render/ImageFiles.h"
#include "design/DesignValues.h"

#include <QByteArray>
#include <QList>

class CNacreformDoc;
class QImage;

// The bytes of every image file the program writes, in one place, so that a
// format means the same bytes from the command line, the editor, a set and
// a batch. Nothing here writes a file: callers hand the bytes to the atomic
// file write (or a pipe).

// A raster file of an export bitmap (the render with its alpha when the
// background is transparent, else composed over it; see ComposeExportImage):
// PNG exactly as EncodePng makes it, JPEG drawn over background first (it
// has no alpha), WebP lossless. Empty for a null image, for Svg, or when
// the encoder fails.
QByteArray EncodeRasterImage(const QImage& image, EImageFormat format, COLORREF background);

// The file of design in format: for a raster format the states rendered at
// scale (a sprite sheet of them, stacked in order, when there are several),
// for SVG the one state's vector document, which serves every scale. Empty
// with the reason in why when a bitmap cannot be allocated, the encoder
// fails or an SVG is asked for other than one state. Renders copies, so it may run in any thread while design is only
// read (refresh its picture cache first).
QByteArray EncodeImageFile(const CNacreformDoc& design, const QList<EButtonState>& states, double scale,
                           EImageFormat format, QString* why);

// The editor's export: the bitmap it last rendered of design and shows (a
// raster format), or design itself in its normal state (SVG).
QByteArray EncodeShownDesign(const CNacreformDoc& design, const QImage& bitmap, EImageFormat format, QString* why);

// "the image cannot be encoded as WebP": why, when an encoder fails.
QString NotEncodedText(EImageFormat format);

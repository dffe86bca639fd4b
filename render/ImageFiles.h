#pragma once

#include <QByteArray>
#include <QStringList>

class CPicture;
class QImage;
class QString;

// Picture decoding and PNG encoding of the graphics layer. Both report
// failure as a value and never throw.

// Decodes the picture file at path: SVG (by its name or content) as a vector
// picture, anything else with any installed image reader (BMP, GIF, JPEG,
// PNG, TIFF, ICO and more). The file is opened by the path's bytes
// (BytesFromText), so names that are not UTF-8 load too. On success a raster
// picture holds the first frame in a premultiplied 32-bit format ready for
// drawing; on failure (missing file, not a regular file, undecodable or
// oversized content) the picture is null, the result false and why says
// which.
bool LoadPicture(const QString& path, CPicture& picture, QString* why = nullptr);

// The file name extensions (lower case, without the dot) of every picture
// format LoadPicture reads on this machine: those of the installed image
// readers, and SVG.
QStringList PictureFileSuffixes();

// The image as PNG bytes: with an alpha channel when the image has one, else
// 24-bit RGB, and its resolution; the same pixels as Qt's reader gives back.
// One encoder for every file the program writes, tuned for speed at a size
// within a few percent of zlib's default level (Qt's own writer); the same
// image always gives the same bytes. Empty for a null image or when memory
// runs out.
QByteArray EncodePng(const QImage& image);

// Writes image as PNG to path: with an alpha channel when the image has one,
// else 24-bit RGB. The file appears only when it was written completely; an
// existing file is replaced only then. False when it could not be written,
// with the reason in why.
bool SavePng(const QImage& image, const QString& path, QString* why = nullptr);

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The file formats the program writes a button in. A file's format follows
// its name's extension unless the user names one; a name with any other
// extension is refused rather than written in a format it does not claim.
//   png   with alpha when the background is transparent, else 24-bit RGB
//   svg   the design as vector shapes and gradients, one file for every scale
//   jpeg  (.jpg, .jpeg) always over BGColor: the format has no alpha
//   webp  lossless, with alpha as PNG has it
enum class EImageFormat { Png, Svg, Jpeg, Webp };

// All formats, in the order above (the order of menus and lists).
const QList<EImageFormat>& AllImageFormats();

// "png", "svg", "jpeg", "webp": on the command line and in settings.
QString ImageFormatName(EImageFormat format);
// "PNG", "SVG", "JPEG", "WebP": as people write them.
QString ImageFormatTitle(EImageFormat format);
// The file dialog's filter of the format, in the framework's language:
// "JPEGファイル(*.jpg *.jpeg)".
QString ImageFileFilter(EImageFormat format);
// The extension a file of the format gets, without the dot: "jpg" for JPEG.
QString ImageFormatSuffix(EImageFormat format);
// Every extension the format is known by ("jpg", "jpeg").
QStringList ImageFormatSuffixes(EImageFormat format);
QString ImageFormatMimeType(EImageFormat format);
// Vector formats hold every scale in one file.
bool IsScalableImageFormat(EImageFormat format);

// The format of a name (case-insensitive: "png", "JPG", "svg").
std::optional<EImageFormat> ParseImageFormat(const QString& name);
// The format a file's name claims by its extension; none for an extension
// that names no format, or no extension.
std::optional<EImageFormat> ImageFormatOfPath(const QString& path);

// "png, svg, jpeg (.jpg or .jpeg), webp": for messages that list them.
QString ImageFormatList();

// A file-name pattern (or a name) for format: its format extension
// replaced by the format's, or the format's appended when it has none.
QString WithImageFormatSuffix(const QString& pattern, EImageFormat format);

#include "export/ImageFileEncoder.h"

#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"
#include "export/SpriteSheet.h"
#include "export/SvgExport.h"
#include "render/Render.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

namespace {

// Buttons are flat colour and smooth gradients: at 90 JPEG's blocks and
// ringing stay below what the eye finds on them.
constexpr int kJpegQuality = 90;
// Qt's WebP writer encodes losslessly from this quality on.
constexpr int kWebpLossless = 100;

QImage OverBackground(const QImage& image, COLORREF background)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage opaque(image.size(), QImage::Format_RGB32);
    if (opaque.isNull())
        return {};
    opaque.setDotsPerMeterX(image.dotsPerMeterX());
    opaque.setDotsPerMeterY(image.dotsPerMeterY());
    opaque.fill(QColor::fromRgba(ColorRefToArgb(background)));
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

QByteArray EncodeWithQt(const QImage& image, const char* format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    return writer.write(image) ? bytes : QByteArray();
}

} // namespace

QByteArray EncodeRasterImage(const QImage& image, EImageFormat format, COLORREF background)
{
    if (image.isNull())
        return {};
    switch (format) {
    case EImageFormat::Png: return EncodePng(image);
    case EImageFormat::Jpeg: {
        const QImage opaque = OverBackground(image, background);
        return opaque.isNull() ? QByteArray() : EncodeWithQt(opaque, "jpeg", kJpegQuality);
    }
    case EImageFormat::Webp: return EncodeWithQt(image, "webp", kWebpLossless);
    case EImageFormat::Svg: break;
    }
    return {};
}

QByteArray EncodeImageFile(const CNacreformDoc& design, const QList<EButtonState>& states, double scale,
                           EImageFormat format, QString* why)
{
    QString problem = NotEncodedText(format);
    QByteArray bytes;
    if (IsScalableImageFormat(format)) {
        if (states.size() == 1)
            bytes = EncodeButtonSvg(design, states.front(), &problem);
    } else {
        QList<QImage> images;
        for (EButtonState state : states) {
            const QImage rendered = RenderButtonState(design, state, scale);
            images.append(rendered.isNull() ? QImage() : ComposeExportImage(design, rendered));
            if (images.back().isNull()) {
                problem = QStringLiteral("the %1 image at %2x cannot be allocated (too large)")
                              .arg(ButtonStateName(state), ScaleText(scale));
                images.clear();
                break;
            }
        }
        if (!images.isEmpty())
            bytes = EncodeRasterImage(images.size() == 1 ? images.front() : StackSpriteSheet(images), format,
                                      design.BGColor);
    }
    if (why)
        *why = bytes.isEmpty() ? problem : QString();
    return bytes;
}

QByteArray EncodeShownDesign(const CNacreformDoc& design, const QImage& bitmap, EImageFormat format, QString* why)
{
    if (IsScalableImageFormat(format))
        return EncodeImageFile(design, {EButtonState::Normal}, 1, format, why);
    QByteArray bytes = EncodeRasterImage(bitmap, format, design.BGColor);
    if (why)
        *why = bytes.isEmpty() ? NotEncodedText(format) : QString();
    return bytes;
}

QString NotEncodedText(EImageFormat format)
{
    return QStringLiteral("the image cannot be encoded as %1").arg(ImageFormatTitle(format));
}

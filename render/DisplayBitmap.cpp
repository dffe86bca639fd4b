#include "render/DisplayBitmap.h"

#include "design/NacreformDoc.h"
#include "render/Render.h"

#include <QPainter>

QImage CreateDisplayBitmap(const CNacreformDoc& doc, int width, int height, qreal devicePixelRatio)
{
    if (width <= 0 || height <= 0)
        return {};
    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull())
        return {};
    bitmap.setDevicePixelRatio(devicePixelRatio);
    if (!doc.BGTrans) {
        bitmap.fill(QColor::fromRgba(ColorRefToArgb(doc.BGColor)));
        return bitmap;
    }
    constexpr int kCheckerCell = 16;
    const QColor light(0xFF, 0xFF, 0xFF);
    const QColor dark(0xF0, 0xF0, 0xF0);
    bitmap.fill(light);
    QPainter graphics(&bitmap);
    for (int y = 0, row = 0; y < height; y += kCheckerCell, ++row) {
        for (int x = (row % 2 == 0) ? kCheckerCell : 0; x < width; x += 2 * kCheckerCell)
            graphics.fillRect(x, y, kCheckerCell, kCheckerCell, dark);
    }
    return bitmap;
}

QImage ComposeDisplayImage(const CNacreformDoc& doc, const QImage& rendered)
{
    if (rendered.isNull())
        return {};
    QImage display = CreateDisplayBitmap(doc, rendered.width(), rendered.height(), rendered.devicePixelRatio());
    if (display.isNull())
        return {};
    // The render's resolution, which a new image takes from the screen
    // only when there is an application object.
    display.setDotsPerMeterX(rendered.dotsPerMeterX());
    display.setDotsPerMeterY(rendered.dotsPerMeterY());
    QPainter graphics(&display);
    graphics.drawImage(0, 0, rendered);
    return display;
}

const QImage& ChooseExportBitmap(bool transparentBackground, const QImage& rendered, const QImage& display)
{
    return transparentBackground ? rendered : display;
}

#include "RenderTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

std::unique_ptr<CNacreformDoc> BareDesign(unsigned renderId, int width, int height)
{
    auto doc = std::make_unique<CNacreformDoc>();
    doc->SelectRenderer(renderId, false, false);
    doc->ShapeSize = {width, height};
    doc->EnableShapeShadow = false;
    doc->String.clear();
    return doc;
}

QImage TransparentCanvas(int width, int height)
{
    QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    canvas.setDotsPerMeterX(3780);
    canvas.setDotsPerMeterY(3780);
    return canvas;
}

QRgb Premultiplied(double a, double r, double g, double b)
{
    const auto channel = [a](double v) { return int(std::lround(v * a / 255.0)); };
    return qRgba(channel(r), channel(g), channel(b), int(std::lround(a)));
}

int ChannelDistance(QRgb first, QRgb second)
{
    return std::max({std::abs(qAlpha(first) - qAlpha(second)), std::abs(qRed(first) - qRed(second)),
                     std::abs(qGreen(first) - qGreen(second)), std::abs(qBlue(first) - qBlue(second))});
}

QRect InkBounds(const QImage& image, int threshold)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > threshold)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

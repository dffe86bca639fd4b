#pragma once

#include "design/NacreformDoc.h"

#include <QImage>

#include <memory>

// A design with the given shape and nothing but the shape: no shadow, no
// caption, no picture.
std::unique_ptr<CNacreformDoc> BareDesign(unsigned renderId, int width, int height);

// Canvas as Render makes it: transparent, premultiplied, 96 dpi.
QImage TransparentCanvas(int width, int height);

// Premultiplied channels of an ARGB colour, rounded.
QRgb Premultiplied(double a, double r, double g, double b);

// Largest difference of any channel.
int ChannelDistance(QRgb first, QRgb second);

// Bounding box of the pixels whose alpha is above threshold; null when none.
QRect InkBounds(const QImage& image, int threshold = 0);

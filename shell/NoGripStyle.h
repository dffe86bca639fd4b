#pragma once

#include <QProxyStyle>

// The toolbar's style without the grip handle: the bar keeps a slim edge by
// which it can still be dragged to another side or floated.
class CNoGripStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
};


#include "render/LinearGradient.h"

#include "render/Blend.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

QBrush CreateVerticalGradientBrush(const QRectF& box, ARGB top, ARGB bottom, const CBlend& blend)
{
    if (!(box.height() > 0))
        return QBrush(CBlend::Interpolate(top, bottom, 0));
    QLinearGradient gradient(0, box.top(), 0, box.bottom());
    gradient.setInterpolationMode(QGradient::ComponentInterpolation);
    gradient.setSpread(QGradient::RepeatSpread);
    gradient.setStops(blend.Stops(top, bottom));
    return QBrush(gradient);
}

void FillVerticalGradient(QPainter& graphics, const QPainterPath& region, const QRectF& brushBox,
                          ARGB top, ARGB bottom, const CBlend& blend)
{
    if (!(brushBox.width() > 0 && brushBox.height() > 0))
        return;
    graphics.fillPath(region, CreateVerticalGradientBrush(brushBox, top, bottom, blend));
}

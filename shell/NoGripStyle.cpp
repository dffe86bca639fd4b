#include "shell/NoGripStyle.h"

void CNoGripStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const
{
    if (element != PE_IndicatorToolBarHandle)
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

int CNoGripStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    constexpr int kDragEdge = 4;
    return metric == PM_ToolBarHandleExtent ? kDragEdge : QProxyStyle::pixelMetric(metric, option, widget);
}

#include "render/GraphicsPath.h"

#include <QRectF>

CGraphicsPath::CGraphicsPath()
{
    m_path.setFillRule(Qt::OddEvenFill);
}

void CGraphicsPath::AddEllipse(const QRectF& box)
{
    CloseFigure();
    m_path.addEllipse(box);
}

void CGraphicsPath::AddRectangle(const QRectF& box)
{
    CloseFigure();
    m_path.addRect(box);
}

void CGraphicsPath::AddArc(const QRectF& box, float startAngle, float sweepAngle)
{
    // Qt counts angles counter-clockwise on screen: mirror both.
    if (!m_figureOpen)
        m_path.arcMoveTo(box, -startAngle);
    m_path.arcTo(box, -startAngle, -sweepAngle);
    m_figureOpen = true;
}

void CGraphicsPath::CloseFigure()
{
    if (m_figureOpen)
        m_path.closeSubpath();
    m_figureOpen = false;
}

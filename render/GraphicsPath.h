#pragma once

#include <QList>
#include <QPainterPath>
#include <QRectF>

// A path built the way the renderers describe their outlines: closed
// ellipses and rectangles, and open figures of arcs measured in degrees
// clockwise from the positive x axis with y growing downward (90 is the
// bottom of an ellipse, 270 its top). Successive arcs of one figure are
// joined by straight lines; a fill closes an open figure with a straight line.
// Filled with the alternate (even-odd) rule. Curves are laid down as chords
// fine enough for anti-aliased edges as exact as the area they enclose; the
// figures are kept as well, exactly as added, for painters that draw curves
// themselves.
class CGraphicsPath
{
public:
    // One call that built the path, with the figure it added or continued.
    struct SElement
    {
        enum class EKind { Ellipse, Rectangle, Arc, Close } kind;
        QRectF box;
        float startAngle = 0;
        float sweepAngle = 0;
    };

    CGraphicsPath();

    // Each adds a closed figure of its own.
    void AddEllipse(const QRectF& box);
    void AddRectangle(const QRectF& box);
    // Continues the open figure (or starts one) with the arc of the ellipse
    // inscribed in box from startAngle through sweepAngle.
    void AddArc(const QRectF& box, float startAngle, float sweepAngle);
    // Ends the open figure; the next arc starts a new one.
    void CloseFigure();

    const QPainterPath& Path() const { return m_path; }
    // The figures in the order they were added; a figure still open at the
    // end is closed by the fill.
    const QList<SElement>& Elements() const { return m_elements; }

private:
    void AppendArc(const QRectF& box, float startAngle, float sweepAngle, bool exactEnds);

    QPainterPath m_path;
    QList<SElement> m_elements;
    bool m_figureOpen = false;
};

// path with its curves laid down as chords as fine as CGraphicsPath's (for
// outlines made elsewhere, such as a caption's glyphs).
QPainterPath WithFineChords(const QPainterPath& path);

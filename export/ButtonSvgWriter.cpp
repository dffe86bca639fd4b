#include "export/ButtonSvgWriter.h"

#include "render/ButtonLayers.h"
#include "render/CanvasGraphics.h"
#include "render/CaptionMask.h"
#include "render/ImageFiles.h"

#include <QHash>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Coordinates are written in thousandths of a pixel.
constexpr double kUnitsPerPixel = 1000;
// How far the pieces of a computed gradient reach beyond its outline, in
// pixels: the outline's colour goes on under every pixel the outline's
// anti-aliased edge touches.
constexpr double kGaugeFringe = 2;

qint64 Units(double v)
{
    constexpr double kLimit = 1e12;
    return std::isfinite(v) ? std::llround(std::clamp(v * kUnitsPerPixel, -kLimit, kLimit)) : 0;
}

// A number in thousandths as SVG writes it shortest: no trailing zeros, no
// zero before the point.
QByteArray FromUnits(qint64 units)
{
    if (units == 0)
        return "0";
    QByteArray text = units < 0 ? "-" : "";
    const qint64 magnitude = units < 0 ? -units : units;
    if (magnitude >= 1000)
        text += QByteArray::number(magnitude / 1000);
    qint64 fraction = magnitude % 1000;
    if (fraction != 0) {
        int digits = 3;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += '.' + QByteArray::number(fraction).rightJustified(digits, '0');
    }
    return text;
}

QByteArray Number(double v)
{
    return FromUnits(Units(v));
}

QByteArray Hex(int r, int g, int b)
{
    if (r % 17 == 0 && g % 17 == 0 && b % 17 == 0)
        return '#' + QByteArray::number(r / 17 * 0x100 + g / 17 * 0x10 + b / 17, 16).rightJustified(3, '0');
    return '#' + QByteArray::number(r << 16 | g << 8 | b, 16).rightJustified(6, '0');
}

QByteArray Hex(ARGB color)
{
    return Hex(ArgbRed(color), ArgbGreen(color), ArgbBlue(color));
}

QByteArray Attribute(const char* name, const QByteArray& value)
{
    return ' ' + QByteArray(name) + "=\"" + value + '"';
}

// A colour's channels at 16 bits, the precision of the gradient stops.
double Channel16(int value)
{
    return value / 257.0;
}

// The attributes for painting in color (an ARGB colour) as property, with
// its opacity when that is not 1.
QByteArray Paint(const char* property, ARGB color)
{
    QByteArray text = Attribute(property, Hex(color));
    if (ArgbAlpha(color) != 255)
        text += Attribute((QByteArray(property) + "-opacity").constData(), Number(ArgbAlpha(color) / 255.0));
    return text;
}

// Path data in relative commands, each coordinate rounded once in absolute
// terms so that the rounding never adds up.
class CPathData
{
public:
    void Move(QPointF p) { Command('m', {p}); m_start = m_current; }
    void Line(QPointF p) { Command('l', {p}); }
    void Cubic(QPointF c1, QPointF c2, QPointF p) { Command('c', {c1, c2, p}); }
    void Quadratic(QPointF c, QPointF p) { Command('q', {c, p}); }
    void Arc(double rx, double ry, bool clockwise, QPointF p)
    {
        Letter('a');
        Append(Units(rx));
        Append(Units(ry));
        Append(0);
        Append(0);
        Append(clockwise ? 1000 : 0);
        Point(p);
    }
    void Close()
    {
        Letter('z');
        m_current = m_start;
    }
    const QByteArray& Data() const { return m_data; }

private:
    void Command(char letter, std::initializer_list<QPointF> points)
    {
        Letter(letter);
        const QPoint from = m_current;
        for (QPointF p : points) {
            const QPoint to = Point(p, from);
            m_current = to;
        }
    }
    void Point(QPointF p) { m_current = Point(p, m_current); }
    QPoint Point(QPointF p, QPoint from)
    {
        // Units fit an int for every canvas a render allows.
        const QPoint to(int(Units(p.x())), int(Units(p.y())));
        Append(to.x() - from.x());
        Append(to.y() - from.y());
        return to;
    }
    void Letter(char letter)
    {
        // A command letter repeats by itself, except after a move.
        if (letter != m_letter || letter == 'm' || letter == 'z') {
            m_data += letter;
            m_separate = false;
            m_pointNumber = false;
        }
        m_letter = letter;
    }
    void Append(qint64 units)
    {
        const QByteArray number = FromUnits(units);
        // A number after a number needs a separator unless its sign or its
        // point (after a number that has one) ends the one before.
        if (m_separate && number[0] != '-' && !(number[0] == '.' && m_pointNumber))
            m_data += ' ';
        m_data += number;
        m_separate = true;
        m_pointNumber = number.contains('.');
    }

    QByteArray m_data;
    QPoint m_current;
    QPoint m_start;
    char m_letter = 0;
    bool m_separate = false;
    bool m_pointNumber = false;
};

QPointF EllipsePoint(const QRectF& box, double degrees)
{
    const double radians = degrees * std::numbers::pi / 180;
    return QPointF(box.center().x() + box.width() / 2 * std::cos(radians),
                   box.center().y() + box.height() / 2 * std::sin(radians));
}

// Appends an arc of box's ellipse as pieces of at most a quarter turn.
void AppendArc(CPathData& data, const QRectF& box, double start, double sweep)
{
    const int pieces = std::max(1, int(std::ceil(std::fabs(sweep) / 90 - 1e-9)));
    for (int i = 1; i <= pieces; ++i)
        data.Arc(std::fabs(box.width() / 2), std::fabs(box.height() / 2), sweep > 0,
                 EllipsePoint(box, start + sweep * i / pieces));
}

QByteArray PathData(const CGraphicsPath& path)
{
    CPathData data;
    bool open = false;
    for (const CGraphicsPath::SElement& element : path.Elements()) {
        const QRectF& box = element.box;
        switch (element.kind) {
        case CGraphicsPath::SElement::EKind::Ellipse:
            data.Move(EllipsePoint(box, 0));
            AppendArc(data, box, 0, 360);
            data.Close();
            break;
        case CGraphicsPath::SElement::EKind::Rectangle:
            data.Move(box.topLeft());
            data.Line(box.topRight());
            data.Line(box.bottomRight());
            data.Line(box.bottomLeft());
            data.Close();
            break;
        case CGraphicsPath::SElement::EKind::Arc:
            if (open)
                data.Line(EllipsePoint(box, element.startAngle));
            else
                data.Move(EllipsePoint(box, element.startAngle));
            AppendArc(data, box, element.startAngle, element.sweepAngle);
            open = true;
            break;
        case CGraphicsPath::SElement::EKind::Close:
            data.Close();
            open = false;
            break;
        }
    }
    return data.Data();
}

// Path data of a Qt path; cubics that are raised quadratics (as TrueType
// glyphs give) are written as quadratics.
QByteArray PathData(const QPainterPath& path)
{
    CPathData data;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element& element = path.elementAt(i);
        if (element.isMoveTo()) {
            if (i > 0)
                data.Close();
            data.Move(element);
        } else if (element.isLineTo()) {
            data.Line(element);
        } else if (element.isCurveTo() && i + 2 < path.elementCount()) {
            const QPointF p0 = path.elementAt(i - 1), c1 = element, c2 = path.elementAt(i + 1),
                          p3 = path.elementAt(i + 2);
            const QPointF q1 = (3 * c1 - p0) / 2, q2 = (3 * c2 - p3) / 2;
            if (std::fabs(q1.x() - q2.x()) + std::fabs(q1.y() - q2.y()) < 0.5 / kUnitsPerPixel)
                data.Quadratic(q1, p3);
            else
                data.Cubic(c1, c2, p3);
            i += 2;
        }
    }
    if (path.elementCount() > 0)
        data.Close();
    return data.Data();
}

// The element of a region: an ellipse or a rectangle by itself, else a path.
QByteArray ShapeElement(const CGraphicsPath& region, const QByteArray& attributes)
{
    const auto& elements = region.Elements();
    if (elements.size() == 1) {
        const QRectF& box = elements.front().box;
        if (box.width() > 0 && box.height() > 0) {
            if (elements.front().kind == CGraphicsPath::SElement::EKind::Ellipse)
                return "<ellipse" + Attribute("cx", Number(box.center().x()))
                       + Attribute("cy", Number(box.center().y())) + Attribute("rx", Number(box.width() / 2))
                       + Attribute("ry", Number(box.height() / 2)) + attributes + "/>";
            if (elements.front().kind == CGraphicsPath::SElement::EKind::Rectangle)
                return "<rect" + Attribute("x", Number(box.x())) + Attribute("y", Number(box.y()))
                       + Attribute("width", Number(box.width())) + Attribute("height", Number(box.height()))
                       + attributes + "/>";
        }
    }
    return "<path" + Attribute("d", PathData(region)) + attributes + "/>";
}

QByteArray PolygonElement(std::initializer_list<QPointF> points, const QByteArray& attributes)
{
    CPathData data;
    data.Move(*points.begin());
    for (auto p = points.begin() + 1; p != points.end(); ++p)
        data.Line(*p);
    data.Close();
    return "<path" + Attribute("d", data.Data()) + attributes + "/>";
}

QByteArray RectElement(const QRectF& box, const QByteArray& attributes)
{
    return "<rect" + Attribute("x", Number(box.x())) + Attribute("y", Number(box.y()))
           + Attribute("width", Number(box.width())) + Attribute("height", Number(box.height())) + attributes
           + "/>";
}

// A gradient stop: offset and colour with 16-bit channels.
struct SStop
{
    double offset;
    QRgba64 color;
};

QList<SStop> StopsOf(const QGradientStops& stops)
{
    QList<SStop> result;
    for (const QGradientStop& stop : stops)
        result.append({std::clamp(stop.first, 0.0, 1.0), stop.second.rgba64()});
    return result;
}

// stops from the far end (offset 1 - offset), in order of offset.
QList<SStop> Reversed(const QList<SStop>& stops)
{
    QList<SStop> result;
    for (auto it = stops.rbegin(); it != stops.rend(); ++it)
        result.append({1 - it->offset, it->color});
    return result;
}

// What a gauge's stops are painted with when colour and alpha are split:
// the colours opaque, and the alphas as opaque greys for a mask.
QList<SStop> OpaqueColors(QList<SStop> stops)
{
    for (SStop& stop : stops)
        stop.color.setAlpha(65535);
    return stops;
}

QList<SStop> AlphaGreys(QList<SStop> stops)
{
    for (SStop& stop : stops) {
        const quint16 a = stop.color.alpha();
        stop.color = QRgba64::fromRgba64(a, a, a, 65535);
    }
    return stops;
}

bool SameColor(const QList<SStop>& stops)
{
    return std::all_of(stops.begin(), stops.end(), [&](const SStop& stop) {
        return stop.color.toArgb32() << 8 == stops.front().color.toArgb32() << 8;
    });
}

class CDocumentWriter
{
public:
    explicit CDocumentWriter(QSize canvas) : m_canvas(canvas) {}

    void Background(ARGB color)
    {
        m_body += "<rect" + Attribute("width", QByteArray::number(m_canvas.width()))
                  + Attribute("height", QByteArray::number(m_canvas.height())) + Attribute("fill", Hex(color))
                  + "/>\n";
    }

    void Layers(const CButtonLayers& layers, const std::optional<SColorMatrix>& matrix)
    {
        if (matrix)
            m_body += "<g" + Attribute("filter", Url(Filter(*matrix))) + ">\n";
        // Drawing coordinates put pixel centres on whole numbers.
        m_body += "<g transform=\"translate(.5 .5)\">\n";
        for (const SButtonLayer& layer : layers.Layers()) {
            std::visit([this](const auto& l) { Layer(l); }, layer);
            m_body += '\n';
        }
        m_body += "</g>\n";
        if (matrix)
            m_body += "</g>\n";
    }

    QByteArray Document() const
    {
        const QByteArray width = QByteArray::number(m_canvas.width());
        const QByteArray height = QByteArray::number(m_canvas.height());
        QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\"";
        if (m_linked)
            svg += " xmlns:xlink=\"http://www.w3.org/1999/xlink\"";
        svg += Attribute("width", width + "px") + Attribute("height", height + "px")
               + Attribute("viewBox", "0 0 " + width + ' ' + height) + Attribute("fill-rule", "evenodd") + ">\n";
        if (!m_defs.isEmpty())
            svg += "<defs>\n" + m_defs + "</defs>\n";
        return svg + m_body + "</svg>\n";
    }

private:
    QByteArray NewId()
    {
        QByteArray id;
        for (int n = m_ids++; n >= 0; n = n / 26 - 1)
            id.prepend(char('a' + n % 26));
        return id;
    }
    static QByteArray Url(const QByteArray& id) { return "url(#" + id + ')'; }
    QByteArray Link(const QByteArray& id)
    {
        m_linked = true;
        return Attribute("xlink:href", '#' + id);
    }

    static QByteArray StopElements(const QList<SStop>& stops)
    {
        QByteArray text;
        for (const SStop& stop : stops) {
            text += "<stop";
            if (stop.offset > 0)
                text += Attribute("offset", Number(stop.offset));
            const QRgba64 c = stop.color;
            const QByteArray hex = Hex(qRound(Channel16(c.red())), qRound(Channel16(c.green())),
                                       qRound(Channel16(c.blue())));
            if (hex != "#000")
                text += Attribute("stop-color", hex);
            if (!c.isOpaque())
                text += Attribute("stop-opacity", Number(c.alpha() / 65535.0));
            text += "/>";
        }
        return text;
    }

    // A gradient element in user space with attributes and stops; its id.
    QByteArray Gradient(const char* element, const QByteArray& attributes, const QList<SStop>& stops)
    {
        const QByteArray id = NewId();
        m_defs += '<' + QByteArray(element) + Attribute("id", id) + " gradientUnits=\"userSpaceOnUse\"" + attributes
                  + '>' + StopElements(stops) + "</" + element + ">\n";
        return id;
    }

    // Vertical from top (offset 0) to bottom (offset 1).
    QByteArray VerticalGradient(double top, double bottom, const QList<SStop>& stops, const char* spread)
    {
        return Gradient("linearGradient",
                        Attribute("x2", "0") + Attribute("y1", Number(top)) + Attribute("y2", Number(bottom))
                            + Attribute("spreadMethod", spread),
                        stops);
    }

    QByteArray HorizontalGradient(double left, double right, const QList<SStop>& stops, const char* spread)
    {
        return Gradient("linearGradient",
                        Attribute("x1", Number(left)) + Attribute("x2", Number(right))
                            + Attribute("spreadMethod", spread),
                        stops);
    }

    void Layer(const SShapeLayer& layer)
    {
        std::visit([&](const auto& paint) { Shape(layer.region, paint); }, layer.paint);
    }

    void Shape(const CGraphicsPath& region, const SVerticalGradient& gradient)
    {
        const QList<SStop> stops = StopsOf(gradient.blend.Stops(gradient.top, gradient.bottom));
        const QByteArray id = VerticalGradient(gradient.box.top(), gradient.box.bottom(), stops, "repeat");
        m_body += ShapeElement(region, Attribute("fill", Url(id)));
    }

    void Shape(const CGraphicsPath& region, const SOutlineStroke& stroke)
    {
        m_body += ShapeElement(region, Attribute("fill", "none") + Paint("stroke", stroke.color)
                                           + Attribute("stroke-width", Number(stroke.width)));
    }

    void Shape(const CGraphicsPath& region, const CPathGradient& gradient)
    {
        // Offset 0 on the outline, 1 at the centre.
        const QList<SStop> stops = StopsOf(gradient.Blend().Stops(gradient.SurroundColor(), gradient.CenterColor()));
        const QRectF& box = gradient.Box();
        if (gradient.Outline() == CPathGradient::EOutline::Ellipse) {
            const QByteArray id = Gradient(
                "radialGradient",
                Attribute("cx", "0") + Attribute("cy", "0") + Attribute("r", "1")
                    + Attribute("gradientTransform", "matrix(" + Number(box.width() / 2) + " 0 0 "
                                                         + Number(box.height() / 2) + ' ' + Number(box.center().x())
                                                         + ' ' + Number(box.center().y()) + ')'),
                Reversed(stops));
            m_body += ShapeElement(region, Attribute("fill", Url(id)));
            return;
        }
        // Colour and alpha split: a mask carries the alphas, so that the
        // gauge's pieces, each laid over the one before, replace it rather
        // than show through.
        const QByteArray mask = NewId();
        const QRectF extent = box.adjusted(-kGaugeFringe, -kGaugeFringe, kGaugeFringe, kGaugeFringe);
        const QByteArray alphas = GaugePieces(gradient, AlphaGreys(stops));
        m_defs += "<mask" + Attribute("id", mask) + " maskUnits=\"userSpaceOnUse\"" + Attribute("x", Number(extent.x()))
                  + Attribute("y", Number(extent.y())) + Attribute("width", Number(extent.width()))
                  + Attribute("height", Number(extent.height())) + '>' + alphas + "</mask>\n";
        if (SameColor(stops)) {
            m_body += ShapeElement(region, Attribute("fill", Hex(stops.front().color.toArgb32()))
                                               + Attribute("mask", Url(mask)));
            return;
        }
        const QByteArray clip = NewId();
        m_defs += "<clipPath" + Attribute("id", clip) + '>' + ShapeElement(region, {}) + "</clipPath>\n";
        m_body += "<g" + Attribute("clip-path", Url(clip)) + Attribute("mask", Url(mask)) + '>'
                  + GaugePieces(gradient, OpaqueColors(stops)) + "</g>";
    }

    // The gauge of a rectangle or capsule outline in opaque pieces, each
    // exact where it lies. The lines of equal colour run straight along the
    // long sides and the short sides (the rectangle) or around the ends
    // (the capsule); a bow-tie through the centre and the outline's
    // corners (the ends of its straight edges) takes the vertical ramp, the
    // rest the horizontal ramp or the ends' circles. Both agree on the
    // bow-tie's edges, so its anti-aliasing blends equal colours.
    QByteArray GaugePieces(const CPathGradient& gradient, const QList<SStop>& stops)
    {
        const QRectF& box = gradient.Box();
        const QRectF extent = box.adjusted(-kGaugeFringe, -kGaugeFringe, kGaugeFringe, kGaugeFringe);
        const QPointF c = box.center();
        const double a = box.width() / 2, b = box.height() / 2;
        const QByteArray vertical = VerticalGradient(c.y() - b, c.y(), stops, "reflect");
        QByteArray pieces;
        // Half the straight edge's length: the bow-tie's corners.
        double straight = a;
        if (gradient.Outline() == CPathGradient::EOutline::Rectangle) {
            const QByteArray horizontal = HorizontalGradient(c.x() - a, c.x(), stops, "reflect");
            pieces += RectElement(extent, Attribute("fill", Url(horizontal)));
        } else {
            // Each end: the circles of equal colour have radius s b around
            // points s (a - b) out from the centre, s running from 1 on the
            // outline to 0 at the centre: a two-circle gradient from the
            // end's circle (the focal circle) to the centre point. A point
            // lies on two of these circles when a - b > b; renderers take
            // the one nearer the end point, the one of the outline's copy
            // through the point. With a - b < 0 (narrower than high) the
            // end's circles lie on the other side, as the outline's do.
            const double offset = a - b;
            straight = std::fabs(offset);
            const QRectF left(extent.left(), extent.top(), c.x() - extent.left(), extent.height());
            const QRectF right(c.x(), extent.top(), extent.right() - c.x(), extent.height());
            for (const auto& [half, end] : {std::pair{left, c.x() - offset}, std::pair{right, c.x() + offset}}) {
                const QByteArray cone = Gradient("radialGradient",
                                                 Attribute("cx", Number(c.x())) + Attribute("cy", Number(c.y()))
                                                     + Attribute("r", "0") + Attribute("fx", Number(end))
                                                     + Attribute("fy", Number(c.y())) + Attribute("fr", Number(b)),
                                                 stops);
                pieces += RectElement(half, Attribute("fill", Url(cone)));
            }
        }
        // The bow-tie, grown beyond the outline by the fringe.
        const double grow = 1 + kGaugeFringe / std::min(a, b);
        const double dx = straight * grow, dy = b * grow;
        pieces += PolygonElement({QPointF(c.x() - dx, c.y() - dy), QPointF(c.x() + dx, c.y() - dy),
                                  QPointF(c.x() - dx, c.y() + dy), QPointF(c.x() + dx, c.y() + dy)},
                                 Attribute("fill", Url(vertical)));
        return pieces;
    }

    void Layer(const SPictureLayer& layer)
    {
        // A vector picture stays vectors; opacity folding applies to pixels only.
        const CPicture& source = layer.picture;
        const QImage picture = source.IsVector() ? QImage() : layer.DrawnPicture(source.GetPixels());
        const QByteArray key = (source.IsVector() ? source.GetSvg() : QByteArray::number(picture.cacheKey())) + ' ' + Number(layer.target.width()) + ' '
                               + Number(layer.target.height());
        QByteArray& id = m_pictures[key];
        if (id.isEmpty()) {
            id = NewId();
            m_defs += "<image" + Attribute("id", id) + Attribute("width", Number(layer.target.width()))
                      + Attribute("height", Number(layer.target.height()))
                      + Attribute("preserveAspectRatio", "none")
                      + Attribute("xlink:href", source.IsVector()
                                                    ? "data:image/svg+xml;base64," + source.GetSvg().toBase64()
                                                    : "data:image/png;base64," + EncodePng(picture).toBase64())
                      + "/>\n";
            m_linked = true;
        }
        m_body += "<use" + Link(id) + Attribute("x", Number(layer.target.x())) + Attribute("y", Number(layer.target.y()));
        if (layer.DrawnOpacity() < 1)
            m_body += Attribute("opacity", Number(layer.DrawnOpacity()));
        m_body += "/>";
    }

    void Layer(const SCaptionLayer& layer)
    {
        const QByteArray key = layer.font.family.toUtf8() + '\n'
                               + QByteArray::number(double(layer.font.emPoints), 'g', 9)
                               + (layer.font.bold ? "\nbold\n" : "\n\n") + layer.text.toUtf8();
        QByteArray& id = m_captions[key];
        if (id.isEmpty()) {
            id = NewId();
            m_defs += "<path" + Attribute("id", id)
                      + Attribute("d", PathData(CaptionOutline(layer.font, layer.text, QPointF(0, 0))))
                      + "/>\n";
        }
        m_body += "<use" + Link(id) + Attribute("x", Number(layer.point.x())) + Attribute("y", Number(layer.point.y()))
                  + Paint("fill", layer.color) + "/>";
    }

    QByteArray Filter(const SColorMatrix& matrix)
    {
        const QByteArray id = NewId();
        QByteArray values;
        for (float v : matrix)
            values += (values.isEmpty() ? "" : " ") + Number(v);
        // Over the whole canvas, on straight sRGB values as the image rule.
        m_defs += "<filter" + Attribute("id", id) + " filterUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\""
                  + Attribute("width", QByteArray::number(m_canvas.width()))
                  + Attribute("height", QByteArray::number(m_canvas.height()))
                  + " color-interpolation-filters=\"sRGB\"><feColorMatrix" + Attribute("values", values)
                  + "/></filter>\n";
        return id;
    }

    QSize m_canvas;
    QByteArray m_defs;
    QByteArray m_body;
    QHash<QByteArray, QByteArray> m_pictures;
    QHash<QByteArray, QByteArray> m_captions;
    int m_ids = 0;
    bool m_linked = false;
};

} // namespace

CButtonSvgWriter::CButtonSvgWriter(QSize canvas) : m_canvas(canvas)
{
}

QByteArray CButtonSvgWriter::Write(const CButtonLayers& layers) const
{
    CDocumentWriter writer(m_canvas);
    if (m_background)
        writer.Background(*m_background);
    writer.Layers(layers, m_matrix);
    return writer.Document();
}

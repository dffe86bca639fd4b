#include "shell/ToolBarIcons.h"

#include "shell/CommandIds.h"
#include "design/IniFile.h"
#include "design/NacreformDoc.h"
#include "render/Render.h"

#include <QPainter>
#include <QPolygonF>

// The design of res/ApplicationIcon.nfd, embedded by the build.
extern const char kApplicationIconDesign[];

namespace {

// Pictogram colours.
const QColor kOutline(40, 52, 72);
const QColor kFolder(236, 188, 74);
const QColor kDisk(58, 110, 190);
const QColor kPaper(250, 250, 250);
const QColor kSky(120, 180, 236);
const QColor kHill(84, 160, 84);
const QColor kArrow(32, 150, 64);
const QColor kInfo(0, 105, 191);

// A design drawn at its own size by its renderer.
QImage RenderDesign(CNacreformDoc& doc)
{
    return doc.Renderer ? doc.Renderer->Render(doc) : QImage();
}

QImage NewCanvas()
{
    QImage canvas(CToolBarIcons::kSide, CToolBarIcons::kSide, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

void BeginPictogram(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kOutline, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// Fills and outlines the closed figure through the corners, in the current pen.
void FillPolygon(QPainter& painter, const QPolygonF& corners, const QColor& fill)
{
    painter.setBrush(fill);
    painter.drawPolygon(corners);
}

void DrawArrowRight(QPainter& painter, const QPointF& tail, qreal length)
{
    const qreal shaft = 3;
    const qreal head = 6;
    QPolygonF arrow({QPointF(0, -shaft), QPointF(length - head, -shaft), QPointF(length - head, -head - 1),
                     QPointF(length, 0), QPointF(length - head, head + 1), QPointF(length - head, shaft),
                     QPointF(0, shaft)});
    arrow.translate(tail);
    FillPolygon(painter, arrow, kArrow);
}

QImage DrawOpen()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    BeginPictogram(painter);
    FillPolygon(painter, QPolygonF({QPointF(3, 8), QPointF(12, 8), QPointF(15, 11), QPointF(27, 11),
                                    QPointF(27, 27), QPointF(3, 27)}),
                kFolder.darker(115));
    FillPolygon(painter, QPolygonF({QPointF(3, 27), QPointF(8, 15), QPointF(31, 15), QPointF(27, 27)}),
                kFolder);
    return canvas;
}

void DrawDisk(QPainter& painter)
{
    BeginPictogram(painter);
    FillPolygon(painter, QPolygonF({QPointF(4, 4), QPointF(24, 4), QPointF(28, 8), QPointF(28, 28),
                                    QPointF(4, 28)}),
                kDisk);
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(9, 4, 13, 9));
    painter.drawRect(QRectF(8, 18, 16, 10));
    painter.setBrush(kOutline);
    painter.drawRect(QRectF(17, 6, 3, 5));
}

QImage DrawSave()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    DrawDisk(painter);
    return canvas;
}

// The disk with a pencil over its label: saved under a name to be written.
QImage DrawSaveAs()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    DrawDisk(painter);
    FillPolygon(painter, QPolygonF({QPointF(14, 30), QPointF(15, 25), QPointF(27, 13), QPointF(31, 17),
                                    QPointF(19, 29)}),
                kFolder);
    return canvas;
}

QImage DrawExport()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    BeginPictogram(painter);
    const QRectF frame(2, 4, 22, 18);
    painter.setBrush(kSky);
    painter.drawRect(frame);
    FillPolygon(painter, QPolygonF({frame.bottomLeft(), QPointF(9, 13), QPointF(14, 18), QPointF(18, 15),
                                    frame.bottomRight()}),
                kHill);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(18, 9), 2.5, 2.5);
    DrawArrowRight(painter, QPointF(14, 25), 16);
    return canvas;
}

// The export pictogram's picture three times, fanned out: several images
// at once.
QImage DrawExportSet()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    BeginPictogram(painter);
    for (int i = 2; i >= 0; --i) {
        const QRectF frame(2 + 4 * i, 2 + 3 * i, 16, 13);
        painter.setBrush(i == 0 ? kSky : kPaper);
        painter.drawRect(frame);
        if (i == 0)
            FillPolygon(painter, QPolygonF({frame.bottomLeft(), QPointF(7, 10), QPointF(11, 13.5), QPointF(14, 11.5),
                                            frame.bottomRight()}),
                        kHill);
    }
    DrawArrowRight(painter, QPointF(14, 26), 16);
    return canvas;
}

QImage DrawAbout()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    BeginPictogram(painter);
    painter.setBrush(kInfo);
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(16, 10), 2.2, 2.2);
    painter.drawRoundedRect(QRectF(14, 14, 4, 10), 1, 1);
    return canvas;
}

} // namespace

QImage CToolBarIcons::DrawShape(unsigned renderId)
{
    // Wide enough to tell the rectangle and the capsule from the circles.
    constexpr int kRoundSide = 28;
    constexpr DesignSize kWideShape{30, 20};
    CNacreformDoc doc;
    doc.SelectRenderer(renderId, false, false);
    doc.Margin = 1;
    doc.String.clear();
    doc.EnableShapeShadow = false;
    const bool wide = renderId == kRenderRectangle || renderId == kRenderCapsule;
    doc.ShapeSize = wide ? kWideShape : DesignSize{kRoundSide, kRoundSide};
    const QImage shape = RenderDesign(doc);
    if (shape.isNull())
        return {};
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    painter.drawImage(QPoint((kSide - shape.width()) / 2, (kSide - shape.height()) / 2), shape);
    return canvas;
}

QIcon CToolBarIcons::CommandIcon(unsigned id)
{
    QImage picture;
    switch (id) {
    case kIdFileOpen: picture = DrawOpen(); break;
    case kIdFileSave: picture = DrawSave(); break;
    case kIdFileSaveAs: picture = DrawSaveAs(); break;
    case kIdExportImage: picture = DrawExport(); break;
    case kIdExportImageSet: picture = DrawExportSet(); break;
    case kIdAppAbout: picture = DrawAbout(); break;
    case kRenderCircle00:
    case kRenderCircle01:
    case kRenderRectangle:
    case kRenderCapsule: picture = DrawShape(id); break;
    default: return {};
    }
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

QImage CToolBarIcons::DrawApplicationIcon(int side)
{
    CNacreformDoc doc;
    CIniFile design(QString(), false);
    design.LoadText(QByteArray(kApplicationIconDesign));
    doc.ExchangeDesign(false, design);
    // The margin rule of the installed icon set (dist/RenderIcons.cmake).
    doc.Margin = side / 16;
    doc.ShapeSize = {side - 2 * doc.Margin, side - 2 * doc.Margin};
    doc.SelectRenderer(doc.RenderID, true, false);
    return RenderDesign(doc);
}

QIcon CToolBarIcons::ApplicationIcon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64}) {
        const QImage picture = DrawApplicationIcon(side);
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    return icon;
}

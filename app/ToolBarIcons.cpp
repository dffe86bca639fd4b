#include "app/ToolBarIcons.h"

#include "app/CommandIds.h"
#include "design/NacreformDoc.h"
#include "render/Render.h"

#include <QPainter>
#include <QPainterPath>

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

void DrawArrowRight(QPainter& painter, const QPointF& tail, qreal length)
{
    QPainterPath arrow;
    const qreal shaft = 3;
    const qreal head = 6;
    arrow.moveTo(tail + QPointF(0, -shaft));
    arrow.lineTo(tail + QPointF(length - head, -shaft));
    arrow.lineTo(tail + QPointF(length - head, -head - 1));
    arrow.lineTo(tail + QPointF(length, 0));
    arrow.lineTo(tail + QPointF(length - head, head + 1));
    arrow.lineTo(tail + QPointF(length - head, shaft));
    arrow.lineTo(tail + QPointF(0, shaft));
    arrow.closeSubpath();
    painter.setBrush(kArrow);
    painter.drawPath(arrow);
}

QImage DrawOpen()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    BeginPictogram(painter);
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(15, 11);
    back.lineTo(27, 11);
    back.lineTo(27, 27);
    back.lineTo(3, 27);
    back.closeSubpath();
    painter.setBrush(kFolder.darker(115));
    painter.drawPath(back);
    QPainterPath front;
    front.moveTo(3, 27);
    front.lineTo(8, 15);
    front.lineTo(31, 15);
    front.lineTo(27, 27);
    front.closeSubpath();
    painter.setBrush(kFolder);
    painter.drawPath(front);
    return canvas;
}

QImage DrawSaveAs()
{
    QImage canvas = NewCanvas();
    QPainter painter(&canvas);
    BeginPictogram(painter);
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(24, 4);
    body.lineTo(28, 8);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    painter.setBrush(kDisk);
    painter.drawPath(body);
    painter.setBrush(kPaper);
    painter.drawRect(QRectF(9, 4, 13, 9));
    painter.drawRect(QRectF(8, 18, 16, 10));
    painter.setBrush(kOutline);
    painter.drawRect(QRectF(17, 6, 3, 5));
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
    QPainterPath hill;
    hill.moveTo(frame.bottomLeft());
    hill.lineTo(9, 13);
    hill.lineTo(14, 18);
    hill.lineTo(18, 15);
    hill.lineTo(frame.bottomRight());
    hill.closeSubpath();
    painter.setBrush(kHill);
    painter.drawPath(hill);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(18, 9), 2.5, 2.5);
    DrawArrowRight(painter, QPointF(14, 25), 16);
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
    case kIdFileSaveAs: picture = DrawSaveAs(); break;
    case kIdExportImage: picture = DrawExport(); break;
    case kIdAppAbout: picture = DrawAbout(); break;
    case kRenderCircle00:
    case kRenderCircle01:
    case kRenderRectangle:
    case kRenderCapsule: picture = DrawShape(id); break;
    default: return {};
    }
    return picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture));
}

QIcon CToolBarIcons::ApplicationIcon()
{
    CNacreformDoc doc;
    const QImage design = RenderDesign(doc);
    if (design.isNull())
        return {};
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(
            design.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    return icon;
}

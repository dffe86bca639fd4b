#include "export/SvgExport.h"

#include "design/NacreformDoc.h"
#include "export/ButtonSvgWriter.h"
#include "render/ButtonLayers.h"
#include "render/CanvasGraphics.h"
#include "render/Render.h"

QByteArray EncodeButtonSvg(const CNacreformDoc& design, EButtonState state, QString* why)
{
    const QSize canvas = CanvasSize(design);
    if (canvas.isEmpty()) {
        if (why)
            *why = design.Renderer ? QStringLiteral("the design's canvas is too large or no number")
                                   : QStringLiteral("the design has no shape");
        return {};
    }
    CNacreformDoc doc;
    const SCanvasLayout layout = PrepareStateDesign(design, state, doc);
    CButtonSvgWriter writer(canvas);
    if (!design.BGTrans)
        writer.SetBackground(ColorRefToArgb(design.BGColor));
    if (const SColorMatrix* matrix = StateColorMatrix(state))
        writer.SetColorMatrix(*matrix);
    // A canvas without area stays empty, as the bitmap does.
    if (!(layout.width > 0 && layout.height > 0))
        return writer.Write(CButtonLayers(CanvasTransform(1)));
    return writer.Write(doc.Renderer->Layers(doc, layout, 1));
}

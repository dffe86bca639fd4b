#include "export/ButtonStates.h"

#include "design/NacreformDoc.h"
#include "render/DisplayBitmap.h"
#include "render/Render.h"


#include <cmath>

namespace {

constexpr float kHoverLighten = 0.15f;
constexpr float kPressedDarken = 0.15f;

// Each channel of color moved share of the way toward target (0 or 255).
COLORREF MixToward(COLORREF color, int target, float share)
{
    COLORREF mixed = 0;
    for (int shift : {0, 8, 16}) {
        const int channel = int((color >> shift) & 0xFF);
        const int moved = int(std::lround(float(channel) + float(target - channel) * share));
        mixed |= COLORREF(moved) << shift;
    }
    return mixed;
}

void Hover(CNacreformDoc& doc, const SCanvasLayout&)
{
    doc.Color1 = MixToward(doc.Color1, 255, kHoverLighten);
    doc.Color2 = MixToward(doc.Color2, 255, kHoverLighten);
}

void Pressed(CNacreformDoc& doc, const SCanvasLayout& layout)
{
    doc.Color1 = MixToward(doc.Color1, 0, kPressedDarken);
    doc.Color2 = MixToward(doc.Color2, 0, kPressedDarken);
    // Caption and picture are placed in percent of the content rectangle's
    // height, which is the shape rectangle for every renderer.
    const float height = float(layout.shapeRect.height());
    if (height > 0) {
        const float onePixel = 100.0f / height;
        doc.TextPos.y += onePixel;
        doc.ImagePos.y += onePixel;
    }
    doc.ShapeShadowAlpha = (doc.ShapeShadowAlpha & 0xFF) / 2;
    doc.ShapeShadowPos = DesignPoint{doc.ShapeShadowPos.x * 0.5f, doc.ShapeShadowPos.y * 0.5f};
}

// Grey by luma (ITU-R BT.601 weights) at half the alpha; the same as a
// colour matrix, for output that applies it as a filter.
constexpr SColorMatrix kDisabledMatrix = {0.299f, 0.587f, 0.114f, 0, 0, //
                                          0.299f, 0.587f, 0.114f, 0, 0, //
                                          0.299f, 0.587f, 0.114f, 0, 0, //
                                          0, 0, 0, 0.5f, 0};

void Disabled(QImage& image)
{
    image.convertTo(QImage::Format_ARGB32);
    // Sizes read once: QImage::width() in the condition is a call a pixel.
    const int width = image.width(), height = image.height();
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb p = line[x];
            const int luma = (299 * qRed(p) + 587 * qGreen(p) + 114 * qBlue(p) + 500) / 1000;
            line[x] = qRgba(luma, luma, luma, (qAlpha(p) + 1) / 2);
        }
    }
}

struct SStateRule
{
    EButtonState state;
    const char* name;
    void (*design)(CNacreformDoc&, const SCanvasLayout&); // null: the design as it is
    void (*image)(QImage&);                                 // null: the image as rendered
    const SColorMatrix* matrix;                             // the image rule as a matrix
};

constexpr SStateRule kRules[] = {
    {EButtonState::Normal, "normal", nullptr, nullptr, nullptr},
    {EButtonState::Hover, "hover", Hover, nullptr, nullptr},
    {EButtonState::Pressed, "pressed", Pressed, nullptr, nullptr},
    {EButtonState::Disabled, "disabled", nullptr, Disabled, &kDisabledMatrix},
};

const SStateRule& Rule(EButtonState state)
{
    return kRules[int(state)];
}

} // namespace

const QList<EButtonState>& AllButtonStates()
{
    static const QList<EButtonState> states = {EButtonState::Normal, EButtonState::Hover, EButtonState::Pressed,
                                               EButtonState::Disabled};
    return states;
}

QString ButtonStateName(EButtonState state)
{
    return QString::fromLatin1(Rule(state).name);
}

std::optional<EButtonState> ParseButtonState(const QString& name)
{
    for (const SStateRule& rule : kRules) {
        if (name.trimmed().compare(QLatin1String(rule.name), Qt::CaseInsensitive) == 0)
            return rule.state;
    }
    return std::nullopt;
}

void ApplyStateToDesign(EButtonState state, CNacreformDoc& doc, const SCanvasLayout& layout)
{
    if (Rule(state).design)
        Rule(state).design(doc, layout);
}

const SColorMatrix* StateColorMatrix(EButtonState state)
{
    return Rule(state).matrix;
}

void ApplyStateToImage(EButtonState state, QImage& image)
{
    if (Rule(state).image && !image.isNull())
        Rule(state).image(image);
}

SCanvasLayout PrepareStateDesign(const CNacreformDoc& design, EButtonState state, CNacreformDoc& doc)
{
    doc.CopyDesignFrom(design);
    SCanvasLayout layout = doc.Renderer->GetCanvasLayout(doc);
    ApplyStateToDesign(state, doc, layout);
    if (doc.EnableShapeShadow && !(doc.ShapeShadowPos == design.ShapeShadowPos)) {
        // The state's own shadow, placed on the normal canvas like the shape.
        const QRectF shape = layout.shapeRect;
        const QRectF shadow =
            doc.Renderer->GetShadowRect(doc, QRectF(0, 0, shape.width() + 1, shape.height() + 1));
        layout.shadowRect = QRectF(shadow.x() + shape.x(), shadow.y() + shape.y(), shadow.width() - 1,
                                   shadow.height() - 1);
    }
    return layout;
}

QImage RenderButtonState(const CNacreformDoc& design, EButtonState state, double scale)
{
    if (!design.Renderer || !(scale >= kMinExportScale && scale <= kMaxExportScale))
        return {};
    CNacreformDoc doc;
    const SCanvasLayout layout = PrepareStateDesign(design, state, doc);
    QImage image = state == EButtonState::Normal && scale == 1.0 ? doc.Renderer->Render(doc)
                                                                  : doc.Renderer->RenderLayout(doc, layout, scale);
    ApplyStateToImage(state, image);
    return image;
}

QImage ComposeExportImage(const CNacreformDoc& design, const QImage& rendered)
{
    return design.BGTrans ? rendered : ComposeDisplayImage(design, rendered);
}

QSize CanvasSize(const CNacreformDoc& design)
{
    if (!design.Renderer)
        return {};
    const SCanvasLayout layout = design.Renderer->GetCanvasLayout(design);
    if (!(layout.width > 0 && layout.height > 0))
        return std::isfinite(layout.width) && std::isfinite(layout.height)
                   ? QSize(CRender::kEmptyCanvasSide, CRender::kEmptyCanvasSide)
                   : QSize();
    if (!(layout.width <= CRender::kMaxCanvasSide + 1 && layout.height <= CRender::kMaxCanvasSide + 1))
        return {};
    return QSize(int(layout.width), int(layout.height));
}

#include "render/TextLayer.h"

#include "design/NacreformDoc.h"
#include "render/ButtonLayers.h"
#include "render/CaptionMask.h"
#include "render/FontCatalog.h"
#include "render/Render.h"

#include <QPainterPath>

#include <cmath>

namespace {

std::optional<SCaptionFont> CreateFont(const QString& family, float emPoints, bool bold)
{
    if (family.isEmpty() || !(emPoints > 0) || !(emPoints <= CTextLayer::kMaxEmPoints))
        return std::nullopt;
    return SCaptionFont{family, emPoints, bold};
}

} // namespace

QString CTextLayer::GenericSansSerifFamily()
{
    // A fixed choice rather than whatever the font configuration prefers, so
    // that a design looks the same on every machine that has the family.
    static const QString family = [] {
        const CFontCatalog& catalog = CFontCatalog::Instance();
        const QString preferred = catalog.InstalledFamily(QStringLiteral("DejaVu Sans"));
        return preferred.isEmpty() ? catalog.SansSerifFamily() : preferred;
    }();
    return family;
}

CTextLayer::CTextLayer(const CNacreformDoc& doc, const QRectF& content)
    : m_doc(doc), m_content(content)
{
    const float w = float(content.width()), h = float(content.height());
    const QPointF c = RectCenter(content);
    m_point = QPointF(float(c.x()) + w * doc.TextPos.x * 0.01f, float(c.y()) + h * doc.TextPos.y * 0.01f);

    const float em = h * doc.FontSize * 0.01f;
    QString family = CFontCatalog::Instance().InstalledFamily(doc.FontName);
    if (family.isEmpty())
        family = GenericSansSerifFamily();
    m_font = CreateFont(family, em, doc.Bold);
    if (!m_font)
        m_font = CreateFont(GenericSansSerifFamily(), em, doc.Bold);
}

void CTextLayer::DrawShadow(CButtonLayers& layers) const
{
    const float w = float(m_content.width()), h = float(m_content.height());
    const QPointF point(float(m_point.x()) + w * m_doc.TextShadowPos.x * 0.01f,
                        float(m_point.y()) + h * m_doc.TextShadowPos.y * 0.01f);
    DrawAt(layers, point, ArgbWithAlpha(ColorRefToArgb(m_doc.GetTextShadowColor()), m_doc.TextShadowAlpha));
}

void CTextLayer::DrawCaption(CButtonLayers& layers) const
{
    DrawAt(layers, m_point, ArgbWithAlpha(ColorRefToArgb(m_doc.TextColor), m_doc.TextAlpha));
}

QRectF CTextLayer::CaptionInk() const
{
    if (!m_font || m_doc.String.isEmpty() || !std::isfinite(m_point.x()) || !std::isfinite(m_point.y()))
        return {};
    return CaptionOutline(*m_font, m_doc.String, m_point).boundingRect();
}

float CTextLayer::EmPixels() const
{
    constexpr float kPixelsPerPoint = 96.0f / 72.0f;
    return m_font ? m_font->emPoints * kPixelsPerPoint : 0.0f;
}

void CTextLayer::DrawAt(CButtonLayers& layers, QPointF point, ARGB color) const
{
    if (m_font)
        layers.DrawCaption(*m_font, m_doc.String, point, color);
}

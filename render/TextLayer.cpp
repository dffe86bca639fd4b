#include "render/TextLayer.h"

#include "design/NacreformDoc.h"
#include "render/CaptionMask.h"
#include "render/FontCatalog.h"
#include "render/Render.h"

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

void CTextLayer::DrawShadow(QPainter& graphics) const
{
    const float w = float(m_content.width()), h = float(m_content.height());
    const QPointF point(float(m_point.x()) + w * m_doc.TextShadowPos.x * 0.01f,
                        float(m_point.y()) + h * m_doc.TextShadowPos.y * 0.01f);
    DrawAt(graphics, point, ArgbWithAlpha(ColorRefToArgb(m_doc.GetTextShadowColor()), m_doc.TextShadowAlpha));
}

void CTextLayer::DrawCaption(QPainter& graphics) const
{
    DrawAt(graphics, m_point, ArgbWithAlpha(ColorRefToArgb(m_doc.TextColor), m_doc.TextAlpha));
}

void CTextLayer::DrawAt(QPainter& graphics, QPointF point, ARGB color) const
{
    if (!m_font || m_doc.String.isEmpty() || !std::isfinite(point.x()) || !std::isfinite(point.y()))
        return;
    DrawCaptionText(graphics, *m_font, m_doc.String, point, color);
}

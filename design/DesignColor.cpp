#include "design/DesignColor.h"

#include <QRegularExpression>

namespace {

constexpr COLORREF kLargestColor = 0x00FFFFFF;

COLORREF FromRgb(uint red, uint green, uint blue)
{
    return COLORREF(red | (green << 8) | (blue << 16));
}

} // namespace

bool IsColorKey(const QString& key)
{
    static const QStringList kColorKeys = {QStringLiteral("BGColor"), QStringLiteral("Color1"),
                                           QStringLiteral("Color2"), QStringLiteral("TextColor"),
                                           QStringLiteral("TextShadowColor")};
    return kColorKeys.contains(key);
}

std::optional<COLORREF> ParseDesignColor(const QString& text, QString* why)
{
    static const QRegularExpression kHex(QStringLiteral("^#([0-9a-f]{3}|[0-9a-f]{6})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kRgb(
        QStringLiteral("^rgb\\(\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*,\\s*(\\d{1,3})\\s*\\)$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kDecimal(QStringLiteral("^\\d{1,8}$"));

    const QString trimmed = text.trimmed();
    if (const auto hex = kHex.match(trimmed); hex.hasMatch()) {
        QString digits = hex.captured(1);
        if (digits.size() == 3)
            digits = QString(digits[0]) + digits[0] + digits[1] + digits[1] + digits[2] + digits[2];
        const uint rgb = digits.toUInt(nullptr, 16);
        return FromRgb(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    if (const auto rgb = kRgb.match(trimmed); rgb.hasMatch()) {
        const uint red = rgb.captured(1).toUInt(), green = rgb.captured(2).toUInt(), blue = rgb.captured(3).toUInt();
        if (red <= 255 && green <= 255 && blue <= 255)
            return FromRgb(red, green, blue);
        if (why)
            *why = QStringLiteral("\"%1\": each of R, G and B in rgb() goes from 0 to 255").arg(text);
        return std::nullopt;
    }
    if (kDecimal.match(trimmed).hasMatch() && trimmed.toUInt() <= kLargestColor)
        return COLORREF(trimmed.toUInt());
    if (why)
        *why = QStringLiteral("\"%1\" is no colour: write #RGB, #RRGGBB, rgb(R, G, B) or the design file's "
                              "decimal value from 0 to %2 (blue, green, red)")
                   .arg(text)
                   .arg(kLargestColor);
    return std::nullopt;
}

QString HtmlColorText(COLORREF color)
{
    const uint red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    return QStringLiteral("#%1").arg((red << 16) | (green << 8) | blue, 6, 16, QLatin1Char('0'));
}

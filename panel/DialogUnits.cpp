#include "panel/DialogUnits.h"

#include <QFontInfo>

namespace {

// Rounded like the platform's MulDiv.
int MulDiv(int number, int numerator, int denominator)
{
    const long long product = static_cast<long long>(number) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

}

CDialogUnits::CDialogUnits(const QFont& font)
{
    constexpr double kPointsPerInch = 72.0;
    constexpr double kBaseDpi = 96.0;
    const double basePixels = kBaseFontPoints * kBaseDpi / kPointsPerInch;
    const double scale = QFontInfo(font).pixelSize() / basePixels;
    m_baseX = qMax(1, qRound(kBaseX * scale));
    m_baseY = qMax(1, qRound(kBaseY * scale));
}

QFont CDialogUnits::DialogFont()
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSizeF(kBaseFontPoints);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int CDialogUnits::MapX(int dialogUnits) const
{
    return MulDiv(dialogUnits, m_baseX, 4);
}

int CDialogUnits::MapY(int dialogUnits) const
{
    return MulDiv(dialogUnits, m_baseY, 8);
}

QRect CDialogUnits::MapDialogRect(int x, int y, int cx, int cy) const
{
    // Position and size are converted one by one, as dialog creation does.
    return QRect(QPoint(MapX(x), MapY(y)), MapDialogSize(cx, cy));
}

QSize CDialogUnits::MapDialogSize(int cx, int cy) const
{
    return QSize(MapX(cx), MapY(cy));
}

#include "panel/DialogUnits.h"

#include <QFontMetrics>

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
    // The average width is measured over the 52 Latin letters, as the
    // platform does, rather than taken from the font's own average.
    static const QString kLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    m_baseX = (metrics.horizontalAdvance(kLetters) / 26 + 1) / 2;
    m_baseY = metrics.height();
}

QFont CDialogUnits::DialogFont()
{
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPointSize(9);
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

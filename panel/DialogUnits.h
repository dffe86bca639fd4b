#pragma once

#include <QFont>
#include <QRect>

// Converts dialog units of a dialog template to pixels the way the platform
// does: a horizontal unit is a quarter of the dialog font's base width, a
// vertical unit an eighth of its base height. The templates were laid out for
// an 8-point dialog font whose base units are 6 x 13 pixels at 96 dpi; the
// fonts at hand (CJK faces with tall line metrics) would give units a third
// taller and push the pages past the window, so the base units keep those
// proportions and only follow the font's size.
class CDialogUnits
{
public:
    explicit CDialogUnits(const QFont& font);

    // Base units of the 8-point dialog font at 96 dpi.
    static constexpr int kBaseX = 6;
    static constexpr int kBaseY = 13;
    static constexpr double kBaseFontPoints = 8.0;

    // The font that every panel template names; a CJK-capable face stands in
    // for the one the templates were drawn with, at its 8 points.
    static QFont DialogFont();

    int GetBaseX() const { return m_baseX; }
    int GetBaseY() const { return m_baseY; }

    int MapX(int dialogUnits) const;
    int MapY(int dialogUnits) const;
    QRect MapDialogRect(int x, int y, int cx, int cy) const;
    QSize MapDialogSize(int cx, int cy) const;

private:
    int m_baseX;
    int m_baseY;
};

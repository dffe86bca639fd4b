#pragma once

#include <QFont>
#include <QRect>

// Converts dialog units of a dialog template to pixels the way the platform
// does: a horizontal unit is a quarter of the dialog font's average character
// width, a vertical unit an eighth of its height.
class CDialogUnits
{
public:
    explicit CDialogUnits(const QFont& font);

    // The font that every panel template names; a CJK-capable face stands in
    // for the one the templates were drawn with.
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

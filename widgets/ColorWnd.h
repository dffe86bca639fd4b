#pragma once

#include <QFrame>

#include <cstdint>

class IColorChooser;

// 0x00BBGGRR, red in the low byte, as the design document stores colours.
using COLORREF = uint32_t;

// A swatch showing one design colour as a flat rectangle inside a thin sunken
// border; disabled it shows the button face instead, keeping its colour. It
// ignores the mouse and sends nothing; the page's "..." button asks it to run
// the colour chooser.
//
// How a page uses it:
//   - on initialisation CreateAtItem(placeholder id, page): takes the place of
//     the placeholder control with that dialog id, which is hidden;
//   - load a design with SetColor(doc colour);
//   - "..." clicked: if PickColor() returns true, write GetColor() into the
//     document and ask for an immediate render; false means cancelled or
//     unchanged, and nothing is to be done;
//   - when the page re-evaluates its controls: EnableSwatch(rule).
class CColorWnd : public QFrame
{
    Q_OBJECT

public:
    explicit CColorWnd(QWidget* parent = nullptr);

    // Becomes a visible child of parentDialog at the place of the descendant
    // with dialog id placeholderId and hides that placeholder. False, and no
    // change, when there is no such placeholder.
    bool CreateAtItem(int placeholderId, QWidget* parentDialog);

    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color);

    // Repaints only when the state changes.
    void EnableSwatch(bool enable);

    // Runs the chooser (owned by the swatch's window) with the swatch's colour
    // preselected. True when a different colour was confirmed and stored.
    bool PickColor();

    // The chooser PickColor runs, not owned; null (the default) means the
    // standard colour dialog.
    void SetColorChooser(IColorChooser* chooser) { m_chooser = chooser; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_color = 0;
    IColorChooser* m_chooser = nullptr;
};

#pragma once

class QColor;
class QWidget;

// The modal colour chooser behind a swatch's PickColor. The program uses
// CColorDialogChooser; tests and pages hand a scripted one to the swatch
// (CColorWnd::SetColorChooser) so that no dialog ever blocks them.
class IColorChooser
{
public:
    virtual ~IColorChooser() = default;

    // Runs the chooser, owned by owner, with color preselected. On confirm
    // stores the chosen colour in color and returns true; on cancel, or when
    // the chooser cannot open, returns false and leaves color alone.
    virtual bool ChooseColor(QWidget* owner, QColor& color) = 0;
};

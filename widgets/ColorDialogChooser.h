#pragma once

#include "widgets/ColorChooser.h"

// The standard colour dialog. Its 16 custom colours are one table for the
// whole process: colours defined in one chooser are offered by every later one.
class CColorDialogChooser final : public IColorChooser
{
public:
    bool ChooseColor(QWidget* owner, QColor& color) override;
};

#include "widgets/ColorDialogChooser.h"

#include <QColorDialog>

bool CColorDialogChooser::ChooseColor(QWidget* owner, QColor& color)
{
    QColorDialog dialog(color, owner);
    // Qt's own dialog keeps the one process-wide table of custom colours (a
    // native one would not share it), and always has the HTML field, where a
    // colour is read and typed as #rrggbb.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted || !dialog.selectedColor().isValid())
        return false;
    color = dialog.selectedColor();
    return true;
}

#pragma once

#include <QHash>

struct DlgTemplate;
class QWidget;

// Builds a dialog's controls from its template: each control is placed at its
// template rectangle converted from dialog units with the dialog's font, gets
// its dialog id, and the tab order follows the template. The dialog supplies
// its own widgets (fields, lists, buttons with behaviour of their own) for the
// ids in provided; every other control is made here as a standard one. An
// up-down control takes the control before it as its buddy; spins of decimal
// fields are wired to HandleSpin.
void CreateDlgItems(QWidget* dialog, const DlgTemplate& dlgTemplate, const QHash<int, QWidget*>& provided = {});

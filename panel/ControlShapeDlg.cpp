#include "panel/ControlShapeDlg.h"

CControlShapeDlg::CControlShapeDlg(QWidget* parent)
    : CControlPage(parent)
{
    hide();
}

CControlShapeDlg::~CControlShapeDlg() = default;

void CControlShapeDlg::LoadFromDocument()
{
    UpdateControlStates();
}

void CControlShapeDlg::UpdateControlStates()
{
}

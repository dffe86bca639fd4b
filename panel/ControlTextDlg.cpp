#include "panel/ControlTextDlg.h"

CControlTextDlg::CControlTextDlg(QWidget* parent)
    : CControlPage(parent)
{
    hide();
}

CControlTextDlg::~CControlTextDlg() = default;

void CControlTextDlg::LoadFromDocument()
{
    UpdateControlStates();
}

void CControlTextDlg::UpdateControlStates()
{
}

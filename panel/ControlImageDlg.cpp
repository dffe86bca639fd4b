#include "panel/ControlImageDlg.h"

CControlImageDlg::CControlImageDlg(QWidget* parent)
    : CControlPage(parent)
{
    hide();
}

CControlImageDlg::~CControlImageDlg() = default;

void CControlImageDlg::LoadFromDocument()
{
    UpdateControlStates();
}

void CControlImageDlg::UpdateControlStates()
{
}

#pragma once

#include "panel/ControlPage.h"

class CControlTextDlg : public CControlPage
{
    Q_OBJECT

public:
    explicit CControlTextDlg(QWidget* parent);
    ~CControlTextDlg() override;

    void LoadFromDocument() override;
    void UpdateControlStates() override;
};

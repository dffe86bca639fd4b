#pragma once

#include "panel/ControlPage.h"

class CControlImageDlg : public CControlPage
{
    Q_OBJECT

public:
    explicit CControlImageDlg(QWidget* parent);
    ~CControlImageDlg() override;

    void LoadFromDocument() override;
    void UpdateControlStates() override;
};

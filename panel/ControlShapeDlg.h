#pragma once

#include "panel/ControlPage.h"

class CControlShapeDlg : public CControlPage
{
    Q_OBJECT

public:
    explicit CControlShapeDlg(QWidget* parent);
    ~CControlShapeDlg() override;

    void LoadFromDocument() override;
    void UpdateControlStates() override;
};

#pragma once

#include "panel/ControlPage.h"

#include <QImage>

class CColorWnd;
class CEditDouble;
class CEditInt;
class CEditText;
class CFlatButton;
class CFontComboBox;

// The text tab: the caption with its font, bold style, size, position, colour
// and opacity, and the caption's drop shadow whose colour is its own or the
// text colour. The shadow controls apply only while the shadow check box is
// checked, the shadow colour only while it does not follow the text colour.
class CControlTextDlg : public CControlPage
{
    Q_OBJECT

public:
    explicit CControlTextDlg(QWidget* parent);
    ~CControlTextDlg() override;

    void LoadFromDocument() override;
    void UpdateControlStates() override;

private:
    CColorWnd* m_wndTextColor;
    CColorWnd* m_wndShadowColor;
    // The bold button draws from it, so it lives as long as the page.
    QImage m_imageBold;
    CFlatButton* m_btnBold;
    CEditInt* m_editTextAlpha;
    CFontComboBox* m_comboFont;
    CEditDouble* m_editTextY;
    CEditDouble* m_editTextX;
    CEditDouble* m_editShadowY;
    CEditDouble* m_editShadowX;
    CEditText* m_editString;
    CEditInt* m_editShadowAlpha;
    CEditDouble* m_editFontSize;
    ShadowControls m_shadow;
};

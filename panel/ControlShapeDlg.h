#pragma once

#include "panel/ControlPage.h"

class CColorWnd;
class CEditDouble;
class CEditInt;

// The shape tab: background (transparent or a colour), margin, shape size,
// the two shape colours and the shape's drop shadow. Which controls apply
// depends on the background choice, the shadow check box and the document's
// current renderer (square shapes have no height of their own; only some use
// a second colour). Its "텍스트에 맞춤" button asks whoever keeps the edit
// history to fit the shape to its caption (FitToCaptionRequested).
class CControlShapeDlg : public CControlPage
{
    Q_OBJECT

public:
    explicit CControlShapeDlg(QWidget* parent);
    ~CControlShapeDlg() override;

    void LoadFromDocument() override;
    void UpdateControlStates() override;

signals:
    void FitToCaptionRequested();

private:
    enum Background { kNoChoice = -1, kTransparent = 0, kUseColor = 1 };

    void OnWidthChanged(CNacreformDoc& doc, int width);

    CColorWnd* m_wndBackground;
    CColorWnd* m_wndColor1;
    CColorWnd* m_wndColor2;
    CEditInt* m_editShadowAlpha;
    CEditInt* m_editMargin;
    CEditDouble* m_editShadowY;
    CEditDouble* m_editShadowX;
    CEditInt* m_editWidth;
    CEditInt* m_editHeight;
    ShadowControls m_shadow;
    Background m_nBackground = kNoChoice;
};

#include "panel/ControlShapeDlg.h"

#include "design/NacreformDoc.h"
#include "render/Render.h"
#include "res/layouts/ShapePageTemplate.h"
#include "util/DlgItems.h"
#include "widgets/ColorWnd.h"
#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"

#include <QAbstractButton>

using namespace ShapePageTemplate;
using namespace ShadowBlock;

CControlShapeDlg::CControlShapeDlg(QWidget* parent)
    : CControlPage(parent)
    , m_wndBackground(new CColorWnd(this))
    , m_wndColor1(new CColorWnd(this))
    , m_wndColor2(new CColorWnd(this))
    , m_editShadowAlpha(new CEditInt(this))
    , m_editMargin(new CEditInt(this))
    , m_editShadowY(new CEditDouble(this))
    , m_editShadowX(new CEditDouble(this))
    , m_editWidth(new CEditInt(this))
    , m_editHeight(new CEditInt(this))
    , m_shadow{m_editShadowX, m_editShadowY, m_editShadowAlpha, IDC_SHADOW_ALPHA, IDC_SHADOW_ALPHA_SPIN,
               &CNacreformDoc::EnableShapeShadow, &CNacreformDoc::ShapeShadowPos, &CNacreformDoc::ShapeShadowAlpha}
{
    CreateControls(kTemplate, {
        {IDC_MARGIN, m_editMargin},
        {IDC_WIDTH, m_editWidth},
        {IDC_HEIGHT, m_editHeight},
        {IDC_SHADOW_X, m_editShadowX},
        {IDC_SHADOW_Y, m_editShadowY},
        {IDC_SHADOW_ALPHA, m_editShadowAlpha},
    });
    m_wndBackground->CreateAtItem(IDC_BG_SWATCH, this);
    m_wndColor1->CreateAtItem(IDC_COLOR1_SWATCH, this);
    m_wndColor2->CreateAtItem(IDC_COLOR2_SWATCH, this);

    m_editMargin->Setup(2, 0, 1000, IDC_MARGIN_SPIN);
    m_editWidth->Setup(128, 1, 1000, IDC_WIDTH_SPIN);
    m_editHeight->Setup(128, 1, 1000, IDC_HEIGHT_SPIN);
    m_editShadowX->Setup(0.0, -100.0, 100.0, IDC_SHADOW_X_SPIN);
    m_editShadowY->Setup(13.0, -100.0, 100.0, IDC_SHADOW_Y_SPIN);
    m_editShadowAlpha->Setup(160, 0, 255, IDC_SHADOW_ALPHA_SPIN);

    const ClickHandler onBackground = [this](CNacreformDoc& doc) {
        m_nBackground = IsDlgButtonChecked(IDC_BG_TRANSPARENT) ? kTransparent : kUseColor;
        doc.BGTrans = m_nBackground == kTransparent;
        UpdateControlStates();
    };
    OnClicked(IDC_BG_TRANSPARENT, onBackground);
    OnClicked(IDC_BG_USE_COLOR, onBackground);
    OnPickColor(IDC_BG_PICK, m_wndBackground, [](CNacreformDoc& doc, COLORREF color) { doc.BGColor = color; });
    OnPickColor(IDC_COLOR1_PICK, m_wndColor1, [](CNacreformDoc& doc, COLORREF color) { doc.Color1 = color; });
    OnPickColor(IDC_COLOR2_PICK, m_wndColor2, [](CNacreformDoc& doc, COLORREF color) { doc.Color2 = color; });
    BindShadowControls(m_shadow);
    OnFieldChanged(m_editMargin, [](CNacreformDoc& doc, int value) { doc.Margin = value; });
    OnFieldChanged(m_editWidth, [this](CNacreformDoc& doc, int value) { OnWidthChanged(doc, value); });
    OnFieldChanged(m_editHeight, [](CNacreformDoc& doc, int value) { doc.ShapeSize.cy = value; });
    connect(GetButton(IDC_FIT_TO_CAPTION), &QAbstractButton::clicked, this, &CControlShapeDlg::FitToCaptionRequested);
}

CControlShapeDlg::~CControlShapeDlg() = default;

void CControlShapeDlg::LoadFromDocument()
{
    const CNacreformDoc* doc = GetDocument();
    if (!doc)
        return;
    m_nBackground = doc->BGTrans ? kTransparent : kUseColor;
    m_wndBackground->SetColor(doc->BGColor);
    m_editMargin->SetValue(doc->Margin);
    m_editWidth->SetValue(doc->ShapeSize.cx);
    m_editHeight->SetValue(doc->ShapeSize.cy);
    m_wndColor1->SetColor(doc->Color1);
    m_wndColor2->SetColor(doc->Color2);
    LoadShadowControls(m_shadow, *doc);
    CheckDlgButton(m_nBackground == kTransparent ? IDC_BG_TRANSPARENT : IDC_BG_USE_COLOR, true);
    UpdateControlStates();
}

void CControlShapeDlg::UpdateControlStates()
{
    const CNacreformDoc* doc = GetDocument();
    const CRender* renderer = doc ? doc->Renderer.get() : nullptr;
    const bool useColor = m_nBackground == kUseColor;
    const bool secondColor = renderer && renderer->UsesSecondColor();
    const bool square = renderer && renderer->IsSquareShape();
    const bool shadow = IsDlgButtonChecked(IDC_SHADOW);
    const EnableDlgItem table[] = {
        {IDC_BG_PICK, useColor},
        {IDC_COLOR2_PICK, secondColor},
        {IDC_HEIGHT, !square},
        {IDC_HEIGHT_SPIN, !square},
        {0, 0},
    };
    EnableDlgItems(this, table);
    EnableShadowControls(m_shadow, shadow);
    m_wndBackground->EnableSwatch(useColor);
    m_wndColor2->EnableSwatch(secondColor);
}

void CControlShapeDlg::OnWidthChanged(CNacreformDoc& doc, int width)
{
    doc.ShapeSize.cx = width;
    // A square shape is drawn width by width; its stored height follows so
    // that switching to a free shape keeps the square.
    if (doc.Renderer && doc.Renderer->IsSquareShape()) {
        doc.ShapeSize.cy = width;
        m_editHeight->SetValue(width, true);
    }
}

#include "panel/ControlTextDlg.h"

#include "design/NacreformDoc.h"
#include "res/layouts/TextPageTemplate.h"
#include "util/DlgItems.h"
#include "widgets/ColorWnd.h"
#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"
#include "widgets/EditText.h"
#include "widgets/FlatButton.h"
#include "widgets/FontComboBox.h"


#include "res/bitmaps/Bold.xpm"

using namespace TextPageTemplate;
using namespace ShadowBlock;

CControlTextDlg::CControlTextDlg(QWidget* parent)
    : CControlPage(parent)
    , m_wndTextColor(new CColorWnd(this))
    , m_wndShadowColor(new CColorWnd(this))
    , m_imageBold(kBoldXpm)
    , m_btnBold(new CFlatButton(this))
    , m_editTextAlpha(new CEditInt(this))
    , m_comboFont(new CFontComboBox(this))
    , m_editTextY(new CEditDouble(this))
    , m_editTextX(new CEditDouble(this))
    , m_editShadowY(new CEditDouble(this))
    , m_editShadowX(new CEditDouble(this))
    , m_editString(new CEditText(this))
    , m_editShadowAlpha(new CEditInt(this))
    , m_editFontSize(new CEditDouble(this))
    , m_shadow{m_editShadowX, m_editShadowY, m_editShadowAlpha, IDC_SHADOW_ALPHA, IDC_SHADOW_ALPHA_SPIN,
               &CNacreformDoc::EnableTextShadow, &CNacreformDoc::TextShadowPos, &CNacreformDoc::TextShadowAlpha}
{
    CreateControls(kTemplate, {
        {IDC_STRING, m_editString},
        {IDC_FONT, m_comboFont},
        {IDC_BOLD, m_btnBold},
        {IDC_FONT_SIZE, m_editFontSize},
        {IDC_TEXT_X, m_editTextX},
        {IDC_TEXT_Y, m_editTextY},
        {IDC_TEXT_ALPHA, m_editTextAlpha},
        {IDC_SHADOW_X, m_editShadowX},
        {IDC_SHADOW_Y, m_editShadowY},
        {IDC_SHADOW_ALPHA, m_editShadowAlpha},
    });
    m_wndTextColor->CreateAtItem(IDC_TEXT_SWATCH, this);
    m_wndShadowColor->CreateAtItem(IDC_SHADOW_SWATCH, this);
    m_btnBold->SetupImageButton(m_imageBold, 0);
    // The button shows a picture; its caption "B" says nothing when read out.
    m_btnBold->setAccessibleName(QStringLiteral("굵게"));

    m_editFontSize->Setup(20.0, 1.0, 200.0, IDC_FONT_SIZE_SPIN);
    m_editTextX->Setup(0.0, -100.0, 100.0, IDC_TEXT_X_SPIN);
    m_editTextY->Setup(0.0, -100.0, 100.0, IDC_TEXT_Y_SPIN);
    m_editTextAlpha->Setup(255, 0, 255, IDC_TEXT_ALPHA_SPIN);
    m_editShadowX->Setup(0.0, -100.0, 100.0, IDC_SHADOW_X_SPIN);
    m_editShadowY->Setup(0.0, -100.0, 100.0, IDC_SHADOW_Y_SPIN);
    m_editShadowAlpha->Setup(255, 0, 255, IDC_SHADOW_ALPHA_SPIN);

    connect(m_editString, &CEditText::valueChanged, this, [this](const QString& text) {
        Commit([&](CNacreformDoc& doc) { doc.String = text; }, false);
    });
    // Only a choice from the list commits; text typed into the box does not.
    connect(m_comboFont, &QComboBox::activated, this, [this] {
        Commit([this](CNacreformDoc& doc) { doc.FontName = m_comboFont->GetFontName(); }, true);
    });
    OnClicked(IDC_BOLD, [this](CNacreformDoc& doc) {
        doc.Bold = !doc.Bold;
        m_btnBold->SetChecked(doc.Bold);
    });
    OnPickColor(IDC_TEXT_PICK, m_wndTextColor, [](CNacreformDoc& doc, COLORREF color) { doc.TextColor = color; });
    OnPickColor(IDC_SHADOW_PICK, m_wndShadowColor, [](CNacreformDoc& doc, COLORREF color) { doc.TextShadowColor = color; });
    BindShadowControls(m_shadow);
    OnClicked(IDC_SHADOW_SAME_AS_TEXT, [this](CNacreformDoc& doc) {
        doc.TextShadowColorSameAsText = IsDlgButtonChecked(IDC_SHADOW_SAME_AS_TEXT);
        UpdateControlStates();
    });
    OnFieldChanged(m_editFontSize, [](CNacreformDoc& doc, float value) { doc.FontSize = value; });
    OnFieldChanged(m_editTextX, [](CNacreformDoc& doc, float value) { doc.TextPos.x = value; });
    OnFieldChanged(m_editTextY, [](CNacreformDoc& doc, float value) { doc.TextPos.y = value; });
    OnFieldChanged(m_editTextAlpha, [](CNacreformDoc& doc, int value) { doc.TextAlpha = value; });
}

CControlTextDlg::~CControlTextDlg() = default;

void CControlTextDlg::LoadFromDocument()
{
    const CNacreformDoc* doc = GetDocument();
    if (!doc)
        return;
    m_editString->SetTextSilently(doc->String);
    m_comboFont->ShowFontName(doc->FontName);
    m_btnBold->SetChecked(doc->Bold);
    m_editFontSize->SetValue(doc->FontSize);
    m_editTextX->SetValue(doc->TextPos.x);
    m_editTextY->SetValue(doc->TextPos.y);
    m_wndTextColor->SetColor(doc->TextColor);
    m_editTextAlpha->SetValue(doc->TextAlpha);
    LoadShadowControls(m_shadow, *doc);
    m_wndShadowColor->SetColor(doc->TextShadowColor);
    CheckDlgButton(IDC_SHADOW_SAME_AS_TEXT, doc->TextShadowColorSameAsText);
    UpdateControlStates();
}

void CControlTextDlg::UpdateControlStates()
{
    const bool sameAsText = IsDlgButtonChecked(IDC_SHADOW_SAME_AS_TEXT);
    const bool shadow = IsDlgButtonChecked(IDC_SHADOW);
    const bool ownShadowColor = shadow && !sameAsText;
    const EnableDlgItem table[] = {
        {IDC_SHADOW_COLOR_LABEL, shadow},
        {IDC_SHADOW_PICK, ownShadowColor},
        {IDC_SHADOW_SAME_AS_TEXT, shadow},
        {0, 0},
    };
    EnableShadowControls(m_shadow, shadow);
    EnableDlgItems(this, table);
    m_wndShadowColor->EnableSwatch(ownShadowColor);
}

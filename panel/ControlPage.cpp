#include "panel/ControlPage.h"

#include "design/NacreformDoc.h"
#include "panel/DialogBuilder.h"
#include "res/layouts/ShadowBlock.h"
#include "util/DlgItems.h"
#include "widgets/ColorWnd.h"
#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"

#include <QAbstractButton>

CControlPage::CControlPage(QWidget* parent)
    : QWidget(parent)
{
    hide();
}

QAbstractButton* CControlPage::GetButton(int id) const
{
    return qobject_cast<QAbstractButton*>(GetDlgItem(this, id));
}

bool CControlPage::IsDlgButtonChecked(int id) const
{
    const QAbstractButton* button = GetButton(id);
    return button && button->isChecked();
}

void CControlPage::CheckDlgButton(int id, bool checked)
{
    if (QAbstractButton* button = GetButton(id))
        button->setChecked(checked);
}

void CControlPage::CreateControls(const DlgTemplate& dlgTemplate, std::initializer_list<std::pair<int, QWidget*>> members)
{
    QHash<int, QWidget*> provided;
    for (const auto& [id, widget] : members)
        provided.insert(id, widget);
    CreateDlgItems(this, dlgTemplate, provided);
}

void CControlPage::Commit(const std::function<void(CNacreformDoc&)>& write, bool immediate)
{
    if (CNacreformDoc* doc = GetDocument()) {
        write(*doc);
        RequestRender(immediate);
    }
}

void CControlPage::OnFieldChanged(CEditInt* field, IntWriter write)
{
    connect(field, &CEditInt::valueChanged, this, [this, write = std::move(write)](int value) {
        Commit([&](CNacreformDoc& doc) { write(doc, value); }, false);
    });
}

void CControlPage::OnFieldChanged(CEditDouble* field, FloatWriter write)
{
    // The document keeps decimals in single precision.
    connect(field, &CEditDouble::valueChanged, this, [this, write = std::move(write)](double value) {
        Commit([&](CNacreformDoc& doc) { write(doc, static_cast<float>(value)); }, false);
    });
}

void CControlPage::OnPickColor(int buttonId, CColorWnd* swatch, ColorWriter write)
{
    ConnectClicked(buttonId, [this, swatch, write = std::move(write)]() {
        CNacreformDoc* doc = GetDocument();
        if (!doc || !swatch->PickColor())
            return;
        write(*doc, swatch->GetColor());
        RequestRender(true);
    });
}

void CControlPage::OnClicked(int buttonId, ClickHandler handle)
{
    ConnectClicked(buttonId, [this, handle = std::move(handle)]() { Commit(handle, true); });
}

void CControlPage::ConnectClicked(int buttonId, std::function<void()> handle)
{
    if (QAbstractButton* button = GetButton(buttonId))
        connect(button, &QAbstractButton::clicked, this, std::move(handle));
}

void CControlPage::BindShadowControls(const ShadowControls& block)
{
    OnClicked(ShadowBlock::IDC_SHADOW, [this, block](CNacreformDoc& doc) {
        doc.*block.enabled = IsDlgButtonChecked(ShadowBlock::IDC_SHADOW);
        UpdateControlStates();
    });
    OnFieldChanged(block.editX, [block](CNacreformDoc& doc, float value) { (doc.*block.pos).x = value; });
    OnFieldChanged(block.editY, [block](CNacreformDoc& doc, float value) { (doc.*block.pos).y = value; });
    OnFieldChanged(block.editAlpha, [block](CNacreformDoc& doc, int value) { doc.*block.alpha = value; });
}

void CControlPage::LoadShadowControls(const ShadowControls& block, const CNacreformDoc& doc)
{
    CheckDlgButton(ShadowBlock::IDC_SHADOW, doc.*block.enabled);
    block.editX->SetValue((doc.*block.pos).x);
    block.editY->SetValue((doc.*block.pos).y);
    block.editAlpha->SetValue(doc.*block.alpha);
}

void CControlPage::EnableShadowControls(const ShadowControls& block, bool enable)
{
    using namespace ShadowBlock;
    const auto alphaId = static_cast<uint16_t>(block.alphaId);
    const auto alphaSpinId = static_cast<uint16_t>(block.alphaSpinId);
    const EnableDlgItem table[] = {
        {IDC_SHADOW_POS_LABEL, enable},
        {IDC_SHADOW_X, enable},
        {IDC_SHADOW_X_SPIN, enable},
        {IDC_SHADOW_SEPARATOR, enable},
        {IDC_SHADOW_Y, enable},
        {IDC_SHADOW_Y_SPIN, enable},
        {IDC_SHADOW_UNIT, enable},
        {IDC_SHADOW_ALPHA_LABEL, enable},
        {alphaId, enable},
        {alphaSpinId, enable},
        {0, 0},
    };
    EnableDlgItems(this, table);
}

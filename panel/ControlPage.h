#pragma once

#include "panel/NacreformAccessor.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

class CColorWnd;
class CEditDouble;
class CEditInt;
class QAbstractButton;
struct DesignPoint;
struct DlgTemplate;

using COLORREF = uint32_t;

// A page of the control panel: built from its dialog template, it edits some
// design parameters. Each handler writes its value into the document at once
// and asks for a render: deferred for typed values (a burst of keystrokes
// renders once), immediate for clicks and choices. Pages never notify each
// other; the bar brings them in line with the document.
class CControlPage : public QWidget, public CNacreformAccessor
{
    Q_OBJECT

public:
    // Copies every document value the page edits into its controls without
    // writing anything back, then updates the enabled states.
    virtual void LoadFromDocument() = 0;
    // Enables or disables the page's controls.
    virtual void UpdateControlStates() = 0;

    // The check box or button with that dialog id; null when there is none.
    QAbstractButton* GetButton(int id) const;
    bool IsDlgButtonChecked(int id) const;

protected:
    // Pages start hidden, like dialogs without the visible style.
    explicit CControlPage(QWidget* parent);

    // Builds the template's controls; members are the page's own widgets by
    // their dialog ids.
    void CreateControls(const DlgTemplate& dlgTemplate, std::initializer_list<std::pair<int, QWidget*>> members);

    void CheckDlgButton(int id, bool checked);

    // Commit rules. Each writer gets the document (only when there is one)
    // and the new value.
    using IntWriter = std::function<void(CNacreformDoc&, int)>;
    using FloatWriter = std::function<void(CNacreformDoc&, float)>;
    using ColorWriter = std::function<void(CNacreformDoc&, COLORREF)>;
    using ClickHandler = std::function<void(CNacreformDoc&)>;
    // Writes into the document, when there is one, then asks for a render.
    void Commit(const std::function<void(CNacreformDoc&)>& write, bool immediate);
    // A typed value: written, then a deferred render.
    void OnFieldChanged(CEditInt* field, IntWriter write);
    void OnFieldChanged(CEditDouble* field, FloatWriter write);
    // "..." beside a swatch: when the chooser reports a new colour, written,
    // then an immediate render.
    void OnPickColor(int buttonId, CColorWnd* swatch, ColorWriter write);
    // A click: handled, then an immediate render.
    void OnClicked(int buttonId, ClickHandler handle);

    // The drop-shadow block that every page has, bound to the shadow fields
    // of one layer of the design.
    struct ShadowControls
    {
        CEditDouble* editX;
        CEditDouble* editY;
        CEditInt* editAlpha;
        int alphaId;
        int alphaSpinId;
        bool CNacreformDoc::*enabled;
        DesignPoint CNacreformDoc::*pos;
        int CNacreformDoc::*alpha;
    };
    // The check box writes its flag, re-evaluates the page and renders at
    // once; the fields commit as typed values.
    void BindShadowControls(const ShadowControls& block);
    void LoadShadowControls(const ShadowControls& block, const CNacreformDoc& doc);
    // Every control of the block but the check box itself.
    void EnableShadowControls(const ShadowControls& block, bool enable);

private:
    void ConnectClicked(int buttonId, std::function<void()> handle);
};

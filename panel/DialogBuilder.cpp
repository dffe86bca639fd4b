#include "panel/DialogBuilder.h"

#include "panel/DialogUnits.h"
#include "res/layouts/DialogTemplate.h"
#include "util/DlgItems.h"
#include "widgets/HandleSpin.h"
#include "widgets/SpinButtonCtrl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

QWidget* CreateStandardItem(QWidget* dialog, const DlgItemTemplate& item, QButtonGroup*& radioGroup)
{
    const QString caption = QString::fromUtf8(item.caption);
    switch (item.kind) {
    case DlgItemKind::Label: {
        auto* label = new QLabel(caption, dialog);
        const Qt::Alignment horizontal = (item.style & kStyleCenter) ? Qt::AlignHCenter : Qt::AlignLeft;
        label->setAlignment(horizontal | Qt::AlignVCenter);
        return label;
    }
    case DlgItemKind::Edit: {
        auto* edit = new QLineEdit(dialog);
        edit->setReadOnly(item.style & kStyleReadOnly);
        return edit;
    }
    case DlgItemKind::PushButton:
        return new QPushButton(caption, dialog);
    case DlgItemKind::CheckBox:
        return new QCheckBox(caption, dialog);
    case DlgItemKind::RadioButton: {
        auto* radio = new QRadioButton(caption, dialog);
        if ((item.style & kStyleGroup) || !radioGroup)
            radioGroup = new QButtonGroup(dialog);
        radioGroup->addButton(radio);
        return radio;
    }
    case DlgItemKind::Placeholder: {
        auto* frame = new QFrame(dialog);
        frame->setFrameShape(QFrame::Box);
        return frame;
    }
    case DlgItemKind::HorizontalLine: {
        auto* line = new QFrame(dialog);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    case DlgItemKind::UpDown: {
        auto* spin = new CSpinButtonCtrl(dialog);
        QObject::connect(spin, &CSpinButtonCtrl::scrolled, spin, &HandleSpin);
        return spin;
    }
    case DlgItemKind::ComboBox:
        return new QComboBox(dialog);
    case DlgItemKind::TabControl:
        break;
    }
    return nullptr;
}

// A combo box's template height is that of its dropped list; the closed box
// keeps its own height. A caption that the template's width would cut (the
// Korean texts run wider than the faces the templates were drawn for) widens
// its control to the right.
QRect ItemRect(const CDialogUnits& units, const DlgItemTemplate& item, const QWidget* widget)
{
    QRect rect = units.MapDialogRect(item.x, item.y, item.cx, item.cy);
    switch (item.kind) {
    case DlgItemKind::ComboBox:
        rect.setHeight(widget->sizeHint().height());
        break;
    case DlgItemKind::Label:
    case DlgItemKind::CheckBox:
    case DlgItemKind::RadioButton:
        rect.setWidth(std::max(rect.width(), widget->sizeHint().width()));
        break;
    default:
        break;
    }
    return rect;
}

}

void CreateDlgItems(QWidget* dialog, const DlgTemplate& dlgTemplate, const QHash<int, QWidget*>& provided)
{
    const CDialogUnits units(dialog->font());
    QButtonGroup* radioGroup = nullptr;
    QWidget* previous = nullptr;
    QWidget* lastFocusable = nullptr;
    for (const DlgItemTemplate& item : dlgTemplate.items) {
        QWidget* widget = provided.value(item.id);
        if (!widget)
            widget = CreateStandardItem(dialog, item, radioGroup);
        if (!widget)
            continue;
        if (item.id != kStaticId)
            SetDlgCtrlId(widget, item.id);
        widget->setGeometry(ItemRect(units, item, widget));
        widget->raise();
        if (item.kind == DlgItemKind::UpDown) {
            if (auto* buddy = qobject_cast<QLineEdit*>(previous))
                static_cast<CSpinButtonCtrl*>(widget)->SetBuddy(buddy);
        }
        if (widget->focusPolicy() & Qt::TabFocus) {
            if (lastFocusable)
                QWidget::setTabOrder(lastFocusable, widget);
            lastFocusable = widget;
        }
        previous = widget;
    }
}

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

bool StartsWithLetter(const char* caption)
{
    const QString text = QString::fromUtf8(caption);
    return !text.isEmpty() && text.front().isLetter();
}

// The caption a screen reader should say for a control that has none of its
// own: the label that begins its row, else the nearest label above it, as a
// sighted user reads the page.
QString RowLabel(const DlgTemplate& dlgTemplate, const DlgItemTemplate& control)
{
    const DlgItemTemplate* row = nullptr;
    const DlgItemTemplate* above = nullptr;
    for (const DlgItemTemplate& item : dlgTemplate.items) {
        if (item.kind != DlgItemKind::Label || item.x >= control.x || !StartsWithLetter(item.caption))
            continue;
        const bool sameRow = item.y < control.y + control.cy && control.y < item.y + item.cy;
        if (sameRow && (!row || item.x < row->x))
            row = &item;
        else if (!sameRow && item.y < control.y && (!above || item.y > above->y || (item.y == above->y && item.x < above->x)))
            above = &item;
    }
    const DlgItemTemplate* label = row ? row : above;
    if (!label)
        return {};
    QString text = QString::fromUtf8(label->caption);
    text.remove(QLatin1Char(':'));
    return text.trimmed();
}

bool NeedsAccessibleName(const DlgItemTemplate& item)
{
    switch (item.kind) {
    case DlgItemKind::Edit:
    case DlgItemKind::ComboBox:
    case DlgItemKind::Placeholder:
        return true;
    case DlgItemKind::PushButton:
        return !StartsWithLetter(item.caption);
    default:
        return false;
    }
}

}

void CreateDlgItems(QWidget* dialog, const DlgTemplate& dlgTemplate, const QHash<int, QWidget*>& provided)
{
    const CDialogUnits units(dialog->font());
    QButtonGroup* radioGroup = nullptr;
    QWidget* previous = nullptr;
    QWidget* lastFocusable = nullptr;
    QHash<QString, int> namesGiven;
    for (const DlgItemTemplate& item : dlgTemplate.items) {
        QWidget* widget = provided.value(item.id);
        if (!widget)
            widget = CreateStandardItem(dialog, item, radioGroup);
        if (!widget)
            continue;
        if (item.id != kStaticId)
            SetDlgCtrlId(widget, item.id);
        widget->setGeometry(ItemRect(units, item, widget));
        if (item.kind == DlgItemKind::UpDown && previous) {
            // Said as the field it steps.
            widget->setAccessibleName(previous->accessibleName());
        } else if (NeedsAccessibleName(item)) {
            // Fields sharing a row label are told apart by their place in it.
            const QString label = RowLabel(dlgTemplate, item);
            const bool button = item.kind == DlgItemKind::PushButton;
            const QString name = button ? QStringLiteral("%1 선택").arg(label) : label;
            const int seen = namesGiven[name]++;
            widget->setAccessibleName(seen == 0 ? name : QStringLiteral("%1 %2").arg(name).arg(seen + 1));
        }
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

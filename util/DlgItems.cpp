#include "util/DlgItems.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr char kCtrlIdProperty[] = "ctrlId";
}

void SetDlgCtrlId(QWidget* control, int id)
{
    control->setProperty(kCtrlIdProperty, id);
}

int GetDlgCtrlId(const QWidget* control)
{
    return control->property(kCtrlIdProperty).toInt();
}

QWidget* GetDlgItem(const QWidget* parent, int id)
{
    if (!parent)
        return nullptr;
    const auto children = parent->findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (GetDlgCtrlId(child) == id)
            return child;
    }
    return nullptr;
}

void EnableDlgItems(QWidget* parent, const EnableDlgItem* table)
{
    for (; table && table->id != 0; ++table) {
        if (QWidget* item = GetDlgItem(parent, table->id))
            item->setEnabled(table->enable != 0);
    }
}

void SetSpinRange(QWidget* parent, int id, int low, int high)
{
    if (QWidget* spin = GetDlgItem(parent, id))
        QMetaObject::invokeMethod(spin, "setRange", Q_ARG(int, low), Q_ARG(int, high));
}

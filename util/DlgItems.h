#pragma once

#include <cstdint>

class QWidget;

// Dialog-style control ids on widgets: each numbered control carries its id
// as the "ctrlId" property so that handlers and tests find it by number.
void SetDlgCtrlId(QWidget* control, int id);
int GetDlgCtrlId(const QWidget* control);
// The first descendant of parent with that id, or null.
QWidget* GetDlgItem(const QWidget* parent, int id);

// One entry of an enable table; a table ends with an entry of id 0.
struct EnableDlgItem
{
    uint16_t id;
    uint8_t enable;
};

// Enables or disables parent's controls as the table says.
void EnableDlgItems(QWidget* parent, const EnableDlgItem* table);

// Sets the range of the spin control with that id, if parent has one. The spin
// control takes it through its setRange(int, int) slot.
void SetSpinRange(QWidget* parent, int id, int low, int high);

#pragma once

#include <span>

// A dialog template as data: the dialog's size and its controls, all in
// dialog units (converted to pixels from the dialog font when the dialog is
// built). Controls without an id carry kStaticId.

enum class DlgItemKind {
    Label,
    Edit,
    PushButton,
    CheckBox,
    RadioButton,
    Placeholder,     // a frame that marks where a widget is put at run time
    HorizontalLine,
    UpDown,          // the spin of the control just before it
    ComboBox,
    TabControl,
};

// Style bits of a control.
enum DlgItemStyle : unsigned {
    kStyleNone = 0,
    kStyleGroup = 1u << 0,        // a radio button that starts a group
    kStyleCenter = 1u << 1,       // centred label text
    kStyleReadOnly = 1u << 2,     // read-only edit
};

struct DlgItemTemplate
{
    int id;
    DlgItemKind kind;
    const char* caption;  // UTF-8, may be empty
    int x;
    int y;
    int cx;
    int cy;
    unsigned style = kStyleNone;
};

struct DlgTemplate
{
    int id;
    int cx;
    int cy;
    std::span<const DlgItemTemplate> items;
};

constexpr int kStaticId = -1;

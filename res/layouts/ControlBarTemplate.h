#pragma once

#include "res/layouts/DialogTemplate.h"

// Template 130: the control panel bar, a tab control only.
namespace ControlBarTemplate {
enum Id : int {
    IDC_TAB = 1000,
};
extern const DlgTemplate kTemplate;
}

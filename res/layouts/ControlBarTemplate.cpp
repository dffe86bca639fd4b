#include "res/layouts/ControlBarTemplate.h"

namespace ControlBarTemplate {
namespace {
constexpr DlgItemTemplate kItems[] = {
    {IDC_TAB, DlgItemKind::TabControl, "Tab1", 0, 0, 166, 205},
};
}
const DlgTemplate kTemplate{130, 168, 205, kItems};
}

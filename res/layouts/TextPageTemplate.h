#pragma once

#include "res/layouts/DialogTemplate.h"
#include "res/layouts/ShadowBlock.h"

// Template 134: the text page.
// The shadow block uses the ids of ShadowBlock.
namespace TextPageTemplate {
enum Id : int {
    IDC_STRING = 1007,
    IDC_FONT = 1022,
    IDC_BOLD = 1003,
    IDC_FONT_SIZE = 1035,
    IDC_FONT_SIZE_SPIN = 1036,
    IDC_TEXT_X = 1005,
    IDC_TEXT_X_SPIN = 1008,
    IDC_TEXT_Y = 1010,
    IDC_TEXT_Y_SPIN = 1011,
    IDC_TEXT_SWATCH = 1012,
    IDC_TEXT_PICK = 1009,
    IDC_TEXT_ALPHA = 1013,
    IDC_TEXT_ALPHA_SPIN = 1014,
    IDC_SHADOW_COLOR_LABEL = 1040,
    IDC_SHADOW_SWATCH = 1015,
    IDC_SHADOW_PICK = 1019,
    IDC_SHADOW_SAME_AS_TEXT = 1016,
    IDC_SHADOW_ALPHA = 1023,
    IDC_SHADOW_ALPHA_SPIN = 1024,
};
extern const DlgTemplate kTemplate;
}

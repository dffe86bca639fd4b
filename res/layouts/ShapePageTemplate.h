#pragma once

#include "res/layouts/DialogTemplate.h"
#include "res/layouts/ShadowBlock.h"

// Template 132: the shape page.
// The shadow block uses the ids of ShadowBlock.
namespace ShapePageTemplate {
enum Id : int {
    IDC_BG_SWATCH = 1007,
    IDC_BG_TRANSPARENT = 1019,
    IDC_BG_USE_COLOR = 1022,
    IDC_BG_PICK = 1023,
    IDC_MARGIN = 1004,
    IDC_MARGIN_SPIN = 1006,
    IDC_WIDTH = 1024,
    IDC_WIDTH_SPIN = 1025,
    IDC_HEIGHT = 1026,
    IDC_HEIGHT_SPIN = 1027,
    IDC_COLOR1_SWATCH = 1028,
    IDC_COLOR1_PICK = 1029,
    IDC_COLOR2_SWATCH = 1013,
    IDC_COLOR2_PICK = 1014,
    IDC_SHADOW_ALPHA = 1035,
    IDC_SHADOW_ALPHA_SPIN = 1036,
    IDC_FIT_TO_CAPTION = 1050,
};
extern const DlgTemplate kTemplate;
}

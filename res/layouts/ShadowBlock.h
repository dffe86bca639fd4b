#pragma once

// Ids of the drop-shadow block that every page template has: the "그림자 사용"
// check box, the offset pair with its labels and the opacity label. The
// opacity field and its spin have ids of their own on each page.
namespace ShadowBlock {
enum Id : int {
    IDC_SHADOW = 1030,
    IDC_SHADOW_X = 1031,
    IDC_SHADOW_X_SPIN = 1032,
    IDC_SHADOW_Y = 1033,
    IDC_SHADOW_Y_SPIN = 1034,
    IDC_SHADOW_POS_LABEL = 1037,
    IDC_SHADOW_SEPARATOR = 1038,
    IDC_SHADOW_UNIT = 1039,
    IDC_SHADOW_ALPHA_LABEL = 1041,
};
}

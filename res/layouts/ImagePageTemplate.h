#pragma once

#include "res/layouts/DialogTemplate.h"
#include "res/layouts/ShadowBlock.h"

// Template 135: the picture page.
// The shadow block uses the ids of ShadowBlock.
namespace ImagePageTemplate {
enum Id : int {
    IDC_FILE_NAME = 1045,
    IDC_CHOOSE = 1003,
    IDC_RELOAD = 1005,
    IDC_DELETE = 1004,
    IDC_SIZE = 1043,
    IDC_SIZE_SPIN = 1044,
    IDC_IMAGE_X = 1006,
    IDC_IMAGE_X_SPIN = 1047,
    IDC_IMAGE_Y = 1048,
    IDC_IMAGE_Y_SPIN = 1049,
    IDC_IMAGE_ALPHA = 1040,
    IDC_IMAGE_ALPHA_SPIN = 1046,
    IDC_SHADOW_ALPHA = 1023,
    IDC_SHADOW_ALPHA_SPIN = 1024,
};
extern const DlgTemplate kTemplate;
}

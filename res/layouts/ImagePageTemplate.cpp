#include "res/layouts/ImagePageTemplate.h"

namespace ImagePageTemplate {
namespace {
using enum DlgItemKind;
using namespace ShadowBlock;
constexpr DlgItemTemplate kItems[] = {
    {kStaticId, Label, "파일 :", 0, 0, 41, 14},
    {IDC_FILE_NAME, Edit, "", 41, 0, 112, 14, kStyleReadOnly},
    {IDC_CHOOSE, PushButton, "경로", 41, 16, 30, 14},
    {IDC_RELOAD, PushButton, "다시 읽기", 75, 16, 36, 14},
    {IDC_DELETE, PushButton, "삭제", 124, 16, 29, 14},
    {kStaticId, Label, "사이즈 :", 0, 39, 41, 14},
    {IDC_SIZE, Edit, "", 41, 39, 40, 14},
    {IDC_SIZE_SPIN, UpDown, "", 72, 36, 9, 14},
    {kStaticId, Label, "%", 84, 39, 18, 14},
    {kStaticId, Label, "좌표 조절 :", 0, 58, 41, 14},
    {IDC_IMAGE_X, Edit, "", 41, 58, 40, 14},
    {IDC_IMAGE_X_SPIN, UpDown, "", 72, 56, 9, 14},
    {kStaticId, Label, ",", 82, 58, 8, 14, kStyleCenter},
    {IDC_IMAGE_Y, Edit, "", 90, 58, 40, 14},
    {IDC_IMAGE_Y_SPIN, UpDown, "", 121, 56, 9, 14},
    {kStaticId, Label, "%", 132, 58, 18, 14},
    {kStaticId, Label, "불투명도 :", 0, 77, 41, 14},
    {IDC_IMAGE_ALPHA, Edit, "", 41, 77, 40, 14},
    {IDC_IMAGE_ALPHA_SPIN, UpDown, "", 70, 75, 9, 14},
    {kStaticId, HorizontalLine, "", 0, 108, 153, 1},
    {IDC_SHADOW, CheckBox, "그림자 사용", 0, 115, 46, 10},
    {IDC_SHADOW_POS_LABEL, Label, "상대 좌표 :", 0, 129, 41, 14},
    {IDC_SHADOW_X, Edit, "", 41, 129, 40, 14},
    {IDC_SHADOW_X_SPIN, UpDown, "", 74, 126, 9, 14},
    {IDC_SHADOW_SEPARATOR, Label, ",", 82, 129, 8, 14, kStyleCenter},
    {IDC_SHADOW_Y, Edit, "", 90, 129, 40, 14},
    {IDC_SHADOW_Y_SPIN, UpDown, "", 122, 126, 9, 14},
    {IDC_SHADOW_UNIT, Label, "%", 133, 129, 18, 14},
    {IDC_SHADOW_ALPHA_LABEL, Label, "불투명도 :", 0, 149, 41, 14},
    {IDC_SHADOW_ALPHA, Edit, "", 41, 149, 40, 14},
    {IDC_SHADOW_ALPHA_SPIN, UpDown, "", 70, 147, 9, 14},
};
}
const DlgTemplate kTemplate{135, 153, 194, kItems};
}

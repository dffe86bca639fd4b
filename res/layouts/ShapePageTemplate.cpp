#include "res/layouts/ShapePageTemplate.h"

namespace ShapePageTemplate {
namespace {
using enum DlgItemKind;
using namespace ShadowBlock;
constexpr DlgItemTemplate kItems[] = {
    {kStaticId, Label, "배경색 :", 0, 0, 41, 10},
    {IDC_BG_TRANSPARENT, RadioButton, "투명", 41, 0, 30, 10, kStyleGroup},
    {IDC_BG_USE_COLOR, RadioButton, "사용", 91, 0, 27, 10},
    {IDC_BG_SWATCH, Placeholder, "", 91, 11, 29, 20},
    {IDC_BG_PICK, PushButton, "...", 121, 17, 15, 14},
    {kStaticId, HorizontalLine, "", 0, 59, 153, 1},
    {kStaticId, Label, "여백 :", 0, 39, 41, 14},
    {IDC_MARGIN, Edit, "", 41, 39, 40, 14},
    {IDC_MARGIN_SPIN, UpDown, "", 97, 39, 9, 14},
    {kStaticId, Label, "Dot", 82, 39, 18, 14},
    {kStaticId, Label, "도형 사이즈 :", 0, 67, 41, 14},
    {IDC_WIDTH, Edit, "", 41, 67, 40, 14},
    {IDC_WIDTH_SPIN, UpDown, "", 72, 65, 9, 14},
    {kStaticId, Label, "×", 82, 67, 8, 14, kStyleCenter},
    {IDC_HEIGHT, Edit, "", 90, 67, 40, 14},
    {IDC_HEIGHT_SPIN, UpDown, "", 121, 65, 9, 14},
    {kStaticId, Label, "Dot", 132, 67, 18, 14},
    {kStaticId, Label, "색 :", 0, 92, 41, 14},
    {IDC_COLOR1_SWATCH, Placeholder, "", 41, 92, 29, 20},
    {IDC_COLOR1_PICK, PushButton, "...", 72, 98, 15, 14},
    {IDC_COLOR2_SWATCH, Placeholder, "", 91, 92, 29, 20},
    {IDC_COLOR2_PICK, PushButton, "...", 121, 98, 15, 14},
    {kStaticId, HorizontalLine, "", 0, 119, 154, 1},
    {IDC_SHADOW, CheckBox, "그림자 사용", 0, 126, 46, 10},
    {IDC_SHADOW_POS_LABEL, Label, "상대 좌표 :", 0, 140, 41, 14},
    {IDC_SHADOW_X, Edit, "", 41, 140, 40, 14},
    {IDC_SHADOW_X_SPIN, UpDown, "", 74, 137, 9, 14},
    {IDC_SHADOW_SEPARATOR, Label, ",", 82, 140, 8, 14, kStyleCenter},
    {IDC_SHADOW_Y, Edit, "", 90, 140, 40, 14},
    {IDC_SHADOW_Y_SPIN, UpDown, "", 122, 137, 9, 14},
    {IDC_SHADOW_UNIT, Label, "%", 133, 140, 18, 14},
    {IDC_SHADOW_ALPHA_LABEL, Label, "불투명도 :", 0, 160, 41, 14},
    {IDC_SHADOW_ALPHA, Edit, "", 41, 160, 40, 14},
    {IDC_SHADOW_ALPHA_SPIN, UpDown, "", 70, 158, 9, 14},
    {kStaticId, HorizontalLine, "", 0, 179, 154, 1},
    {IDC_FIT_TO_CAPTION, PushButton, "텍스트에 맞춤", 0, 186, 70, 14},
};
}
const DlgTemplate kTemplate{132, 156, 204, kItems};
}

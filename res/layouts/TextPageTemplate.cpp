#include "res/layouts/TextPageTemplate.h"

namespace TextPageTemplate {
namespace {
using enum DlgItemKind;
using namespace ShadowBlock;
constexpr DlgItemTemplate kItems[] = {
    {kStaticId, Label, "문자열 :", 0, 0, 41, 14},
    {IDC_STRING, Edit, "", 41, 0, 112, 14},
    {kStaticId, Label, "폰트 :", 0, 18, 41, 14},
    {IDC_FONT, ComboBox, "", 41, 18, 112, 247},
    {IDC_BOLD, PushButton, "B", 41, 33, 17, 18},
    {kStaticId, Label, "사이즈 :", 0, 55, 41, 14},
    {IDC_FONT_SIZE, Edit, "", 41, 55, 40, 14},
    {IDC_FONT_SIZE_SPIN, UpDown, "", 70, 50, 9, 14},
    {kStaticId, Label, "%", 82, 55, 18, 14},
    {kStaticId, Label, "좌표 조절 :", 0, 74, 41, 14},
    {IDC_TEXT_X, Edit, "", 41, 74, 40, 14},
    {IDC_TEXT_X_SPIN, UpDown, "", 72, 72, 9, 14},
    {kStaticId, Label, ",", 82, 74, 8, 14, kStyleCenter},
    {IDC_TEXT_Y, Edit, "", 90, 74, 40, 14},
    {IDC_TEXT_Y_SPIN, UpDown, "", 121, 72, 9, 14},
    {kStaticId, Label, "%", 132, 74, 18, 14},
    {kStaticId, Label, "문자색 :", 0, 93, 41, 14},
    {IDC_TEXT_SWATCH, Placeholder, "", 41, 93, 29, 20},
    {IDC_TEXT_PICK, PushButton, "...", 72, 99, 15, 14},
    {kStaticId, Label, "불투명도 :", 0, 117, 41, 14},
    {IDC_TEXT_ALPHA, Edit, "", 41, 117, 40, 14},
    {IDC_TEXT_ALPHA_SPIN, UpDown, "", 70, 115, 9, 14},
    {kStaticId, HorizontalLine, "", 0, 137, 153, 1},
    {IDC_SHADOW, CheckBox, "그림자 사용", 0, 144, 46, 10},
    {IDC_SHADOW_POS_LABEL, Label, "상대 좌표 :", 0, 159, 41, 14},
    {IDC_SHADOW_X, Edit, "", 41, 159, 40, 14},
    {IDC_SHADOW_X_SPIN, UpDown, "", 74, 156, 9, 14},
    {IDC_SHADOW_SEPARATOR, Label, ",", 82, 159, 8, 14, kStyleCenter},
    {IDC_SHADOW_Y, Edit, "", 90, 159, 40, 14},
    {IDC_SHADOW_Y_SPIN, UpDown, "", 122, 156, 9, 14},
    {IDC_SHADOW_UNIT, Label, "%", 133, 159, 18, 14},
    {IDC_SHADOW_COLOR_LABEL, Label, "그림자색 :", 0, 178, 41, 14},
    {IDC_SHADOW_SWATCH, Placeholder, "", 41, 178, 29, 20},
    {IDC_SHADOW_PICK, PushButton, "...", 72, 184, 15, 14},
    {IDC_SHADOW_SAME_AS_TEXT, CheckBox, "문자색에 맞춘다.", 91, 188, 61, 10},
    {IDC_SHADOW_ALPHA_LABEL, Label, "불투명도 :", 0, 202, 41, 14},
    {IDC_SHADOW_ALPHA, Edit, "", 41, 202, 40, 14},
    {IDC_SHADOW_ALPHA_SPIN, UpDown, "", 70, 200, 9, 14},
};
}
const DlgTemplate kTemplate{134, 156, 225, kItems};
}

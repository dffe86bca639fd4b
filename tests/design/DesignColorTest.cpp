#include "design/DesignColor.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SColorCase
{
    const char* text;
    std::optional<COLORREF> color; // COLORREF: red in the low byte
};

class DesignColorTest : public testing::TestWithParam<SColorCase>
{
};

TEST_P(DesignColorTest, ReadsDesignersFormsAndRefusesTheRest)
{
    const SColorCase& c = GetParam();
    QString why;
    const std::optional<COLORREF> color = ParseDesignColor(QString::fromUtf8(c.text), &why);
    EXPECT_EQ(color, c.color) << c.text;
    EXPECT_EQ(why.isEmpty(), c.color.has_value()) << why.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Forms, DesignColorTest,
                         testing::Values(SColorCase{"#c0392b", 0x2B39C0}, SColorCase{"#C0392B", 0x2B39C0},
                                         SColorCase{"#f80", 0x0088FF}, SColorCase{" #000000 ", 0},
                                         SColorCase{"rgb(192, 57, 43)", 0x2B39C0},
                                         SColorCase{"RGB(192,57,43)", 0x2B39C0},
                                         SColorCase{"rgb( 0 , 0 , 255 )", 0xFF0000},
                                         SColorCase{"2832832", 0x2B39C0}, SColorCase{"16777215", 0xFFFFFF},
                                         SColorCase{"0", 0},
                                         // Refused: what a design file would misread, or read as 0.
                                         SColorCase{"0xc0392b", {}}, SColorCase{"192,57,43", {}},
                                         SColorCase{"red", {}}, SColorCase{"#c0392", {}},
                                         SColorCase{"#c0392bff", {}}, SColorCase{"#ggg", {}},
                                         SColorCase{"rgb(256, 0, 0)", {}}, SColorCase{"rgb(1, 2)", {}},
                                         SColorCase{"rgb(-1, 2, 3)", {}}, SColorCase{"16777216", {}},
                                         SColorCase{"-1", {}}, SColorCase{"", {}}, SColorCase{"12abc", {}}),
                         [](const testing::TestParamInfo<SColorCase>& info) {
                             return (info.param.color ? "Read" : "Refused") + std::to_string(info.index);
                         });

TEST(DesignColorText, HtmlTextReadsBackAsTheSameColour)
{
    for (const COLORREF color : {COLORREF(0), COLORREF(0x2B39C0), COLORREF(0xFFFFFF), COLORREF(0x010203)})
        EXPECT_EQ(ParseDesignColor(HtmlColorText(color)), color);
    EXPECT_EQ(HtmlColorText(0x2B39C0), QStringLiteral("#c0392b"));
}

} // namespace

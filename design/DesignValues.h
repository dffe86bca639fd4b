#pragma once

#include <QString>

#include <cstdint>
#include <tuple>

// 0x00BBGGRR, red in the low byte.
using COLORREF = uint32_t;

struct DesignSize
{
    int cx;
    int cy;
    bool operator==(const DesignSize&) const = default;
};

struct DesignPoint
{
    float x;
    float y;
    bool operator==(const DesignPoint&) const = default;
};

// Every parameter of a button design, in the order of the design file: the
// part of the document that an edit changes, an undo step restores and a
// render in another thread takes as its own copy.
struct CDesignValues
{
    bool BGTrans = true;
    COLORREF BGColor = 0x00FFFFFF;
    int Margin = 5;
    DesignSize ShapeSize{128, 128};
    COLORREF Color1 = 0x00BF6900;
    COLORREF Color2 = 0x00EDBC3A;
    bool EnableShapeShadow = true;
    DesignPoint ShapeShadowPos{0.0f, 5.0f};
    int ShapeShadowAlpha = 200;
    QString String = QStringLiteral("NACRE");
    QString FontName = QStringLiteral("Impact");
    bool Bold = false;
    float FontSize = 20.0f;
    DesignPoint TextPos{0.0f, 0.0f};
    COLORREF TextColor = 0x00FFFFFF;
    int TextAlpha = 250;
    bool EnableTextShadow = true;
    DesignPoint TextShadowPos{0.0f, 13.0f};
    COLORREF TextShadowColor = 0x00FFFFFF;
    bool TextShadowColorSameAsText = true;
    int TextShadowAlpha = 60;
    QString ImagePath;
    int ImageAlpha = 250;
    DesignPoint ImagePos{0.0f, 0.0f};
    float ImageSize = 80.0f;
    bool EnableImageShadow = true;
    DesignPoint ImageShadowPos{0.0f, 13.0f};
    int ImageShadowAlpha = 60;
    unsigned RenderID = unsigned(-1);

    // The fields in file order, for comparisons field by field.
    auto Tie() const
    {
        return std::tie(BGTrans, BGColor, Margin, ShapeSize, Color1, Color2, EnableShapeShadow,
                        ShapeShadowPos, ShapeShadowAlpha, String, FontName, Bold, FontSize, TextPos,
                        TextColor, TextAlpha, EnableTextShadow, TextShadowPos, TextShadowColor,
                        TextShadowColorSameAsText, TextShadowAlpha, ImagePath, ImageAlpha, ImagePos,
                        ImageSize, EnableImageShadow, ImageShadowPos, ImageShadowAlpha, RenderID);
    }
};

// The file-order index of the first field in which a and b differ, or -1
// when they are the same design. Decimals that are no number count as equal
// to each other, so that a design read with them does not differ from itself.
int FirstDifferentField(const CDesignValues& a, const CDesignValues& b);

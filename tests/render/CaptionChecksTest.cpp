#include "RenderTestSupport.h"

#include "design/PresetLibrary.h"
#include "render/CaptionContrast.h"
#include "render/CaptionFit.h"
#include "render/ContentPlacement.h"
#include "render/Picture.h"
#include "render/Render.h"
#include "render/RendererTable.h"

#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

namespace {

const QString kLongCaption = QStringLiteral("Download the whole file");

// A design of the shape with a caption and no caption shadow.
std::unique_ptr<CNacreformDoc> CaptionDesign(unsigned renderId, const QString& caption)
{
    auto doc = std::make_unique<CNacreformDoc>();
    doc->SelectRenderer(renderId, true, false);
    doc->String = caption;
    doc->FontName = QStringLiteral("DejaVu Sans");
    doc->EnableTextShadow = false;
    return doc;
}

// Where the caption is inked: the pixels that differ from the same design
// drawn without its caption.
QRect CaptionPixels(CNacreformDoc& doc)
{
    const QImage with = doc.Renderer->Render(doc);
    const QString caption = doc.String;
    doc.String.clear();
    const QImage without = doc.Renderer->Render(doc);
    doc.String = caption;
    QRect inked;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            if (ChannelDistance(with.pixel(x, y), without.pixel(x, y)) > 8)
                inked |= QRect(x, y, 1, 1);
        }
    }
    return inked;
}

class FitShapeTest : public testing::TestWithParam<unsigned>
{
};

TEST_P(FitShapeTest, LongCaptionIsCutBeforeAndWholeAfter)
{
    auto doc = CaptionDesign(GetParam(), kLongCaption);
    EXPECT_GT(FindContentCuts(*doc).caption, 0);
    const float emBefore = PlaceContent(*doc).captionEmPixels;

    ASSERT_TRUE(FitShapeToCaption(*doc, std::nullopt));
    EXPECT_EQ(FindContentCuts(*doc).caption, 0);
    const QImage image = doc->Renderer->Render(*doc);
    const QRect inked = CaptionPixels(*doc);
    ASSERT_FALSE(inked.isEmpty());
    EXPECT_GT(inked.left(), 0);
    EXPECT_GT(inked.top(), 0);
    EXPECT_LT(inked.right(), image.width() - 1);
    EXPECT_LT(inked.bottom(), image.height() - 1);
    // The caption keeps its size; the padding is left inside the shape.
    EXPECT_NEAR(PlaceContent(*doc).captionEmPixels, emBefore, 0.01);
    const QRectF shape = doc->Renderer->GetCanvasLayout(*doc).shapeRect;
    const SFitPadding pad = DefaultFitPadding(*doc);
    if (!doc->Renderer->IsSquareShape()) {
        EXPECT_NEAR(inked.left() - shape.left(), pad.x, 2.5);
        EXPECT_NEAR(shape.right() - inked.right() - 1, pad.x, 2.5);
        EXPECT_EQ(doc->ShapeSize.cy, 128); // the caption is not taller
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, FitShapeTest,
                         testing::Values(kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule));

TEST(FitShape, TallCaptionGrowsTheHeightKeepingItsSize)
{
    auto doc = CaptionDesign(kRenderCapsule, QStringLiteral("Tall"));
    doc->ShapeSize = {100, 30};
    doc->FontSize = 90;
    const float em = PlaceContent(*doc).captionEmPixels;
    ASSERT_TRUE(FitShapeToCaption(*doc, SFitPadding{10, 6}));
    const SContentPlacement placement = PlaceContent(*doc);
    EXPECT_GT(doc->ShapeSize.cy, 30);
    EXPECT_NEAR(placement.captionEmPixels, em, 0.01);
    // The caption is centred by its line, not its ink: the tighter side has
    // the padding.
    const double above = placement.caption.top() - placement.content.top();
    const double below = placement.content.bottom() - placement.caption.bottom();
    EXPECT_NEAR(std::min(above, below), 6, 1);
    EXPECT_GE(std::max(above, below), 6);
}

TEST(FitShape, RefusesWhatNoSizeFits)
{
    auto doc = CaptionDesign(kRenderRectangle, QString());
    const CDesignValues before = *doc;
    QString why;
    EXPECT_FALSE(FitShapeToCaption(*doc, std::nullopt, &why));
    EXPECT_FALSE(why.isEmpty());
    doc->String = QStringLiteral("Off");
    doc->TextPos = {60, 0}; // the caption's centre beyond the shape's side
    EXPECT_FALSE(FitShapeToCaption(*doc, std::nullopt, &why));
    doc->TextPos = before.TextPos;
    doc->String = before.String;
    EXPECT_EQ(FirstDifferentField(*doc, before), -1);
}

TEST(ContentCuts, CountThePixelsBeyondTheCanvas)
{
    // The caption's overhang, measured on a canvas wide enough to hold it:
    // the same design with a larger margin.
    auto doc = CaptionDesign(kRenderCircle00, QStringLiteral("Download"));
    const SContentCuts cuts = FindContentCuts(*doc);
    ASSERT_GT(cuts.caption, 0);
    EXPECT_EQ(cuts.picture, 0);
    const int width = doc->Renderer->Render(*doc).width();
    constexpr int kMore = 60;
    doc->Margin += kMore;
    const QRect inked = CaptionPixels(*doc);
    const int overhang = std::max(kMore - inked.left(), inked.right() + 1 - (width + kMore));
    EXPECT_NEAR(cuts.caption, overhang, 1);
    EXPECT_EQ(FindContentCuts(*doc).caption, 0);
    EXPECT_TRUE(DescribeContentCuts(cuts).contains(QStringLiteral("caption is cut off by %1 pixels").arg(cuts.caption)));
    EXPECT_TRUE(DescribeContentCuts({}).isEmpty());

    // A picture moved half out of the canvas.
    doc->Margin -= kMore;
    doc->CachedImagePath = doc->ImagePath = QStringLiteral("picture.png");
    doc->CachedImage = CPicture(QImage(20, 20, QImage::Format_ARGB32));
    doc->ImagePos = {0, 50};
    doc->ImageSize = 40; // 50.8 pixels high, centred on the shape's bottom edge at 132
    EXPECT_EQ(FindContentCuts(*doc).picture, 10); // 157.4 on a canvas 148 high
}

TEST(CaptionContrast, FollowsTheGuidelinesFormula)
{
    EXPECT_NEAR(ContrastRatio(qRgb(0, 0, 0), qRgb(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(qRgb(255, 255, 255), qRgb(255, 255, 255)), 1.0, 1e-9);
    EXPECT_NEAR(ContrastRatio(qRgb(0x77, 0x77, 0x77), qRgb(255, 255, 255)), 4.48, 0.01);

    auto doc = CaptionDesign(kRenderRectangle, QStringLiteral("OK"));
    doc->TextColor = 0x000000;
    doc->TextAlpha = 255;
    doc->Color1 = doc->Color2 = 0xFFFFFF; // a light shape
    const auto dark = MeasureCaptionContrast(*doc);
    ASSERT_TRUE(dark);
    EXPECT_GT(dark->ratio, 7);
    EXPECT_TRUE(dark->large); // 20 % of 127 pixels in points
    doc->TextColor = 0xFFFFFF;
    const auto light = MeasureCaptionContrast(*doc);
    ASSERT_TRUE(light);
    EXPECT_LT(light->ratio, 1.5);
    EXPECT_FALSE(light->IsSufficient());
    doc->FontSize = 10; // 12.7 points, 17 pixels: normal text
    EXPECT_DOUBLE_EQ(MeasureCaptionContrast(*doc)->Required(), SCaptionContrast::kNormalTextRatio);
    doc->String.clear();
    EXPECT_FALSE(MeasureCaptionContrast(*doc));
}

TEST(Presets, EveryPresetRendersWholeReadableAndItsOwn)
{
    ASSERT_GE(BuiltInPresets().size(), 12);
    QList<QImage> images;
    QSet<unsigned> shapes;
    for (const SPreset& preset : BuiltInPresets()) {
        SCOPED_TRACE(preset.name.toStdString());
        const std::optional<CDesignValues> values = LoadPreset(preset.name);
        ASSERT_TRUE(values);
        CNacreformDoc doc;
        doc.ApplyValues(*values);
        EXPECT_EQ(doc.RenderID, values->RenderID); // a shape the program knows
        shapes.insert(doc.RenderID);
        const QImage image = doc.Renderer->Render(doc);
        ASSERT_FALSE(image.isNull());
        EXPECT_FALSE(FindContentCuts(doc).Any());
        const auto contrast = MeasureCaptionContrast(doc);
        ASSERT_TRUE(contrast);
        EXPECT_TRUE(contrast->IsSufficient()) << contrast->ratio;
        for (const QImage& other : images)
            EXPECT_NE(image, other);
        images.append(image);
    }
    EXPECT_EQ(shapes.size(), 4);
    EXPECT_FALSE(LoadPreset(QStringLiteral("no-such-preset")));
}

} // namespace

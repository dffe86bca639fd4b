#include "RenderTestSupport.h"

#include "render/CircleButtonRender.h"
#include "render/CircleRectangleButtonRender.h"
#include "render/Render.h"
#include "render/RendererTable.h"
#include "render/ShapeHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void ExpectRect(const QRectF& actual, double x, double y, double w, double h)
{
    constexpr double kTolerance = 1e-4;
    EXPECT_NEAR(actual.x(), x, kTolerance);
    EXPECT_NEAR(actual.y(), y, kTolerance);
    EXPECT_NEAR(actual.width(), w, kTolerance);
    EXPECT_NEAR(actual.height(), h, kTolerance);
}

bool AllTransparent(const QImage& image)
{
    return InkBounds(image).isNull();
}

} // namespace

TEST(CanvasLayout, DefaultDesignGivesTheWorkedExample)
{
    CNacreformDoc doc;
    const SCanvasLayout layout = doc.Renderer->GetCanvasLayout(doc);
    EXPECT_NEAR(layout.width, 145.68, 1e-4);
    EXPECT_NEAR(layout.height, 148.24, 1e-4);
    ExpectRect(layout.shapeRect, 8.84, 5, 127, 127);
    ExpectRect(layout.shadowRect, 5, 7.56, 134.68, 134.68);

    const QImage image = doc.Renderer->Render(doc);
    EXPECT_EQ(image.size(), QSize(145, 148));
    EXPECT_EQ(image.format(), QImage::Format_ARGB32);
}

TEST(CanvasLayout, WithoutShadowAndMarginTheBitmapIsTheShape)
{
    for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        auto doc = BareDesign(id, 120, 50);
        doc->Margin = 0;
        const bool square = doc->Renderer->IsSquareShape();
        const int height = square ? 120 : 50;
        const SCanvasLayout layout = doc->Renderer->GetCanvasLayout(*doc);
        ExpectRect(layout.shapeRect, 0, 0, 119, height - 1);
        ExpectRect(layout.shadowRect, 0, 0, 119, height - 1);
        EXPECT_EQ(doc->Renderer->Render(*doc).size(), QSize(120, height)) << id;
    }
}

TEST(CanvasLayout, ShadowOffsetsWidenTheCanvasOnTheirSideOnly)
{
    auto doc = BareDesign(kRenderRectangle, 100, 50);
    doc->EnableShapeShadow = true;
    doc->Margin = 4;

    // e = 0.07 x 50 = 3.5; offsets -10 % and -20 % of 100 and 50 give -10 each.
    doc->ShapeShadowPos = {-10, -20};
    SCanvasLayout layout = doc->Renderer->GetCanvasLayout(*doc);
    EXPECT_NEAR(layout.width, 100 + 13.5 + 8, 1e-4);
    EXPECT_NEAR(layout.height, 50 + 13.5 + 8, 1e-4);
    ExpectRect(layout.shapeRect, 17.5, 17.5, 99, 49);
    ExpectRect(layout.shadowRect, 4, 4, 106, 56);

    doc->ShapeShadowPos = {10, 20};
    layout = doc->Renderer->GetCanvasLayout(*doc);
    EXPECT_NEAR(layout.width, 6.5 + 107 + 8, 1e-4);
    EXPECT_NEAR(layout.height, 6.5 + 57 + 8, 1e-4);
    ExpectRect(layout.shapeRect, 4, 4, 99, 49);
    ExpectRect(layout.shadowRect, 10.5, 10.5, 106, 56);
}

TEST(CanvasLayout, SquareShapesIgnoreTheStoredHeight)
{
    CNacreformDoc doc;
    doc.ShapeSize = {128, 60};
    EXPECT_EQ(doc.Renderer->Render(doc).size(), QSize(145, 148));
}

TEST(CanvasLayout, ShapesWithoutAreaRenderTransparent)
{
    for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        auto doc = BareDesign(id, 0, 0);
        doc->String = QStringLiteral("NACRE");
        doc->Margin = 5;
        const QImage framed = doc->Renderer->Render(*doc);
        EXPECT_EQ(framed.size(), QSize(10, 10)) << id;
        EXPECT_TRUE(AllTransparent(framed)) << id;

        doc->Margin = 0;
        const QImage empty = doc->Renderer->Render(*doc);
        EXPECT_EQ(empty.size(), QSize(200, 200)) << id;
        EXPECT_TRUE(AllTransparent(empty)) << id;
    }
}

TEST(CanvasLayout, TinyShapesRenderWithoutFault)
{
    for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        for (int size = 1; size <= 4; ++size) {
            auto doc = BareDesign(id, size, size);
            doc->EnableShapeShadow = true;
            doc->String = QStringLiteral("NACRE");
            EXPECT_FALSE(doc->Renderer->Render(*doc).isNull()) << id << " " << size;
        }
        auto flat = BareDesign(id, 1000, 1);
        EXPECT_FALSE(flat->Renderer->Render(*flat).isNull()) << id;
    }
}

TEST(CanvasLayout, ShapesReachingFarBeyondTheCanvasRenderWithoutFault)
{
    // A shape of the largest int size pulled back by a margin of minus half
    // of it: a small canvas showing a sliver of a shape whose pixel bounds
    // fit no int.
    for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        auto doc = BareDesign(id, std::numeric_limits<int>::max(), std::numeric_limits<int>::max());
        doc->Margin = -1073741700;
        EXPECT_EQ(doc->Renderer->Render(*doc).size(), QSize(256, 256)) << id;
    }
}

TEST(CanvasLayout, CanvasBeyondTheSideLimitIsNotAllocated)
{
    auto doc = BareDesign(kRenderRectangle, CRender::kMaxCanvasSide, 1);
    doc->Margin = 0;
    EXPECT_EQ(doc->Renderer->Render(*doc).size(), QSize(CRender::kMaxCanvasSide, 1));

    doc->ShapeSize = {CRender::kMaxCanvasSide + 1, 1};
    EXPECT_TRUE(doc->Renderer->Render(*doc).isNull());

    doc->ShapeSize = {100000, 100000};
    EXPECT_TRUE(doc->Renderer->Render(*doc).isNull());
}

TEST(CanvasLayout, CanvasBeyondTheAreaLimitIsNotAllocated)
{
    // The largest design the panel can make (shape and margin 1000, shadow
    // moved a whole shape away) stays well inside the limit.
    auto largest = BareDesign(kRenderRectangle, 1000, 1000);
    largest->Margin = 1000;
    largest->EnableShapeShadow = true;
    largest->ShapeShadowPos = {100, 100};
    const SCanvasLayout layout = largest->Renderer->GetCanvasLayout(*largest);
    EXPECT_LE(double(layout.width) * layout.height, double(CRender::kMaxCanvasPixels));

    // Sides each within their limit that together would take gigabytes.
    auto doc = BareDesign(kRenderRectangle, 15000, 15000);
    doc->Margin = 0;
    EXPECT_TRUE(doc->Renderer->Render(*doc).isNull());
}

TEST(CanvasLayout, CanvasThatIsNotANumberIsNotAllocated)
{
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        CNacreformDoc doc;
        doc.ShapeShadowPos = {bad, 0};
        EXPECT_TRUE(doc.Renderer->Render(doc).isNull());
    }
}

TEST(Renderers, TableAndProperties)
{
    struct SRow
    {
        unsigned id;
        bool square;
        bool secondColor;
        float spread;
    };
    for (const SRow& row : {SRow{kRenderCircle00, true, false, 0.03f}, SRow{kRenderCircle01, true, true, 0.03f},
                            SRow{kRenderRectangle, false, true, 0.07f},
                            SRow{kRenderCapsule, false, true, 0.07f}}) {
        const auto renderer = CreateRenderer(row.id);
        ASSERT_TRUE(renderer) << row.id;
        EXPECT_EQ(renderer->IsSquareShape(), row.square) << row.id;
        EXPECT_EQ(renderer->UsesSecondColor(), row.secondColor) << row.id;
        EXPECT_FLOAT_EQ(renderer->GetShadowSpread(), row.spread) << row.id;
    }
    EXPECT_FALSE(CreateRenderer(5));
}

TEST(ShapeGeometry, InsetsTruncateTheProductAndNeverFallBelowOne)
{
    struct SRow
    {
        float height;
        int ringOrCapsule; // 3 % of the height: ring width e, capsule inset t
        int rectangle;     // 2 %
    };
    for (const SRow& row : {SRow{33, 1, 1}, SRow{34, 1, 1}, SRow{66, 1, 1}, SRow{67, 2, 1}, SRow{99, 2, 1},
                            SRow{100, 3, 2}, SRow{127, 3, 2}, SRow{150, 4, 3}}) {
        EXPECT_EQ(ShapeInset(row.height, 0.03), row.ringOrCapsule) << row.height;
        EXPECT_EQ(ShapeInset(row.height, 0.02), row.rectangle) << row.height;
    }
}

TEST(ShapeGeometry, CircleGlossOfTheDefaultDesign)
{
    ExpectRect(CCircleButtonRender::GetGlossRect(QRectF(8.84, 5, 127, 127)), 27.89, 10, 88.9, 69.85);
    // Below 25 pixels the gloss starts on the shape's top edge.
    EXPECT_EQ(CCircleButtonRender::GetGlossRect(QRectF(0, 3, 24, 24)).y(), 3);
}

TEST(ShapeGeometry, CapsuleHighlight)
{
    ExpectRect(CCircleRectangleButtonRender::GetHighlightRect(QRectF(5, 5, 199, 63)), 18.6, 6, 171.8, 30.5);
    ExpectRect(CCircleRectangleButtonRender::GetHighlightRect(QRectF(0, 0, 127, 127)), 3 + 25.4, 3, 70.2, 60.5);
}

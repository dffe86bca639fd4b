#include "RenderTestSupport.h"

#include "render/Blend.h"
#include "render/Render.h"
#include "render/RendererTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ShapeRendererTest : public testing::TestWithParam<unsigned>
{
};

INSTANTIATE_TEST_SUITE_P(AllShapes, ShapeRendererTest,
                         testing::Values(kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule));

// Red channel of a pixel (ARGB, not premultiplied).
int Red(const QImage& image, int x, int y)
{
    return qRed(image.pixel(x, y));
}

} // namespace

TEST_P(ShapeRendererTest, NothingOutsideShapeAndShadowIsCovered)
{
    CNacreformDoc doc;
    doc.SelectRenderer(GetParam(), false, false);
    doc.ShapeSize = {160, 90};
    doc.Margin = 12;
    doc.ShapeShadowPos = {-6, 8};
    const QImage image = doc.Renderer->Render(doc);
    const SCanvasLayout layout = doc.Renderer->GetCanvasLayout(doc);
    const QRectF covered = (layout.shapeRect | layout.shadowRect).adjusted(-1.5, -1.5, 1.5, 1.5);
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!covered.contains(x, y) && qAlpha(image.pixel(x, y)) != 0)
                ++outside;
        }
    }
    EXPECT_EQ(outside, 0);
    const QPointF centre = layout.shapeRect.center();
    EXPECT_EQ(qAlpha(image.pixel(int(centre.x()), int(centre.y()))), 255);
}

TEST_P(ShapeRendererTest, ShadowCoreHasTheLowByteOfShapeShadowAlpha)
{
    // Offset by a whole shape size, the shadow's centre lies clear of the shape.
    auto doc = BareDesign(GetParam(), 120, 80);
    doc->EnableShapeShadow = true;
    doc->ShapeShadowPos = {100, 100};
    for (int alpha : {200, 255, 256, 300}) {
        doc->ShapeShadowAlpha = alpha;
        const QImage image = doc->Renderer->Render(*doc);
        const QPointF centre = doc->Renderer->GetCanvasLayout(*doc).shadowRect.center();
        const QRgb core = image.pixel(int(centre.x()), int(centre.y()));
        EXPECT_NEAR(qAlpha(core), alpha & 0xFF, 1) << alpha;
        if (qAlpha(core) > 0) {
            EXPECT_EQ(core & 0xFFFFFF, 0u) << alpha;
        }
    }
}

TEST(CircleButton00Render, SecondColourChangesNothing)
{
    CNacreformDoc doc;
    doc.Color2 = 0x000000FF;
    const QImage first = doc.Renderer->Render(doc);
    doc.Color2 = 0x0000FF00;
    EXPECT_EQ(doc.Renderer->Render(doc), first);
}

TEST(RectangleButtonRender, GlossFallsFromFifteenPercentToNothingAtHalfDepth)
{
    // Black in black: every layer under the gloss is opaque black above the
    // lower glow, so a pixel's red is the gloss's opacity.
    auto doc = BareDesign(kRenderRectangle, 300, 400);
    doc->Margin = 0;
    doc->Color1 = doc->Color2 = 0;
    const QImage image = doc->Renderer->Render(*doc);
    // h = 399, t = 7: inner panel from y 7, 385 deep; gloss brush box from y 6, 387 deep.
    const CBlend gloss({0, 0.08f, 0.85f, 1, 1}, {0, 0.1f, 0.5f, 0.51f, 1});
    for (int y = 8; y < 290; ++y) {
        const float p = float((y - 6.0) / 387);
        if (p > 0.497f && p < 0.513f)
            continue; // the hard edge itself
        EXPECT_NEAR(Red(image, 150, y), 255 * (1 - gloss.Factor(p)), 2.0) << "row " << y;
    }
    // About 15 % white just above half depth, nothing just below 51 %.
    EXPECT_GE(Red(image, 150, 197), 36);
    EXPECT_LE(Red(image, 150, 197), 44);
    EXPECT_EQ(Red(image, 150, 206), 0);
}

TEST(CircleButton01Render, GlowIsStrongestAtTheBottomMiddle)
{
    auto doc = BareDesign(kRenderCircle01, 300, 300);
    doc->Margin = 0;
    doc->Color1 = doc->Color2 = 0;
    const QImage image = doc->Renderer->Render(*doc);
    // R = (0, 0, 299, 299), e = 8; glow ellipse G centred (149.5, 299) with
    // half axes 300 and 300. Below the gloss (under 60 % of the height) a
    // pixel's red is the glow's opacity over black.
    const CBlend glow({0, 0, 0.6f, 1}, {0, 0.55f, 0.9f, 1});
    QPoint brightest;
    int brightestRed = -1;
    for (int y = 185; y < 289; y += 2) {
        for (int x = 20; x < 280; x += 2) {
            const double dx = (x - 149.5) / 300, dy = (y - 299.0) / 300;
            const double ix = (x - 149.5) / 141.5, iy = (y - 149.5) / 141.5;
            if (ix * ix + iy * iy > 0.97)
                continue; // near or beyond the disc's edge
            const float p = float(1 - std::sqrt(dx * dx + dy * dy));
            EXPECT_NEAR(Red(image, x, y), 255 * glow.Factor(p), 3) << x << "," << y;
            if (Red(image, x, y) > brightestRed) {
                brightestRed = Red(image, x, y);
                brightest = QPoint(x, y);
            }
        }
    }
    EXPECT_NEAR(brightest.x(), 149.5, 3);
    EXPECT_GT(brightest.y(), 280);
}

TEST(CircleRectangleButtonRender, EndGlowsMeetTheMiddleWithoutSeam)
{
    auto doc = BareDesign(kRenderCapsule, 400, 200);
    doc->Margin = 0;
    const QImage image = doc->Renderer->Render(*doc);
    // h = 199, t = 5: inner area (5, 5, 389, 189); the ends' centre lines at
    // x = 99.5 and 299.5. Below the highlight (which ends at half depth).
    for (int y = 110; y < 192; ++y) {
        for (int seam : {99, 299}) {
            for (int x = seam - 3; x <= seam + 3; ++x)
                EXPECT_LE(ChannelDistance(image.pixel(x, y), image.pixel(x + 1, y)), 2)
                    << "seam " << seam << " column " << x << " row " << y;
        }
    }
}

TEST(CircleRectangleButtonRender, CapsuleNarrowerThanHighRenders)
{
    // Its half circles overlap and reach beyond the shape box; the canvas
    // does not grow for them.
    CNacreformDoc doc;
    doc.SelectRenderer(kRenderCapsule, false, false);
    doc.ShapeSize = {50, 120};
    const QImage image = doc.Renderer->Render(doc);
    const SCanvasLayout layout = doc.Renderer->GetCanvasLayout(doc);
    EXPECT_EQ(image.size(), QSize(int(layout.width), int(layout.height)));
    const QPointF centre = layout.shapeRect.center();
    EXPECT_EQ(qAlpha(image.pixel(int(centre.x()), int(centre.y()))), 255);
}

TEST_P(ShapeRendererTest, RenderingAgainGivesTheSameBitmapAndFollowsEveryChange)
{
    // Large enough that the caption is not in Qt's glyph cache.
    CNacreformDoc doc;
    doc.SelectRenderer(GetParam(), false, false);
    doc.ShapeSize = {400, 400};
    const QImage first = doc.Renderer->Render(doc);
    EXPECT_EQ(doc.Renderer->Render(doc), first);

    doc.TextColor = 0x000000FF; // red caption
    const QImage red = doc.Renderer->Render(doc);
    EXPECT_NE(red, first);
    doc.TextColor = 0x00FFFFFF;
    EXPECT_EQ(doc.Renderer->Render(doc), first);
    doc.String = QStringLiteral("NACRF");
    EXPECT_NE(doc.Renderer->Render(doc), first);
}

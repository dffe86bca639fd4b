#include "RenderTestSupport.h"

#include "render/Blend.h"
#include "render/Render.h"
#include "render/RendererTable.h"
#include "render/ShapeHelpers.h"

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

namespace {

// The capsule's inner area as its glow is laid: each end's half disc lit
// around that end's middle on the inner area's bottom edge, left end then
// right end, then the middle box from one end's centre line to the other's,
// a pixel wider on each side, lit from top to bottom. Colours are opaque.
struct SCapsuleGlow
{
    double xi, yi, wi, hi;
    ARGB c1, c2;

    explicit SCapsuleGlow(const CNacreformDoc& doc)
        : c1(ColorRefToArgb(doc.Color1)), c2(ColorRefToArgb(doc.Color2))
    {
        const QRectF shape = doc.Renderer->GetCanvasLayout(doc).shapeRect;
        const int t = ShapeInset(float(shape.height()), 0.03);
        xi = shape.x() + t, yi = shape.y() + t, wi = shape.width() - 2 * t, hi = shape.height() - 2 * t;
    }

    double CentreLine(bool right) const { return right ? xi + wi - hi / 2 : xi + hi / 2; }

    // Inside the end's half disc by margin pixels.
    bool InEnd(bool right, double x, double y, double margin) const
    {
        const double dx = x - CentreLine(right);
        return std::hypot(dx, y - yi - hi / 2) < hi / 2 - margin && (right ? dx > margin : dx < -margin);
    }

    bool InMiddle(double x) const { return x > xi + hi / 2 - 1 && x < xi + wi - hi / 2 + 1; }

    QRgb End(bool right, double x, double y) const
    {
        return Lit(1 - std::hypot(x - CentreLine(right), y - yi - hi) / (hi + 1));
    }

    QRgb At(double x, double y) const
    {
        if (InMiddle(x))
            return Lit((y - yi + 0.5) / (hi + 1));
        return End(InEnd(true, x, y, 0), x, y);
    }

    // Colour at position p (0 outside, 1 at the bottom middle), with the
    // white glow over it.
    QRgb Lit(double p) const
    {
        const ARGB colour = CBlend::InterpolateArgb(c1, c2, CBlend({0, 1, 1}, {0, 0.55f, 1}).Factor(float(p)));
        const double white = CBlend({0, 0, 0.6f, 0.8f}, {0, 0.55f, 0.9f, 1}).Factor(float(p));
        const auto over = [white](int channel) { return int(std::lround(channel + white * (255 - channel))); };
        return qRgb(over(ArgbRed(colour)), over(ArgbGreen(colour)), over(ArgbBlue(colour)));
    }
};

class NarrowCapsuleTest : public testing::TestWithParam<QSize>
{
};

class CapsuleSeamTest : public testing::TestWithParam<QSize>
{
};

} // namespace

INSTANTIATE_TEST_SUITE_P(NarrowerThanHigh, NarrowCapsuleTest, testing::Values(QSize(90, 300), QSize(111, 128)));
INSTANTIATE_TEST_SUITE_P(Ordinary, CapsuleSeamTest,
                         testing::Values(QSize(200, 64), QSize(128, 128), QSize(300, 90), QSize(400, 200)));

TEST_P(NarrowCapsuleTest, EndsAreWholeHalfDiscsTheRightOneOverTheLeft)
{    auto doc = BareDesign(kRenderCapsule, GetParam().width(), GetParam().height());
    doc->Color1 = 0x000000FF; // red
    doc->Color2 = 0x00FF0000; // blue
    const QImage image = doc->Renderer->Render(*doc);
    const SCapsuleGlow glow(*doc);
    int rightOverLeft = 0;
    // The lower half, below the highlight.
    for (int y = int(glow.yi + glow.hi / 2) + 2; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const bool left = glow.InEnd(false, x, y, 1.5), right = glow.InEnd(true, x, y, 1.5);
            const bool nearEdge =
                left != glow.InEnd(false, x, y, -1.5) || right != glow.InEnd(true, x, y, -1.5);
            if (nearEdge || (!left && !right))
                continue;
            const QRgb expected = glow.End(right, x, y);
            EXPECT_LE(ChannelDistance(image.pixel(x, y), expected), 3) << x << "," << y;
            if (left && right && ChannelDistance(glow.End(false, x, y), expected) > 10)
                ++rightOverLeft;
        }
    }
    EXPECT_GT(rightOverLeft, 20);
}

TEST_P(CapsuleSeamTest, EndsMeetTheMiddleWithoutSeam)
{    // With the default shadow, whose spread puts the shape between pixels.
    CNacreformDoc doc;
    doc.SelectRenderer(kRenderCapsule, false, false);
    doc.ShapeSize = {GetParam().width(), GetParam().height()};
    doc.String.clear();
    const QImage image = doc.Renderer->Render(doc);
    const SCapsuleGlow glow(doc);
    const auto inside = [&glow](double x, double y) {
        return (glow.InMiddle(x) && y > glow.yi + 2 && y < glow.yi + glow.hi - 2) || glow.InEnd(false, x, y, 2)
               || glow.InEnd(true, x, y, 2);
    };
    // Neighbours along each row below the highlight differ no more than the
    // gradient itself does, give or take 2 levels.
    for (int y = int(glow.yi + glow.hi / 2) + 2; y < int(glow.yi + glow.hi); ++y) {
        for (int x = int(glow.xi); x < int(glow.xi + glow.wi); ++x) {
            if (!inside(x, y) || !inside(x + 1, y))
                continue;
            const QRgb a = image.pixel(x, y), b = image.pixel(x + 1, y);
            const QRgb modelA = glow.At(x, y), modelB = glow.At(x + 1, y);
            for (int shift : {0, 8, 16}) {
                const auto channel = [shift](QRgb c) { return int((c >> shift) & 0xFF); };
                EXPECT_LE(std::abs(channel(b) - channel(a)), std::abs(channel(modelB) - channel(modelA)) + 2)
                    << "column " << x << " row " << y;
            }
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

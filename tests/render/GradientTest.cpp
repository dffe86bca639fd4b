#include "RenderTestSupport.h"

#include "render/CanvasGraphics.h"
#include "render/Blend.h"
#include "render/CircleRectangleButtonRender.h"
#include "render/GraphicsPath.h"
#include "render/LinearGradient.h"
#include "render/PathGradient.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

// The colour a gradient gives at factor f: each channel on its own.
QRgb ExpectedPremultiplied(QRgb first, QRgb second, double f)
{
    const auto mix = [f](int a, int b) { return a + f * (b - a); };
    return Premultiplied(mix(qAlpha(first), qAlpha(second)), mix(qRed(first), qRed(second)),
                         mix(qGreen(first), qGreen(second)), mix(qBlue(first), qBlue(second)));
}

// Half red to opaque blue: interpolating premultiplied colours instead of
// the channels would be far off in the middle.
constexpr QRgb kFrom = 0x20FF0000;
constexpr QRgb kTo = 0xFF0000FF;
constexpr int kTolerance = 2;

// The gradient filling region, or the whole canvas when region is empty.
QImage FillPathGradient(CPathGradient::EOutline outline, const QRectF& box, const CBlend& blend, QSize size,
                        QRgb surround = kFrom, QPainterPath region = {})
{
    QImage canvas = TransparentCanvas(size.width(), size.height());
    CPathGradient gradient(outline, box);
    gradient.SetSurroundColor(surround);
    gradient.SetCenterColor(kTo);
    gradient.SetBlend(blend);
    QPainter graphics(&canvas);
    PrepareCanvasGraphics(graphics);
    if (region.isEmpty())
        region.addRect(QRectF(QPointF(-0.5, -0.5), size));
    gradient.Fill(graphics, region);
    return canvas;
}

struct SOutlineCase
{
    CPathGradient::EOutline outline;
    QRectF box;
};

class PathGradientEdgeTest : public testing::TestWithParam<SOutlineCase>
{
};

INSTANTIATE_TEST_SUITE_P(
    EachOutline, PathGradientEdgeTest,
    testing::Values(SOutlineCase{CPathGradient::EOutline::Ellipse, QRectF(10.3, 7.6, 61.4, 37.9)},
                    SOutlineCase{CPathGradient::EOutline::Rectangle, QRectF(10.3, 7.6, 61.4, 37.9)},
                    SOutlineCase{CPathGradient::EOutline::Capsule, QRectF(10.3, 7.6, 61.4, 37.9)},
                    // Narrower than high: the outline crosses itself.
                    SOutlineCase{CPathGradient::EOutline::Capsule, QRectF(25.3, 4.6, 27.4, 41.9)}));

} // namespace

TEST(Blend, FactorRunsPiecewiseLinearThroughItsPoints)
{
    const CBlend gloss({0, 0.08f, 0.85f, 1, 1}, {0, 0.1f, 0.5f, 0.51f, 1});
    EXPECT_FLOAT_EQ(gloss.Factor(0), 0);
    EXPECT_FLOAT_EQ(gloss.Factor(0.05f), 0.04f);
    EXPECT_NEAR(gloss.Factor(0.3f), 0.465f, 1e-6);
    EXPECT_NEAR(gloss.Factor(0.505f), 0.925f, 1e-5);
    EXPECT_FLOAT_EQ(gloss.Factor(0.8f), 1);
    EXPECT_FLOAT_EQ(CBlend().Factor(0.25f), 0.25f);
}

TEST(LinearGradient, ChannelsInterpolateUnpremultipliedThroughTheBlend)
{
    const QRectF box(0, 10, 40, 80);
    const CBlend blend({0, 0.3f, 1}, {0, 0.5f, 1});
    QImage canvas = TransparentCanvas(40, 100);
    {
        QPainter graphics(&canvas);
        PrepareCanvasGraphics(graphics);
        QPainterPath region;
        region.addRect(box);
        FillVerticalGradient(graphics, region, box, kFrom, kTo, blend);
    }
    for (int y = 11; y < 90; ++y) {
        const double p = (y - 10.0) / 80;
        const QRgb expected = ExpectedPremultiplied(kFrom, kTo, blend.Factor(float(p)));
        EXPECT_LE(ChannelDistance(canvas.pixel(20, y), expected), kTolerance) << "row " << y;
    }
    EXPECT_EQ(canvas.pixel(20, 5), 0u);
    EXPECT_EQ(canvas.pixel(20, 95), 0u);
}

TEST(LinearGradient, BoxWithoutAreaPaintsNothing)
{
    QImage canvas = TransparentCanvas(20, 20);
    QPainter graphics(&canvas);
    PrepareCanvasGraphics(graphics);
    QPainterPath region;
    region.addRect(0, 0, 20, 20);
    FillVerticalGradient(graphics, region, QRectF(0, 5, 20, 0), kTo, kTo, CBlend());
    FillVerticalGradient(graphics, region, QRectF(0, 5, -3, 10), kTo, kTo, CBlend());
    graphics.end();
    EXPECT_TRUE(InkBounds(canvas).isNull());
}

TEST(PathGradient, EllipseIsAnEllipticalRadialGradient)
{
    const QRectF box(20, 10, 160, 100);
    const CBlend blend({0, 1, 1}, {0, 0.5f, 1});
    const QImage canvas = FillPathGradient(CPathGradient::EOutline::Ellipse, box, blend, QSize(200, 120));
    for (int y = 0; y < 120; y += 3) {
        for (int x = 0; x < 200; x += 3) {
            const double dx = (x - 100.0) / 80, dy = (y - 60.0) / 50;
            const double p = 1 - std::sqrt(dx * dx + dy * dy);
            if (p < -0.04) { // a pixel beyond the outline
                EXPECT_EQ(qAlpha(canvas.pixel(x, y)), 0) << x << "," << y;
            } else if (p > 0.02) {
                EXPECT_LE(ChannelDistance(canvas.pixel(x, y),
                                          ExpectedPremultiplied(kFrom, kTo, blend.Factor(float(p)))),
                          kTolerance)
                    << x << "," << y;
            }
        }
    }
}

TEST(PathGradient, RectangleLinesOfEqualColourAreSmallerRectangles)
{
    const QRectF box(10, 10, 180, 60);
    const QImage canvas = FillPathGradient(CPathGradient::EOutline::Rectangle, box, CBlend(), QSize(200, 80));
    for (int y = 10; y < 70; y += 2) {
        for (int x = 10; x < 190; x += 2) {
            const double p = 1 - std::max(std::fabs(x - 100.0) / 90, std::fabs(y - 40.0) / 30);
            EXPECT_LE(ChannelDistance(canvas.pixel(x, y), ExpectedPremultiplied(kFrom, kTo, p)), kTolerance)
                << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.pixel(5, 40), 0u);
}

TEST(PathGradient, CapsuleCopiesScaleTowardTheCentre)
{
    // Half height b = 40, straight half-length c = 60, centre (110, 50). The
    // copy scaled by s holds the points within s b of the segment from
    // (-s c, 0) to (s c, 0); a pixel's position is 1 - the least such s.
    const QRectF box(10, 10, 200, 80);
    const QImage canvas = FillPathGradient(CPathGradient::EOutline::Capsule, box, CBlend(), QSize(220, 100));
    const auto inside = [](double dx, double dy, double s) {
        const double along = std::clamp(dx, -60 * s, 60 * s);
        return std::hypot(dx - along, dy) <= 40 * s;
    };
    for (int y = 8; y < 92; y += 3) {
        for (int x = 6; x < 214; x += 3) {
            const double dx = x - 110.0, dy = y - 50.0;
            double low = 0, high = 2;
            for (int i = 0; i < 40; ++i)
                (inside(dx, dy, (low + high) / 2) ? high : low) = (low + high) / 2;
            const double p = 1 - high;
            if (p < -0.04) { // a pixel beyond the outline
                EXPECT_EQ(qAlpha(canvas.pixel(x, y)), 0) << x << "," << y;
            } else if (p > 0.02) {
                EXPECT_LE(ChannelDistance(canvas.pixel(x, y), ExpectedPremultiplied(kFrom, kTo, p)), kTolerance)
                    << x << "," << y;
            }
        }
    }
}

TEST(PathGradient, BoxWithoutAreaPaintsNothing)
{
    for (const QRectF& box : {QRectF(10, 10, 0, 30), QRectF(10, 10, 30, -2)}) {
        const QImage canvas = FillPathGradient(CPathGradient::EOutline::Capsule, box, CBlend(), QSize(50, 50));
        EXPECT_TRUE(InkBounds(canvas).isNull());
    }
}

TEST(GraphicsPath, ArcsRunClockwiseFromTheRightWithYDown)
{
    // From the bottom (90) through the left to the top: the left half disc.
    CGraphicsPath left;
    left.AddArc(QRectF(0, 0, 40, 40), 90, 180);
    EXPECT_TRUE(left.Path().contains(QPointF(5, 20)));
    EXPECT_FALSE(left.Path().contains(QPointF(35, 20)));
    EXPECT_TRUE(left.Path().pointAtPercent(0).toPoint() == QPoint(20, 40));

    // Two arcs of one figure are joined; the fill closes the figure.
    CGraphicsPath capsule;
    capsule.AddArc(QRectF(0, 0, 40, 40), 90, 180);
    capsule.AddArc(QRectF(60, 0, 40, 40), 270, 180);
    EXPECT_TRUE(capsule.Path().contains(QPointF(50, 20)));
    EXPECT_TRUE(capsule.Path().contains(QPointF(95, 20)));
    EXPECT_FALSE(capsule.Path().contains(QPointF(50, 45)));
}

TEST(GraphicsPath, OverlappingFiguresFollowTheAlternateRule)
{
    CGraphicsPath path;
    path.AddRectangle(QRectF(0, 0, 40, 40));
    path.AddEllipse(QRectF(10, 10, 20, 20));
    EXPECT_TRUE(path.Path().contains(QPointF(3, 3)));
    EXPECT_FALSE(path.Path().contains(QPointF(20, 20)));
}

TEST_P(PathGradientEdgeTest, EdgesAreCoveredLikeASolidFillOfTheSamePath)
{
    const QRectF& box = GetParam().box;
    CGraphicsPath path;
    if (GetParam().outline == CPathGradient::EOutline::Ellipse)
        path.AddEllipse(box);
    else if (GetParam().outline == CPathGradient::EOutline::Rectangle)
        path.AddRectangle(box);
    else
        CCircleRectangleButtonRender::AddCapsule(path, box, 1);
    const QSize size(80, 50);
    // The outline's own colour for the outer fifth of the way in.
    constexpr QRgb kOutline = 0xFF306090;
    const QImage gradient =
        FillPathGradient(GetParam().outline, box, CBlend({0, 0, 1}, {0, 0.2f, 1}), size, kOutline, path.Path());
    QImage solid = TransparentCanvas(size.width(), size.height());
    {
        QPainter graphics(&solid);
        PrepareCanvasGraphics(graphics);
        graphics.fillPath(path.Path(), QColor::fromRgba(kOutline));
    }
    int edgePixels = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const int alpha = qAlpha(solid.pixel(x, y));
            EXPECT_NEAR(qAlpha(gradient.pixel(x, y)), alpha, 1) << x << "," << y;
            if (alpha > 0 && alpha < 255) {
                ++edgePixels;
                EXPECT_LE(ChannelDistance(gradient.pixel(x, y), solid.pixel(x, y)), 2) << x << "," << y;
            }
        }
    }
    EXPECT_GT(edgePixels, 40);
}

TEST(PathGradient, NarrowCapsuleTakesTheFarthestCrossingOfItsOutline)
{
    // Half height b = 50 around (40, 60); the left end's half circle centred
    // 20 to the right of the centre, the right end's 20 to the left.
    const QImage canvas = FillPathGradient(CPathGradient::EOutline::Capsule, QRectF(10, 10, 60, 100), CBlend(),
                                           QSize(80, 120));
    // Upward the straight edge joining the ends is the farthest crossing;
    // sideways the half circle of the end on that side, 30 from the centre.
    for (const auto& [x, y, p] : {std::tuple{40, 20, 0.2}, {40, 85, 0.5}, {55, 60, 0.5}, {28, 60, 0.6}})
        EXPECT_LE(ChannelDistance(canvas.pixel(x, y), ExpectedPremultiplied(kFrom, kTo, p)), kTolerance)
            << x << "," << y;
}

#include "RenderTestSupport.h"

#include "render/Blend.h"
#include "render/Render.h"
#include "render/RendererTable.h"

#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

// Where layers land on the pixel grid: the centre of pixel (i, j) is the
// point (i, j), so a pixel covers i - 0.5 to i + 0.5.

namespace {

// Alpha of the dark veil that every shape but circle 00 lays over its body:
// 128 at the top of its brush box (one pixel above the shape) to 0 at its
// bottom (one pixel below), at row y of a shape from top, h high.
double VeilAlpha(double y, double top, double h)
{
    return 128.0 / 255 * (1 - (y - (top - 1)) / (h + 2));
}

// Alpha of layers that each cover the given share of a pixel with the given
// alpha, laid over each other.
double LayeredAlpha(std::initializer_list<std::pair<double, double>> coverageAndAlpha)
{
    double clear = 1;
    for (const auto& [coverage, alpha] : coverageAndAlpha)
        clear *= 1 - coverage * alpha;
    return 255 * (1 - clear);
}

// The largest channel difference between the image and its mirror image,
// premultiplied (unpremultiplied colours of faint pixels are coarse).
int MirrorDistance(const QImage& image)
{
    const QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int largest = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width() / 2; ++x) {
            largest = std::max(largest, ChannelDistance(premultiplied.pixel(x, y),
                                                        premultiplied.pixel(image.width() - 1 - x, y)));
        }
    }
    return largest;
}

// A shape's outline with the share of a pixel it covers, sampled finely.
struct SOutline
{
    enum EKind { Ellipse, Rectangle, Capsule } kind;
    QRectF box;

    // Inside the outline grown by grow on every side.
    bool Contains(double x, double y, double grow) const
    {
        const double dx = x - box.center().x(), dy = y - box.center().y();
        const double a = box.width() / 2 + grow, b = box.height() / 2 + grow;
        switch (kind) {
        case Ellipse:
            return dx * dx / (a * a) + dy * dy / (b * b) <= 1;
        case Rectangle:
            return std::fabs(dx) <= a && std::fabs(dy) <= b;
        case Capsule: {
            const double c = box.width() / 2 - box.height() / 2;
            return std::hypot(dx - std::clamp(dx, -c, c), dy) <= b;
        }
        }
        return false;
    }

    double Coverage(int px, int py, double grow = 0) const
    {
        constexpr int kSamples = 32;
        int inside = 0;
        for (int j = 0; j < kSamples; ++j) {
            for (int i = 0; i < kSamples; ++i)
                inside += Contains(px - 0.5 + (i + 0.5) / kSamples, py - 0.5 + (j + 0.5) / kSamples, grow);
        }
        return double(inside) / (kSamples * kSamples);
    }
};

struct SEdgeCase
{
    unsigned renderId;
    int width, height;
    SOutline::EKind kind;
    int tolerance; // alpha levels
};

class ShapeEdgeTest : public testing::TestWithParam<SEdgeCase>
{
};

// Insets of 2 pixels or more, so that no inner layer reaches an edge pixel.
// The rasteriser places points on a 64th of a pixel, which shows on curved
// edges; circle 00's rim changes its alpha across an edge pixel, and its
// outline pen is modelled only roughly: a little more room there.
INSTANTIATE_TEST_SUITE_P(EachFamily, ShapeEdgeTest,
                         testing::Values(SEdgeCase{kRenderCircle00, 101, 101, SOutline::Ellipse, 6},
                                         SEdgeCase{kRenderCircle01, 101, 101, SOutline::Ellipse, 5},
                                         SEdgeCase{kRenderRectangle, 161, 101, SOutline::Rectangle, 2},
                                         SEdgeCase{kRenderCapsule, 161, 81, SOutline::Capsule, 4}));

} // namespace

TEST(ShapePlacement, MarginZeroShapesHalfCoverTheirOuterColumnsAndRows)
{
    for (unsigned id : {kRenderRectangle, kRenderCapsule}) {
        auto doc = BareDesign(id, 41, 19);
        doc->Margin = 0;
        const QImage image = doc->Renderer->Render(*doc);
        ASSERT_EQ(image.size(), QSize(41, 19));
        for (int y = 0; y < 19; ++y)
            EXPECT_NEAR(qAlpha(image.pixel(0, y)), qAlpha(image.pixel(40, y)), 1) << id << " row " << y;
        // Body and veil each cover half of the top and bottom rows.
        for (int y : {0, 18}) {
            const double expected = LayeredAlpha({{0.5, 1}, {0.5, VeilAlpha(y, 0, 18)}});
            EXPECT_NEAR(qAlpha(image.pixel(20, y)), expected, 2) << id << " row " << y;
        }
    }
}

TEST(ShapePlacement, DefaultDesignsShapesAreSymmetricLeftToRight)
{
    for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        CNacreformDoc doc;
        doc.SelectRenderer(id, false, false);
        doc.ShapeSize = {128, 64};
        doc.String.clear();
        doc.EnableShapeShadow = false; // its spread would put the centre off the pixel grid
        const QImage image = doc.Renderer->Render(doc);
        ASSERT_EQ(image.width(), 138); // shape from 5 to 132: centred between columns 68 and 69
        // Qt's thin-line stroker (circle 00's outline pen) and its radial
        // gradients lean a level or two.
        EXPECT_LE(MirrorDistance(image), 3) << id;
    }
}

TEST(ShapePlacement, PictureAndCaptionCentredOnASymmetricShapeStaySymmetric)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Opaque red ends around a half-transparent blue middle.
    QImage picture(10, 6, QImage::Format_ARGB32);
    picture.fill(QColor(255, 0, 0));
    for (int y = 0; y < 6; ++y) {
        for (int x = 3; x < 7; ++x)
            picture.setPixel(x, y, qRgba(0, 0, 255, 128));
    }
    const QString path = dir.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(QImageWriter(path, "png").write(picture));

    auto doc = BareDesign(kRenderRectangle, 200, 90);
    doc->Margin = 0;
    doc->ImagePath = path;
    doc->ImageSize = 33;
    doc->ImagePos = {0, -20};
    doc->ImageShadowPos = {0, 7};
    doc->String = QStringLiteral("IOI");
    doc->TextPos = {0, 20};
    // Glyph outlines lie on the font's unit grid, about a hundredth of a
    // pixel here: a few levels on their edges.
    EXPECT_LE(MirrorDistance(doc->Renderer->Render(*doc)), 6);
}

TEST_P(ShapeEdgeTest, EdgePixelsAreCoveredByTheShapesArea)
{
    const SEdgeCase& param = GetParam();
    auto doc = BareDesign(param.renderId, param.width, param.height);
    doc->Margin = 3;
    const QImage image = doc->Renderer->Render(*doc);
    const QRectF shape = doc->Renderer->GetCanvasLayout(*doc).shapeRect;
    const SOutline outline{param.kind, shape};
    const CBlend rimBlend({0, 1, 1}, {0, 0.15f, 1});

    int edgePixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (outline.Contains(x, y, -1) || !outline.Contains(x, y, 1))
                continue;
            const double coverage = outline.Coverage(x, y);
            if (coverage < 0.02 || coverage > 0.98)
                continue;
            ++edgePixels;
            double expected = 0;
            if (param.renderId == kRenderCircle00) {
                // Body, the rim's dark outline colour fading inward, and the
                // outline pen, a tenth of a pixel wide, that Qt draws as a
                // pixel-wide line at a tenth of its alpha.
                const double dx = (x - shape.center().x()) / (shape.width() / 2);
                const double dy = (y - shape.center().y()) / (shape.height() / 2);
                const float p = float(std::max(0.0, 1 - std::hypot(dx, dy)));
                const double rim = 130.0 / 255 * (1 - rimBlend.Factor(p));
                const double pen = 0.1 * (outline.Coverage(x, y, 0.5) - outline.Coverage(x, y, -0.5));
                expected = LayeredAlpha({{coverage, 1}, {coverage, rim}, {pen, 160.0 / 255}});
            } else {
                expected = LayeredAlpha({{coverage, 1}, {coverage, VeilAlpha(y, shape.top(), shape.height())}});
            }
            EXPECT_NEAR(qAlpha(image.pixel(x, y)), expected, param.tolerance) << x << "," << y << " covered " << coverage;
        }
    }
    EXPECT_GT(edgePixels, 200);
}

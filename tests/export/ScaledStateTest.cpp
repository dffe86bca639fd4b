#include "RenderTestSupport.h"
#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "render/DisplayBitmap.h"
#include "render/ImageFiles.h"
#include "render/Render.h"
#include "render/RendererTable.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct SShapeCase
{
    unsigned renderId;
    int width;
    int height;
};

// Every shape, with even and odd sizes, with the default shadow and caption.
const SShapeCase kShapes[] = {
    {kRenderCircle00, 128, 128}, {kRenderCircle01, 37, 37},    {kRenderRectangle, 201, 67},
    {kRenderCapsule, 157, 61},   {kRenderCapsule, 64, 64},     {kRenderRectangle, 3, 5},
};

std::unique_ptr<CNacreformDoc> Design(const SShapeCase& shape)
{
    auto doc = std::make_unique<CNacreformDoc>();
    doc->SelectRenderer(shape.renderId, false, false);
    doc->ShapeSize = {shape.width, shape.height};
    return doc;
}

// Mean difference of the premultiplied channels of one and of twice,
// shrunk by a 2 x 2 box filter.
double MeanDifferenceToHalf(const QImage& one, const QImage& twice)
{
    const QImage a = one.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = twice.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q[4] = {b.pixel(2 * x, 2 * y), b.pixel(2 * x + 1, 2 * y), b.pixel(2 * x, 2 * y + 1),
                               b.pixel(2 * x + 1, 2 * y + 1)};
            for (int shift : {0, 8, 16, 24}) {
                const auto channel = [shift](QRgb c) { return int((c >> shift) & 0xFF); };
                const double box = (channel(q[0]) + channel(q[1]) + channel(q[2]) + channel(q[3])) / 4.0;
                sum += std::abs(box - channel(p));
            }
        }
    }
    return sum / (4.0 * a.width() * a.height());
}

} // namespace

TEST(ScaledRenderTest, ScaledImagesAreExactMultiplesAndMatchTheOneTimesImage)
{
    for (const SShapeCase& shape : kShapes) {
        SCOPED_TRACE(testing::Message() << shape.renderId << " " << shape.width << "x" << shape.height);
        const auto doc = Design(shape);
        const QImage one = RenderButtonState(*doc, EButtonState::Normal, 1);
        ASSERT_FALSE(one.isNull());
        for (double scale : {2.0, 3.0, 1.5, 0.25}) {
            const QImage scaled = RenderButtonState(*doc, EButtonState::Normal, scale);
            EXPECT_EQ(scaled.size(), QSize(qRound(scale * one.width()), qRound(scale * one.height()))) << scale;
        }
        if (shape.width >= 32) {
            EXPECT_LE(MeanDifferenceToHalf(one, RenderButtonState(*doc, EButtonState::Normal, 2)), 2.0);
        }
    }
}

TEST(ScaledRenderTest, OneTimesNormalImageIsTheExportByteForByte)
{
    QTemporaryDir dir;
    for (const SShapeCase& shape : kShapes) {
        for (bool transparent : {true, false}) {
            const auto doc = Design(shape);
            doc->BGTrans = transparent;
            doc->BGColor = 0x00336699;
            const QImage rendered = doc->Renderer->Render(*doc);
            const QImage display = ComposeDisplayImage(*doc, rendered);
            const QString path = dir.filePath(QStringLiteral("today.png"));
            ASSERT_TRUE(SavePng(ChooseExportBitmap(doc->BGTrans, rendered, display), path));
            QFile today(path);
            ASSERT_TRUE(today.open(QIODevice::ReadOnly));
            const QImage state = RenderButtonState(*doc, EButtonState::Normal, 1);
            EXPECT_EQ(EncodePng(ComposeExportImage(*doc, state)), today.readAll())
                << shape.renderId << " " << transparent;
        }
    }
}

TEST(ScaledRenderTest, ScaleOutOfRangeOrCanvasTooLargeGivesNoImage)
{
    CNacreformDoc doc;
    EXPECT_TRUE(RenderButtonState(doc, EButtonState::Normal, 0.2).isNull());
    EXPECT_TRUE(RenderButtonState(doc, EButtonState::Normal, 8.5).isNull());
    doc.ShapeSize = {1000, 1000};
    doc.SelectRenderer(kRenderRectangle, false, false);
    EXPECT_FALSE(RenderButtonState(doc, EButtonState::Normal, 4).isNull());
    EXPECT_TRUE(RenderButtonState(doc, EButtonState::Normal, 8).isNull()); // 8000 x 8000 pixels and more
}

// Each state's rule seen on pixels, on the normal design's canvas.
class ButtonStateTest : public testing::Test
{
protected:
    void SetUp() override
    {
        m_doc.String = QStringLiteral("I");
        m_doc.TextColor = 0x000000FF; // pure red caption
        m_doc.TextAlpha = 255;
        m_doc.EnableTextShadow = false;
        m_doc.ShapeShadowPos = {0, 10};
        m_normal = RenderButtonState(m_doc, EButtonState::Normal, 1);
    }

    QImage State(EButtonState state, double scale = 1)
    {
        const QImage image = RenderButtonState(m_doc, state, scale);
        EXPECT_EQ(image.size(), (scale == 1 ? m_normal.size() : image.size()));
        return image;
    }

    // Bounds of the red caption: red high, green low.
    static QRect CaptionBounds(const QImage& image)
    {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qRed(image.pixel(x, y)) > 200 && qGreen(image.pixel(x, y)) < 60)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }

    static int MaxAlphaBelow(const QImage& image, int row)
    {
        int alpha = 0;
        for (int y = row; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                alpha = std::max(alpha, qAlpha(image.pixel(x, y)));
        return alpha;
    }

    CNacreformDoc m_doc;
    QImage m_normal;
};

TEST_F(ButtonStateTest, HoverLightensEveryShapePixel)
{
    const QImage hover = State(EButtonState::Hover);
    const QPoint centre(m_normal.width() / 2 - 30, m_normal.height() / 2);
    const QRgb before = m_normal.pixel(centre), after = hover.pixel(centre);
    EXPECT_GT(qRed(after) + qGreen(after) + qBlue(after), qRed(before) + qGreen(before) + qBlue(before) + 20);
    for (int y = 0; y < hover.height(); ++y)
        for (int x = 0; x < hover.width(); ++x)
            ASSERT_EQ(qAlpha(hover.pixel(x, y)), qAlpha(m_normal.pixel(x, y))) << x << "," << y;
}

TEST_F(ButtonStateTest, PressedDarkensMovesTheCaptionDownAndHalvesTheShadow)
{
    for (double scale : {1.0, 2.0}) {
        const QImage normal = RenderButtonState(m_doc, EButtonState::Normal, scale);
        const QImage pressed = State(EButtonState::Pressed, scale);
        ASSERT_EQ(pressed.size(), normal.size());
        const QPoint centre(normal.width() / 2 - int(30 * scale), normal.height() / 2);
        const QRgb before = normal.pixel(centre), after = pressed.pixel(centre);
        EXPECT_LT(qRed(after) + qGreen(after) + qBlue(after), qRed(before) + qGreen(before) + qBlue(before) - 10);
        const QRect caption = CaptionBounds(normal);
        ASSERT_FALSE(caption.isEmpty());
        EXPECT_EQ(CaptionBounds(pressed).top(), caption.top() + int(scale)) << scale;
        EXPECT_EQ(CaptionBounds(pressed).left(), caption.left()) << scale;
    }
    // Below the shape only the shadow shows: half as dark and not as far.
    const QImage pressed = State(EButtonState::Pressed);
    const int belowShape = int(m_doc.Renderer->GetCanvasLayout(m_doc).shapeRect.bottom()) + 2;
    EXPECT_LE(MaxAlphaBelow(pressed, belowShape), MaxAlphaBelow(m_normal, belowShape) / 2 + 1);
    EXPECT_LT(InkBounds(pressed).bottom(), InkBounds(m_normal).bottom());
}

TEST_F(ButtonStateTest, DisabledIsTheNormalImageInGreyAtHalfAlpha)
{
    const QImage disabled = State(EButtonState::Disabled);
    for (int y = 0; y < disabled.height(); ++y) {
        for (int x = 0; x < disabled.width(); ++x) {
            const QRgb n = m_normal.pixel(x, y), d = disabled.pixel(x, y);
            const int luma = (299 * qRed(n) + 587 * qGreen(n) + 114 * qBlue(n) + 500) / 1000;
            ASSERT_EQ(qAlpha(d), (qAlpha(n) + 1) / 2) << x << "," << y;
            if (qAlpha(n) > 0) {
                ASSERT_EQ(d & 0xFFFFFF, qRgb(luma, luma, luma) & 0xFFFFFF) << x << "," << y;
            }
        }
    }
}

TEST(ButtonStateNameTest, NamesRoundTripAndUnknownNamesAreRefused)
{
    for (EButtonState state : AllButtonStates())
        EXPECT_EQ(ParseButtonState(ButtonStateName(state).toUpper()), state);
    EXPECT_FALSE(ParseButtonState(QStringLiteral("active")).has_value());
}

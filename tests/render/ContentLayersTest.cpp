#include "RenderTestSupport.h"

#include "render/ButtonLayers.h"
#include "render/CanvasGraphics.h"
#include "render/ContentLayers.h"
#include "render/ImageFiles.h"
#include "render/LayerPainter.h"
#include "render/Picture.h"
#include "render/PictureLayer.h"
#include "render/TextLayer.h"
#include "util/MessageSink.h"

#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

class CRecordingSink : public IMessageSink
{
public:
    void ShowMessage(const QString& text) override { m_messages.append(text); }
    QStringList m_messages;
};

// A content rectangle 127 high in the middle of a canvas large enough for
// whatever is drawn on it.
const QRectF kContent(136.5, 100, 127, 127);
const QSize kCanvas(400, 330);

QImage DrawContent(CNacreformDoc& doc, int scale = 1)
{
    QImage canvas = TransparentCanvas(scale * kCanvas.width(), scale * kCanvas.height());
    QPainter graphics(&canvas);
    PrepareCanvasGraphics(graphics, scale);
    CButtonLayers layers(graphics.deviceTransform());
    DrawTextAndPicture(doc, layers, kContent);
    PaintButtonLayers(graphics, layers);
    return canvas;
}

double AlphaSum(const QImage& image)
{
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            sum += qAlpha(image.pixel(x, y)) / 255.0;
    }
    return sum;
}

class ContentLayersTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_doc.SetMessageSink(&m_sink);
        m_doc.String.clear();
        m_doc.EnableImageShadow = false;
    }

    QString WritePicture(const QString& name, const QSize& size, const char* format = "png")
    {
        QImage picture(size, QImage::Format_ARGB32);
        picture.fill(QColor(255, 0, 0));
        const QString path = m_dir.filePath(name);
        QImageWriter writer(path, format);
        EXPECT_TRUE(writer.write(picture)) << name.toStdString() << ": " << writer.errorString().toStdString();
        return path;
    }

    // A 10 x 10 SVG picture: a red square from 2 to 8 on a clear ground.
    QString WriteSvg(const QString& name)
    {
        QFile file(m_dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<svg xmlns='http://www.w3.org/2000/svg' width='10' height='10' viewBox='0 0 10 10'>"
                   "<rect x='2' y='2' width='6' height='6' fill='red'/></svg>");
        return file.fileName();
    }

    QTemporaryDir m_dir;
    CRecordingSink m_sink;
    CNacreformDoc m_doc;
};

} // namespace

TEST_F(ContentLayersTest, PictureKeepsItsAspectAtItsHeightCentredOnTheRectangle)
{
    m_doc.ImagePath = WritePicture(QStringLiteral("wide.png"), QSize(64, 32));
    m_doc.ImageAlpha = 255;
    const QImage canvas = DrawContent(m_doc);
    EXPECT_TRUE(m_sink.m_messages.isEmpty());
    // 80 % of 127 = 101.6 high, so 203.2 wide.
    EXPECT_NEAR(AlphaSum(canvas), 203.2 * 101.6, 203.2 * 101.6 * 0.01);
    const QRect ink = InkBounds(canvas, 127);
    EXPECT_NEAR(ink.width(), 203.2, 1.5);
    EXPECT_NEAR(ink.height(), 101.6, 1.5);
    EXPECT_NEAR(QRectF(ink).center().x() - 0.5, kContent.center().x(), 1.0);
    EXPECT_NEAR(QRectF(ink).center().y() - 0.5, kContent.center().y(), 1.0);
}

TEST_F(ContentLayersTest, PictureShadowIsAnOffsetCopyWithItsOwnOpacity)
{
    m_doc.ImagePath = WritePicture(QStringLiteral("square.png"), QSize(20, 20));
    m_doc.ImageSize = 20;
    m_doc.ImageAlpha = 0;
    m_doc.EnableImageShadow = true;
    m_doc.ImageShadowPos = {0, 50};
    m_doc.ImageShadowAlpha = 102;
    const QImage canvas = DrawContent(m_doc);
    const QPointF centre = kContent.center();
    EXPECT_EQ(qAlpha(canvas.pixel(int(centre.x()), int(centre.y()))), 0);
    const QRgb shadow = canvas.pixel(int(centre.x()), int(centre.y() + 0.5 * 127));
    EXPECT_NEAR(qAlpha(shadow), 102, 1);
}

TEST_F(ContentLayersTest, PictureOpacityScalesEachAlphaAndOnlyTheResultIsClamped)
{
    // Half-transparent red. Opacities above 255 come only from a hand-edited
    // design; they make such pixels more opaque, the colour unchanged.
    QImage picture(8, 8, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 0, 0, 128));
    m_doc.ImagePath = m_dir.filePath(QStringLiteral("half.png"));
    ASSERT_TRUE(QImageWriter(m_doc.ImagePath, "png").write(picture));
    m_doc.ImageSize = 40;
    for (const auto& [opacity, alpha] : {std::pair{255, 128}, {128, 64}, {300, 151}, {600, 255}, {0, 0}, {-40, 0}}) {
        m_doc.ImageAlpha = opacity;
        const QImage canvas = DrawContent(m_doc);
        const QRgb centre = canvas.pixel(kContent.center().toPoint());
        EXPECT_NEAR(qAlpha(centre), alpha, 1) << opacity;
        if (alpha > 0) {
            EXPECT_LE(ChannelDistance(qUnpremultiply(centre) | 0xFF000000u, 0xFFFF0000u), 2) << opacity;
        }
    }
}

TEST_F(ContentLayersTest, FailedLoadIsReportedOncePerChangeOfPath)
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.png"));
    m_doc.ImagePath = missing;
    DrawContent(m_doc);
    DrawContent(m_doc);
    ASSERT_EQ(m_sink.m_messages.size(), 1);
    EXPECT_EQ(m_sink.m_messages.front(), QStringLiteral("画像の読み込みに失敗しました。\n\n") + missing);
    EXPECT_TRUE(m_doc.CachedImage.isNull());
    EXPECT_EQ(m_doc.CachedImagePath, missing);

    // The reload empties the cache key: the file is tried again.
    m_doc.CachedImagePath.clear();
    DrawContent(m_doc);
    EXPECT_EQ(m_sink.m_messages.size(), 2);

    // Without a sink nothing is shown and nothing fails.
    m_doc.SetMessageSink(nullptr);
    m_doc.CachedImagePath.clear();
    DrawContent(m_doc);
    EXPECT_EQ(m_sink.m_messages.size(), 2);
}

TEST_F(ContentLayersTest, UndecodableFileIsALoadFailureAndTheRestStillRenders)
{
    const QString path = m_dir.filePath(QStringLiteral("text.png"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();
    m_doc.ImagePath = path;
    m_doc.String = QStringLiteral("NACRE");
    const QImage canvas = DrawContent(m_doc);
    EXPECT_EQ(m_sink.m_messages.size(), 1);
    EXPECT_FALSE(InkBounds(canvas).isNull());
}

TEST_F(ContentLayersTest, PicturePathThatIsNoRegularFileFailsWithoutWaiting)
{
    // Opening a pipe for reading blocks until a writer comes, which none will.
    const QString pipe = m_dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    CPicture picture;
    EXPECT_FALSE(LoadPicture(pipe, picture));
    EXPECT_TRUE(picture.isNull());
    EXPECT_FALSE(LoadPicture(m_dir.path(), picture));
}

TEST_F(ContentLayersTest, CacheKeepsThePictureUntilThePathChanges)
{
    const QString path = WritePicture(QStringLiteral("a.png"), QSize(10, 10));
    m_doc.ImagePath = path;
    DrawContent(m_doc);
    ASSERT_EQ(m_doc.CachedImage.size(), QSize(10, 10));
    WritePicture(QStringLiteral("a.png"), QSize(30, 10));
    DrawContent(m_doc);
    EXPECT_EQ(m_doc.CachedImage.size(), QSize(10, 10));

    m_doc.ImagePath.clear();
    DrawContent(m_doc);
    EXPECT_TRUE(m_doc.CachedImage.isNull());
    EXPECT_TRUE(m_doc.CachedImagePath.isEmpty());
}

TEST_F(ContentLayersTest, CommonPictureFormatsDecode)
{
    QStringList paths;
    for (const char* format : {"bmp", "jpg", "png", "tiff", "ico"})
        paths.append(WritePicture(QStringLiteral("p.") + QLatin1String(format), QSize(16, 16), format));
    // Qt reads GIF but does not write it: a 16 x 16 red GIF.
    static const unsigned char kRedGif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x10, 0x00, 0x10, 0x00, 0xf0, 0x00, 0x00, 0xff,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c,
        0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x10, 0x00, 0x00, 0x02, 0x0e, 0x84, 0x8f, 0xa9,
        0xcb, 0xed, 0x0f, 0xa3, 0x9c, 0xb4, 0xda, 0x8b, 0xb3, 0x3e, 0x05, 0x00, 0x3b};
    QFile gif(m_dir.filePath(QStringLiteral("p.gif")));
    ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
    gif.write(reinterpret_cast<const char*>(kRedGif), sizeof(kRedGif));
    gif.close();
    paths.append(gif.fileName());

    for (const QString& path : paths) {
        CPicture picture;
        EXPECT_TRUE(LoadPicture(path, picture)) << path.toStdString();
        EXPECT_EQ(picture.size(), QSize(16, 16)) << path.toStdString();
        EXPECT_LE(ChannelDistance(picture.GetPixels().pixel(8, 8), 0xFFFF0000u), 8) << path.toStdString(); // JPEG is lossy
    }
}

TEST_F(ContentLayersTest, SvgPicturesLoadAsVectorsOrFailWithAReason)
{
    const QString svg = WriteSvg(QStringLiteral("icon.svg"));
    QFile::copy(svg, m_dir.filePath(QStringLiteral("no-extension")));
    for (const QString& path : {svg, m_dir.filePath(QStringLiteral("no-extension"))}) {
        CPicture picture;
        ASSERT_TRUE(LoadPicture(path, picture)) << path.toStdString();
        EXPECT_TRUE(picture.IsVector());
        EXPECT_EQ(picture.size(), QSize(10, 10));
    }
    QFile broken(m_dir.filePath(QStringLiteral("broken.svg")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<svg xmlns='http://www.w3.org/2000/svg'><rect");
    broken.close();
    CPicture picture;
    QString why;
    EXPECT_FALSE(LoadPicture(broken.fileName(), picture, &why));
    EXPECT_TRUE(picture.isNull());
    EXPECT_FALSE(why.isEmpty());
}

namespace {

// Pixels of the row through the middle of image that are neither clear nor
// opaque: how many device pixels the picture's edges take.
int BlurredEdgePixels(const QImage& image)
{
    const int y = image.height() / 2;
    int blurred = 0;
    for (int x = 0; x < image.width(); ++x) {
        const int alpha = qAlpha(image.pixel(x, y));
        blurred += alpha > 25 && alpha < 230;
    }
    return blurred;
}

} // namespace

TEST_F(ContentLayersTest, SvgPictureIsDrawnSharpAtTwiceTheScale)
{
    m_doc.ImagePath = WriteSvg(QStringLiteral("icon.svg"));
    const QImage twice = DrawContent(m_doc, 2);
    const QImage enlarged = DrawContent(m_doc).scaled(twice.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    // A square 60 % as wide as the picture, 101.6 pixels high at 1x.
    EXPECT_NEAR(InkBounds(twice).width(), 2 * 0.6 * 101.6, 2);
    EXPECT_LE(BlurredEdgePixels(twice), 2);
    EXPECT_GE(BlurredEdgePixels(enlarged), 3);
}

TEST_F(ContentLayersTest, EmptyCaptionDrawsNothing)
{
    m_doc.EnableTextShadow = true;
    EXPECT_TRUE(InkBounds(DrawContent(m_doc)).isNull());
}

TEST_F(ContentLayersTest, CaptionIsCentredOnItsPointAtItsEmSize)
{
    m_doc.String = QStringLiteral("NACRE");
    m_doc.EnableTextShadow = false;
    const QImage centred = DrawContent(m_doc);
    const QRect ink = InkBounds(centred, 60);
    ASSERT_FALSE(ink.isNull());
    EXPECT_NEAR(QRectF(ink).center().x() - 0.5, kContent.center().x(), 1.5);
    // 20 % of 127 = 25.4 points = 33.9 pixels at 96 dpi; capitals without
    // descenders stand about 0.73 em high in the generic family.
    EXPECT_NEAR(ink.height(), 0.73 * 25.4 * 4 / 3, 1.5);

    // Half the height up: the same caption moved onto the top edge.
    m_doc.TextPos = {0, -50};
    const QRect top = InkBounds(DrawContent(m_doc), 60);
    EXPECT_EQ(top.size(), ink.size());
    EXPECT_NEAR(top.center().y() - ink.center().y(), -63.5, 1.0);
    EXPECT_NEAR(QRectF(ink).center().y() - 0.5 - kContent.center().y(),
                QRectF(top).center().y() - 0.5 - kContent.top(), 1.0);
}

TEST_F(ContentLayersTest, CaptionShadowUsesItsOwnAlphaAndOffset)
{
    m_doc.String = QStringLiteral("I");
    m_doc.TextAlpha = 0;
    m_doc.EnableTextShadow = true;
    m_doc.TextShadowAlpha = 256 + 60; // only the low byte counts
    m_doc.TextPos = {0, 10};
    m_doc.TextShadowPos = {0, 13};
    const QImage canvas = DrawContent(m_doc);
    const QRect ink = InkBounds(canvas);
    ASSERT_FALSE(ink.isNull());
    int strongest = 0;
    for (int y = ink.top(); y <= ink.bottom(); ++y)
        strongest = std::max(strongest, qAlpha(canvas.pixel(ink.center().x(), y)));
    EXPECT_NEAR(strongest, 60, 2);

    m_doc.EnableTextShadow = false;
    m_doc.TextAlpha = 255;
    const QRect caption = InkBounds(DrawContent(m_doc));
    EXPECT_NEAR(ink.center().y() - caption.center().y(), 0.13 * 127, 1.0);
}

TEST_F(ContentLayersTest, CaptionFarBeyondTheCanvasDrawsNothing)
{
    // Offsets a design file may hold, whose pixels fit no int.
    m_doc.String = QStringLiteral("NACRE");
    m_doc.EnableTextShadow = true;
    for (const DesignPoint far : {DesignPoint{1e30f, 0}, DesignPoint{0, -1e30f}, DesignPoint{3e7f, 3e7f}}) {
        m_doc.TextPos = far;
        EXPECT_TRUE(InkBounds(DrawContent(m_doc)).isNull()) << far.x << " " << far.y;
    }
}

TEST_F(ContentLayersTest, UnknownFamilyFallsBackToTheGenericSansSerif)
{
    m_doc.String = QStringLiteral("Nacre");
    m_doc.FontName = QStringLiteral("Impact");
    const QImage fallback = DrawContent(m_doc);
    m_doc.FontName = CTextLayer::GenericSansSerifFamily();
    EXPECT_EQ(DrawContent(m_doc), fallback);
    m_doc.FontName = CTextLayer::GenericSansSerifFamily().toUpper();
    EXPECT_EQ(DrawContent(m_doc), fallback);
    m_doc.FontName = QStringLiteral("DejaVu Serif");
    EXPECT_NE(DrawContent(m_doc), fallback);
}

TEST_F(ContentLayersTest, EmSizeThatCannotBeMadeDrawsNoCaption)
{
    m_doc.String = QStringLiteral("NACRE");
    for (float size : {0.0f, -20.0f, 1e30f}) {
        m_doc.FontSize = size;
        const CTextLayer text(m_doc, kContent);
        EXPECT_FALSE(text.HasFont()) << size;
        EXPECT_TRUE(InkBounds(DrawContent(m_doc)).isNull()) << size;
    }
}

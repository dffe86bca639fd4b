#include "RenderTestSupport.h"

#include "render/DisplayBitmap.h"
#include "render/Render.h"
#include "render/ImageFiles.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DisplayBitmap, TransparentBackgroundIsACheckerboardOfSixteenPixelCells)
{
    CNacreformDoc doc;
    const QImage bitmap = CreateDisplayBitmap(doc, 40, 35);
    ASSERT_EQ(bitmap.size(), QSize(40, 35));
    EXPECT_FALSE(bitmap.hasAlphaChannel());
    const QRgb white = 0xFFFFFFFF, grey = 0xFFF0F0F0;
    EXPECT_EQ(bitmap.pixel(0, 0), white);
    EXPECT_EQ(bitmap.pixel(15, 15), white);
    EXPECT_EQ(bitmap.pixel(16, 0), grey);
    EXPECT_EQ(bitmap.pixel(32, 15), white);
    EXPECT_EQ(bitmap.pixel(0, 16), grey);
    EXPECT_EQ(bitmap.pixel(16, 16), white);
    EXPECT_EQ(bitmap.pixel(39, 34), white); // cut cell at (32, 32)
}

TEST(DisplayBitmap, OpaqueBackgroundIsBGColor)
{
    CNacreformDoc doc;
    doc.BGTrans = false;
    doc.BGColor = 0x00336699; // red 0x99, green 0x66, blue 0x33
    const QImage bitmap = CreateDisplayBitmap(doc, 20, 20);
    EXPECT_EQ(bitmap.pixel(0, 0), 0xFF996633u);
    EXPECT_EQ(bitmap.pixel(19, 19), 0xFF996633u);
    EXPECT_TRUE(CreateDisplayBitmap(doc, 0, 20).isNull());
}

TEST(DisplayBitmap, CompositionBlendsTheRenderOverTheBackgroundAndExportChoosesByBGTrans)
{
    CNacreformDoc doc;
    doc.BGTrans = false;
    doc.BGColor = 0x000000FF; // red
    QImage rendered(4, 1, QImage::Format_ARGB32);
    rendered.fill(Qt::transparent);
    rendered.setPixel(1, 0, 0xFF0000FF);
    rendered.setPixel(2, 0, 0x800000FF);
    const QImage display = ComposeDisplayImage(doc, rendered);
    EXPECT_EQ(display.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(display.pixel(1, 0), 0xFF0000FFu);
    EXPECT_LE(ChannelDistance(display.pixel(2, 0), 0xFF7F0080u), 1);
    EXPECT_TRUE(ComposeDisplayImage(doc, QImage()).isNull());

    EXPECT_EQ(&ChooseExportBitmap(doc.BGTrans, rendered, display), &display);
    doc.BGTrans = true;
    EXPECT_EQ(&ChooseExportBitmap(doc.BGTrans, rendered, display), &rendered);
}

TEST(PngFile, KeepsAlphaOnlyWhenTheImageHasIt)
{
    QTemporaryDir dir;
    QImage argb(3, 2, QImage::Format_ARGB32);
    argb.fill(0x80112233);
    QImage rgb(3, 2, QImage::Format_RGB32);
    rgb.fill(0xFF112233);
    const QString withAlpha = dir.filePath(QStringLiteral("a.png"));
    const QString withoutAlpha = dir.filePath(QStringLiteral("b.png"));
    ASSERT_TRUE(SavePng(argb, withAlpha));
    ASSERT_TRUE(SavePng(rgb, withoutAlpha));
    const QImage readAlpha(withAlpha), readRgb(withoutAlpha);
    EXPECT_TRUE(readAlpha.hasAlphaChannel());
    EXPECT_EQ(readAlpha.pixel(0, 0), 0x80112233u);
    EXPECT_FALSE(readRgb.hasAlphaChannel());
    EXPECT_EQ(readRgb.pixel(2, 1), 0xFF112233u);
}

// The writer against Qt's reader: the same pixels (premultiplied ones
// divided out), alpha channel and resolution, for the renderer's formats and
// one it does not make; rows of all five filters among them.
TEST(PngFile, EncodingKeepsEveryPixel)
{
    QImage straight(256, 3, QImage::Format_ARGB32);
    for (int y = 0; y < straight.height(); ++y) {
        for (int x = 0; x < straight.width(); ++x)
            straight.setPixel(x, y, qRgba((x * 7 + y * 50) & 0xFF, (x * 13) & 0xFF, 255 - x, x));
    }
    straight.setDotsPerMeterX(5000);
    straight.setDotsPerMeterY(4000);
    CNacreformDoc doc;
    const QImage images[] = {straight, straight.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                             straight.convertToFormat(QImage::Format_RGB32),
                             straight.convertToFormat(QImage::Format_Grayscale8), doc.Renderer->Render(doc),
                             straight.scaled(512, 96)}; // large enough for the large images' level
    for (const QImage& image : images) {
        const QByteArray encoded = EncodePng(image);
        // No spare room: encoded files may be kept for long.
        EXPECT_EQ(encoded.capacity(), encoded.size());
        const QImage decoded = QImage::fromData(encoded, "png");
        ASSERT_FALSE(decoded.isNull()) << image.format();
        EXPECT_EQ(decoded,
                  image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32))
            << image.format();
        EXPECT_EQ(decoded.dotsPerMeterX(), image.dotsPerMeterX());
        EXPECT_EQ(decoded.dotsPerMeterY(), image.dotsPerMeterY());
    }
    EXPECT_TRUE(EncodePng(QImage()).isEmpty());
}

TEST(PngFile, FailedWriteIsReportedAndLeavesNoFile)
{
    QTemporaryDir dir;
    QImage image(2, 2, QImage::Format_ARGB32);
    image.fill(Qt::red);
    EXPECT_FALSE(SavePng(image, dir.filePath(QStringLiteral("missing/folder/x.png"))));
    EXPECT_FALSE(SavePng(QImage(), dir.filePath(QStringLiteral("null.png"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("null.png"))));
    // A folder where the file should go.
    EXPECT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("taken.png")));
    EXPECT_FALSE(SavePng(image, dir.filePath(QStringLiteral("taken.png"))));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 0);
}

#include "design/NacreformDoc.h"
#include "export/ImageFileEncoder.h"
#include "export/ImageFormat.h"
#include "export/SvgExport.h"
#include "render/Render.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

QImage Decode(const QByteArray& bytes, QByteArray* format = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (format)
        *format = reader.format();
    return reader.read();
}

} // namespace

TEST(ImageFormatTest, NamesAndExtensionsChooseTheFormatAndOthersNone)
{
    const struct
    {
        const char* path;
        std::optional<EImageFormat> format;
    } cases[] = {
        {"a.png", EImageFormat::Png},   {"dir.v2/A.PNG", EImageFormat::Png}, {"a.svg", EImageFormat::Svg},
        {"a.jpg", EImageFormat::Jpeg},  {"a.JPEG", EImageFormat::Jpeg},      {"a.webp", EImageFormat::Webp},
        {"a.gif", std::nullopt},        {"a", std::nullopt},                 {"a.png.txt", std::nullopt},
        {"png", std::nullopt},          {"-", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ImageFormatOfPath(QString::fromUtf8(c.path)), c.format) << c.path;
    for (EImageFormat format : AllImageFormats()) {
        EXPECT_EQ(ParseImageFormat(ImageFormatName(format).toUpper()), format);
        EXPECT_EQ(ImageFormatOfPath(QStringLiteral("x.") + ImageFormatSuffix(format)), format);
    }
    EXPECT_EQ(ParseImageFormat(QStringLiteral("jpg")), EImageFormat::Jpeg);
    EXPECT_EQ(ParseImageFormat(QStringLiteral("gif")), std::nullopt);

    EXPECT_EQ(WithImageFormatSuffix(QStringLiteral("{name}{@scale}.png"), EImageFormat::Svg),
              QStringLiteral("{name}{@scale}.svg"));
    EXPECT_EQ(WithImageFormatSuffix(QStringLiteral("{name}.JPEG"), EImageFormat::Webp), QStringLiteral("{name}.webp"));
    EXPECT_EQ(WithImageFormatSuffix(QStringLiteral("{name}_v1.2"), EImageFormat::Jpeg),
              QStringLiteral("{name}_v1.2.jpg"));
    EXPECT_EQ(ImageFileFilter(EImageFormat::Jpeg), QStringLiteral("JPEGファイル(*.jpg *.jpeg)"));
}

// Every format's file of the design: PNG the export's bytes, JPEG over
// BGColor even on a transparent background, WebP the same pixels with
// their alpha, SVG the vector document; each what its bytes say it is.
TEST(ImageFileEncoderTest, EachFormatHoldsTheExportAsThatFormatDoes)
{
    for (const bool transparent : {true, false}) {
        CNacreformDoc doc;
        doc.BGTrans = transparent;
        doc.BGColor = 0x0000FF; // red, as COLORREF
        const QImage exported = ComposeExportImage(doc, doc.Renderer->Render(doc));
        const QPoint corner(0, 0);
        const QPoint centre(exported.width() / 2, exported.height() / 2);
        QString why;

        EXPECT_EQ(EncodeImageFile(doc, {EButtonState::Normal}, 1, EImageFormat::Png, &why), EncodePng(exported));

        QByteArray format;
        const QImage jpeg = Decode(EncodeImageFile(doc, {EButtonState::Normal}, 1, EImageFormat::Jpeg, &why), &format);
        EXPECT_EQ(format, "jpeg");
        ASSERT_EQ(jpeg.size(), exported.size());
        EXPECT_FALSE(jpeg.hasAlphaChannel());
        const QColor background = jpeg.pixelColor(corner);
        EXPECT_GT(background.red(), 245) << transparent;
        EXPECT_LT(std::max(background.green(), background.blue()), 10) << transparent;
        EXPECT_LE(std::abs(QColor(jpeg.pixel(centre)).lightness() - QColor(exported.pixel(centre)).lightness()), 8);

        const QImage webp = Decode(EncodeImageFile(doc, {EButtonState::Normal}, 1, EImageFormat::Webp, &why), &format);
        EXPECT_EQ(format, "webp");
        EXPECT_EQ(webp.hasAlphaChannel(), transparent);
        // Lossless: the same pixels (WebP may drop the colour of wholly
        // transparent ones, which shows nowhere).
        EXPECT_EQ(webp.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  exported.convertToFormat(QImage::Format_ARGB32_Premultiplied));

        const QByteArray svg = EncodeImageFile(doc, {EButtonState::Hover}, 3, EImageFormat::Svg, &why);
        EXPECT_EQ(svg, EncodeButtonSvg(doc, EButtonState::Hover));
        EXPECT_TRUE(svg.contains("<svg")) << why.toStdString();
    }
}

TEST(ImageFileEncoderTest, FailuresSayWhyAndGiveNoBytes)
{
    CNacreformDoc doc;
    QString why;
    EXPECT_TRUE(EncodeImageFile(doc, {EButtonState::Normal, EButtonState::Hover}, 1, EImageFormat::Svg, &why).isEmpty());
    EXPECT_FALSE(why.isEmpty());
    doc.ShapeSize = {5000, 5000};
    EXPECT_TRUE(EncodeImageFile(doc, {EButtonState::Pressed}, 8, EImageFormat::Webp, &why).isEmpty());
    EXPECT_TRUE(why.contains(QStringLiteral("pressed image at 8x cannot be allocated"))) << why.toStdString();
    EXPECT_TRUE(EncodeRasterImage(QImage(), EImageFormat::Jpeg, 0).isEmpty());
}

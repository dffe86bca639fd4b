#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "export/SvgExport.h"
#include "render/ImageFiles.h"
#include "render/PictureLayer.h"
#include "render/Render.h"
#include "render/RendererTable.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr qsizetype kMaxDefaultDesignBytes = 16 * 1024;

const QRegularExpression kEmbeddedPng(QStringLiteral("data:image/png;base64,([A-Za-z0-9+/=]*)"));

// The document without its embedded pictures' data.
QString WithoutData(const QByteArray& svg)
{
    return QString::fromUtf8(svg).replace(kEmbeddedPng, QStringLiteral("data:"));
}

// Every shape in every state, with and without a background: a document
// that xmllint finds well-formed, sized as the canvas in pixels, with
// numbers of at most three decimals and nothing it would fetch from
// elsewhere; the default design's under 16 KB.
TEST(SvgExportTest, DocumentsAreWellFormedCompactAndSelfContained)
{
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    for (unsigned renderId : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        for (EButtonState state : AllButtonStates()) {
            CNacreformDoc design;
            design.SelectRenderer(renderId, false, false);
            design.BGTrans = state != EButtonState::Hover;
            const QByteArray svg = EncodeButtonSvg(design, state);
            const QString label = QStringLiteral("%1 %2").arg(renderId).arg(ButtonStateName(state));
            SCOPED_TRACE(label.toStdString());
            if (renderId == kRenderCircle00 && state == EButtonState::Normal) {
                EXPECT_LT(svg.size(), kMaxDefaultDesignBytes);
            }

            const QSize canvas = CanvasSize(design);
            const QString text = WithoutData(svg);
            EXPECT_TRUE(text.startsWith(QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\"")));
            EXPECT_TRUE(text.contains(QStringLiteral(" width=\"%1px\" height=\"%2px\" viewBox=\"0 0 %1 %2\"")
                                          .arg(canvas.width())
                                          .arg(canvas.height())));
            EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("\\d\\.\\d{4}"))));
            EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("href=\"[^#d]|url\\([^#]|<text|<script"))));
            EXPECT_EQ(text.contains(QStringLiteral("<feColorMatrix")), state == EButtonState::Disabled);
            EXPECT_EQ(text.contains(QStringLiteral("<rect width")), !design.BGTrans);

            if (xmllint.isEmpty())
                continue;
            QProcess lint;
            lint.start(xmllint, {QStringLiteral("--noout"), QStringLiteral("-")});
            lint.write(svg);
            lint.closeWriteChannel();
            ASSERT_TRUE(lint.waitForFinished(30000));
            EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().constData();
        }
    }
}

// A picture goes in as PNG data at its own resolution, once for picture
// and shadow alike, each drawn at its own opacity.
TEST(SvgExportTest, PicturesAreEmbeddedOnceAtFullResolution)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(300, 200, QImage::Format_ARGB32);
    picture.fill(QColor(200, 40, 90, 180));
    const QString path = dir.filePath(QStringLiteral("big.png"));
    ASSERT_TRUE(SavePng(picture, path));
    CNacreformDoc design;
    design.ImagePath = path;
    design.ImageSize = 20;
    RefreshPictureCache(design);

    const QString svg = QString::fromUtf8(EncodeButtonSvg(design, EButtonState::Normal));
    const auto matches = kEmbeddedPng.globalMatch(svg);
    QList<QImage> embedded;
    for (auto it = matches; it.hasNext();)
        embedded.append(QImage::fromData(QByteArray::fromBase64(it.next().captured(1).toLatin1()), "PNG"));
    ASSERT_EQ(embedded.size(), 1);
    EXPECT_EQ(embedded.front().size(), picture.size());
    // As decoded: premultiplied and back, a level off at most.
    const QRgb pixel = embedded.front().pixel(150, 100);
    EXPECT_EQ(qAlpha(pixel), 180);
    EXPECT_NEAR(qRed(pixel), 200, 1);
    EXPECT_NEAR(qBlue(pixel), 90, 1);
    EXPECT_TRUE(svg.contains(QStringLiteral("opacity=\".98\"")));  // ImageAlpha 250
    EXPECT_TRUE(svg.contains(QStringLiteral("opacity=\".235\""))); // ImageShadowAlpha 60
}

// No document, and why, when there is nothing to draw with or no canvas.
TEST(SvgExportTest, FailsWithAReason)
{
    CNacreformDoc noShape;
    noShape.Renderer.reset();
    QString why;
    EXPECT_TRUE(EncodeButtonSvg(noShape, EButtonState::Normal, &why).isEmpty());
    EXPECT_FALSE(why.isEmpty());

    CNacreformDoc huge;
    huge.Margin = 100000;
    why.clear();
    EXPECT_TRUE(EncodeButtonSvg(huge, EButtonState::Pressed, &why).isEmpty());
    EXPECT_FALSE(why.isEmpty());
}

} // namespace

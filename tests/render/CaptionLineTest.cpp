#include "render/CanvasGraphics.h"
#include "render/CaptionLine.h"
#include "render/CaptionMask.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>

#include <gtest/gtest.h>

namespace {

// Captions are set from the font files themselves so that the command line
// needs no application object; they must still be Qt's own unhinted text,
// or every design's caption moves. Qt's line box and outlines, as the
// caption was drawn before, are the reference.
struct SQtLine
{
    QRectF box;
    QPainterPath outline;
};

SQtLine QtLine(const SCaptionFont& caption, const QString& text, QPointF point)
{
    QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    device.setDotsPerMeterX(kCanvasDotsPerMeter);
    device.setDotsPerMeterY(kCanvasDotsPerMeter);
    QFont font(caption.family);
    font.setPointSizeF(caption.emPoints);
    font.setBold(caption.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferAntialias | QFont::ForceOutline));
    const QFont onDevice(font, &device);
    const QFontMetricsF metrics(onDevice, &device);
    SQtLine line;
    line.box = metrics.boundingRect(QRectF(point, QSizeF(0, 0)),
                                    Qt::AlignCenter | Qt::TextDontClip | Qt::TextSingleLine, text);
    line.outline.addText(QPointF(line.box.left(), line.box.top() + metrics.ascent()), onDevice, text);
    return line;
}

} // namespace

TEST(CaptionLine, SetsTextAsQtDoes)
{
    const QString texts[] = {
        QStringLiteral("NACRE"), QStringLiteral("AVATAR Ty. fi"),   // kerning, ligature candidates
        QStringLiteral("Ökonomie – 12,5 €"), QStringLiteral("Ελληνικά Кириллица"),
        QStringLiteral("한국어 かな 漢字"),                          // fallback to another family
    };
    const QPointF point(40.25, 17.6);
    for (const QString& family : {QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif")}) {
        for (const float emPoints : {9.5f, 20.0f, 33.0f}) {
            for (const bool bold : {false, true}) {
                for (const QString& text : texts) {
                    const SCaptionFont font{family, emPoints, bold};
                    const SQtLine qt = QtLine(font, text, point);
                    const CCaptionLine line(font, text);
                    const auto what = [&] {
                        return (family + QStringLiteral(" %1pt%2: ").arg(emPoints).arg(bold ? " bold" : "") + text)
                            .toStdString();
                    };
                    ASSERT_TRUE(line.IsValid()) << what();
                    EXPECT_DOUBLE_EQ(line.Width(), qt.box.width()) << what();
                    EXPECT_DOUBLE_EQ(line.Height(), qt.box.height()) << what();
                    const QPainterPath outline = CaptionOutline(font, text, point);
                    ASSERT_EQ(outline.elementCount(), qt.outline.elementCount()) << what();
                    for (int i = 0; i < outline.elementCount(); ++i) {
                        ASSERT_NEAR(outline.elementAt(i).x, qt.outline.elementAt(i).x, 1e-9) << what() << " #" << i;
                        ASSERT_NEAR(outline.elementAt(i).y, qt.outline.elementAt(i).y, 1e-9) << what() << " #" << i;
                    }
                }
            }
        }
    }
}

TEST(CaptionLine, AFamilyThatIsNotInstalledSetsNothing)
{
    EXPECT_FALSE(CCaptionLine({QStringLiteral("No Such Family 7f3a"), 20, false}, QStringLiteral("OK")).IsValid());
    EXPECT_TRUE(CaptionOutline({QStringLiteral("No Such Family 7f3a"), 20, false}, QStringLiteral("OK"), {})
                    .isEmpty());
}

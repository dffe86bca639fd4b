#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "export/SvgExport.h"
#include "render/ImageFiles.h"
#include "render/PictureLayer.h"
#include "render/RendererTable.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QProcess>
#include <QRadialGradient>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <vector>

namespace {

// How close an SVG renderer's image must come to the PNG export's:
// premultiplied channels, mean over all, 99th percentile of each pixel's
// largest difference.
constexpr double kMaxMean = 1.0;
constexpr int kMaxP99 = 24;
// A browser's screenshot of the default designs.
constexpr double kMaxBrowserMean = 2.0;
constexpr int kRendererTimeoutMs = 60000;

struct SDifference
{
    double mean = 0;
    int p99 = 0;
};

SDifference Compare(const QImage& expected, const QImage& actual)
{
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    double sum = 0;
    std::vector<int> largest;
    largest.reserve(size_t(a.width()) * size_t(a.height()));
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            int most = 0;
            for (int shift : {0, 8, 16, 24}) {
                const int d = std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF));
                sum += d;
                most = std::max(most, d);
            }
            largest.push_back(most);
        }
    }
    const size_t at = largest.size() * 99 / 100;
    std::nth_element(largest.begin(), largest.begin() + qsizetype(at), largest.end());
    return {sum / (4.0 * double(largest.size())), largest[at]};
}

struct SDesignCase
{
    const char* name;
    unsigned renderId;
    int width;
    int height;
    bool transparent;
    bool picture;
    EButtonState state;
};

// Every shape with caption, caption shadow, shape shadow and picture, over
// both backgrounds, and the states whose rules change the drawing.
const SDesignCase kDesigns[] = {
    {"circle00", kRenderCircle00, 160, 160, true, true, EButtonState::Normal},
    {"circle01", kRenderCircle01, 160, 160, false, true, EButtonState::Normal},
    {"rectangle", kRenderRectangle, 260, 72, false, true, EButtonState::Normal},
    {"capsule", kRenderCapsule, 260, 72, true, true, EButtonState::Normal},
    {"narrow_capsule", kRenderCapsule, 50, 70, true, false, EButtonState::Hover},
    {"pressed_rectangle", kRenderRectangle, 97, 41, true, false, EButtonState::Pressed},
    {"disabled_capsule", kRenderCapsule, 157, 61, false, true, EButtonState::Disabled},
};

void PrintTo(const SDesignCase& c, std::ostream* os)
{
    *os << c.name;
}

class SvgFidelityTest : public testing::TestWithParam<SDesignCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_rsvg = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    }

    // A picture with soft edges and a hole, of about the size it is drawn.
    QString WritePicture()
    {
        QImage picture(72, 64, QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient gradient(36, 32, 30);
        gradient.setColorAt(0, QColor(255, 220, 40));
        gradient.setColorAt(0.7, QColor(230, 80, 20, 230));
        gradient.setColorAt(1, QColor(120, 0, 60, 0));
        painter.setBrush(gradient);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(36, 32), 34, 30);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.drawEllipse(QPointF(36, 32), 6, 6);
        painter.end();
        const QString path = m_dir.filePath(QStringLiteral("picture.png"));
        EXPECT_TRUE(SavePng(picture, path));
        return path;
    }

    std::unique_ptr<CNacreformDoc> Design(const SDesignCase& c)
    {
        auto doc = std::make_unique<CNacreformDoc>();
        doc->SelectRenderer(c.renderId, false, false);
        doc->ShapeSize = {c.width, c.height};
        doc->BGTrans = c.transparent;
        doc->BGColor = 0x0030A0F0;
        doc->String = QStringLiteral("Gel");
        doc->Bold = true;
        doc->TextPos = {12, 0};
        if (c.picture) {
            doc->ImagePath = WritePicture();
            doc->ImageSize = 60;
            doc->ImagePos = {-25, 0};
            doc->ImageShadowPos = {3, 6};
            doc->ImageAlpha = 230;
        }
        return doc;
    }

    // rsvg-convert's image of svg at scale.
    QImage Rasterise(const QByteArray& svg, int scale)
    {
        const QString in = m_dir.filePath(QStringLiteral("button.svg"));
        const QString out = m_dir.filePath(QStringLiteral("rsvg.png"));
        QFile file(in);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(svg) == svg.size());
        file.close();
        QProcess rsvg;
        rsvg.start(m_rsvg, {QStringLiteral("-z"), QString::number(scale), QStringLiteral("-o"), out, in});
        EXPECT_TRUE(rsvg.waitForFinished(kRendererTimeoutMs)) << "rsvg-convert did not finish";
        EXPECT_EQ(rsvg.exitCode(), 0) << rsvg.readAllStandardError().constData();
        return QImage(out);
    }

    QTemporaryDir m_dir;
    QString m_rsvg;
};

TEST_P(SvgFidelityTest, LibrsvgMatchesTheRasterAtEveryScale)
{
    if (m_rsvg.isEmpty())
        GTEST_SKIP() << "rsvg-convert is not installed";
    const SDesignCase& c = GetParam();
    const auto design = Design(c);
    RefreshPictureCache(*design);
    QString why;
    const QByteArray svg = EncodeButtonSvg(*design, c.state, &why);
    ASSERT_FALSE(svg.isEmpty()) << why.toStdString();
    for (int scale : {1, 2, 3}) {
        const QImage expected = ComposeExportImage(*design, RenderButtonState(*design, c.state, scale));
        const QImage actual = Rasterise(svg, scale);
        ASSERT_EQ(actual.size(), expected.size()) << "at " << scale << "x";
        const SDifference d = Compare(expected, actual);
        EXPECT_LE(d.mean, kMaxMean) << "at " << scale << "x";
        EXPECT_LE(d.p99, kMaxP99) << "at " << scale << "x";
        if (HasFailure()) {
            m_dir.setAutoRemove(false);
            expected.save(m_dir.filePath(QStringLiteral("expected-%1x.png").arg(scale)));
            actual.save(m_dir.filePath(QStringLiteral("actual-%1x.png").arg(scale)));
            ADD_FAILURE() << "kept in " << m_dir.path().toStdString();
            return;
        }
        std::printf("[ measured ] %s %dx: mean %.3f, p99 %d, %lld bytes\n", c.name, scale, d.mean, d.p99,
                    qlonglong(svg.size()));
    }
}

// The default design of every shape, as headless Chromium draws its SVG
// over a transparent page.
TEST(SvgBrowserTest, ChromiumMatchesTheRasterOfTheDefaultDesigns)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (unsigned renderId : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        CNacreformDoc design;
        design.SelectRenderer(renderId, false, false);
        const QImage expected = RenderButtonState(design, EButtonState::Normal, 1);
        const QString in = dir.filePath(QStringLiteral("%1.svg").arg(renderId));
        const QString out = dir.filePath(QStringLiteral("%1.png").arg(renderId));
        QFile file(in);
        const QByteArray svg = EncodeButtonSvg(design, EButtonState::Normal);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(svg) == svg.size());
        file.close();
        QProcess browser;
        browser.start(chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                                 QStringLiteral("--disable-gpu"), QStringLiteral("--hide-scrollbars"),
                                 QStringLiteral("--user-data-dir=") + dir.filePath(QStringLiteral("profile")),
                                 QStringLiteral("--default-background-color=00000000"),
                                 QStringLiteral("--force-device-scale-factor=1"),
                                 QStringLiteral("--window-size=%1,%2").arg(expected.width()).arg(expected.height()),
                                 QStringLiteral("--screenshot=") + out, QUrl::fromLocalFile(in).toString()});
        ASSERT_TRUE(browser.waitForFinished(kRendererTimeoutMs)) << "chromium did not finish";
        const QImage actual(out);
        ASSERT_EQ(actual.size(), expected.size()) << renderId;
        const SDifference d = Compare(expected, actual);
        std::printf("[ measured ] Chromium, default %u: mean %.3f, p99 %d, %lld bytes\n", renderId, d.mean, d.p99,
                    qlonglong(svg.size()));
        EXPECT_LE(d.mean, kMaxBrowserMean) << renderId;
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, SvgFidelityTest, testing::ValuesIn(kDesigns),
                         [](const testing::TestParamInfo<SDesignCase>& info) { return std::string(info.param.name); });

} // namespace

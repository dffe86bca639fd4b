#include "HeadlessHarness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>

namespace {

class HeadlessExportTest : public CHeadlessHarness
{
};

} // namespace

TEST_F(HeadlessExportTest, DefaultDesignExportsWithAlphaWithoutADisplay)
{
    const SRun run = Run({QStringLiteral("--export"), QStringLiteral("button.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(Path(QStringLiteral("button.png")));
    EXPECT_EQ(image.size(), QSize(145, 148));
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(72, 70)), 255);
}

// The command line starts no GUI application: no platform plugin, and no
// image-format plugin unless a picture or the file's format needs one (a
// JPEG does; it shows that Qt's plugin log would tell).
TEST_F(HeadlessExportTest, ExportLoadsNoPluginUnlessAPictureOrFormatNeedsOne)
{
    const QString debugPlugins = QStringLiteral("QT_DEBUG_PLUGINS=1");
    const QString row = Path(QStringLiteral("rows.csv"));
    WriteFile(QStringLiteral("rows.csv"), "name,String\nok,OK\n");
    const QList<QStringList> runs = {
        {QStringLiteral("--export"), QStringLiteral("one.png")},
        {QStringLiteral("--export-set"), QStringLiteral("set"), QStringLiteral("--scales"), QStringLiteral("1,2")},
        {QStringLiteral("--batch"), row}};
    for (const QStringList& arguments : runs) {
        const SRun run = Run(arguments, {}, {}, {debugPlugins});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("platforms"))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("imageformats"))) << run.err.toStdString();
    }

    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(Path(QStringLiteral("blue.jpg")), "JPEG"));
    const SRun withPicture = Run({QStringLiteral("--set"), QStringLiteral("ImagePath=") + Path(QStringLiteral("blue.jpg")),
                                  QStringLiteral("--export"), QStringLiteral("picture.png")},
                                 {}, {}, {debugPlugins});
    const SRun jpeg = Run({QStringLiteral("--export"), QStringLiteral("one.jpg")}, {}, {}, {debugPlugins});
    for (const SRun& run : {withPicture, jpeg}) {
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("imageformats")));
        EXPECT_FALSE(run.err.contains(QStringLiteral("platforms")));
    }
}

// Font answers kept from an earlier run spare the next one the font
// configuration (its debug log stays silent), draw what the configuration
// would, and go out of date as soon as a font folder changes; a broken file
// of answers is ignored.
TEST_F(HeadlessExportTest, FontAnswersKeptBetweenRunsHoldOnlyWhileTheFontsStand)
{
    const QString fonts = Path(QStringLiteral("fonts"));
    ASSERT_TRUE(QDir().mkpath(fonts));
    const QString dejaVu = QStringLiteral("/usr/share/fonts/truetype/dejavu/");
    ASSERT_TRUE(QFile::copy(dejaVu + QStringLiteral("DejaVuSans.ttf"), fonts + QStringLiteral("/DejaVuSans.ttf")));
    ASSERT_TRUE(QDir().mkpath(Path(QStringLiteral("fontconfig"))));
    WriteFile(QStringLiteral("fontconfig/fonts.conf"), "<?xml version=\"1.0\"?>\n<fontconfig><dir>" + fonts.toUtf8()
                                                + "</dir><cachedir>" + Path(QStringLiteral("fc-cache")).toUtf8()
                                                + "</cachedir></fontconfig>\n");
    const QString answers = Path(QStringLiteral("cache/nacreform/font-answers.json"));
    const QStringList environment = {QStringLiteral("FONTCONFIG_FILE=") + Path(QStringLiteral("fontconfig/fonts.conf")),
                                     QStringLiteral("XDG_CACHE_HOME=") + Path(QStringLiteral("cache"))};
    const auto exportAs = [&](const QString& name, const QStringList& more = {}) {
        const SRun run = Run({QStringLiteral("--set"), QStringLiteral("String=Ag"), QStringLiteral("--set"),
                              QStringLiteral("FontName=DejaVu Serif"), QStringLiteral("--export"), name},
                             {}, {}, environment + more);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return run.out + run.err;
    };

    exportAs(QStringLiteral("first.png"));
    ASSERT_TRUE(QFile::exists(answers));
    const QString log = exportAs(QStringLiteral("again.png"), {QStringLiteral("FC_DEBUG=1024")});
    EXPECT_FALSE(log.contains(QStringLiteral("config file"))) << log.toStdString();
    EXPECT_EQ(ReadFile(QStringLiteral("again.png")), ReadFile(QStringLiteral("first.png")));

    // DejaVu Serif is installed: the caption changes from the sans-serif
    // stand-in to it, as it does without any kept answers.
    ASSERT_TRUE(QFile::copy(dejaVu + QStringLiteral("DejaVuSerif.ttf"), fonts + QStringLiteral("/DejaVuSerif.ttf")));
    // Later by whole seconds, as the configuration's own caches compare.
    struct timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) + 10, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(fonts).constData(), times, 0), 0);
    exportAs(QStringLiteral("serif.png"));
    exportAs(QStringLiteral("unkept.png"), {QStringLiteral("XDG_CACHE_HOME=") + Path(QStringLiteral("other-cache"))});
    EXPECT_NE(ReadFile(QStringLiteral("serif.png")), ReadFile(QStringLiteral("first.png")));
    EXPECT_EQ(ReadFile(QStringLiteral("serif.png")), ReadFile(QStringLiteral("unkept.png")));

    QFile broken(answers);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{\"format\": 1, \"answers\": [\"\\u0000");
    broken.close();
    exportAs(QStringLiteral("after-broken.png"));
    EXPECT_EQ(ReadFile(QStringLiteral("after-broken.png")), ReadFile(QStringLiteral("serif.png")));
}

TEST_F(HeadlessExportTest, OpaqueBackgroundExportsWithoutAlphaOverBGColor)
{
    const SRun run = Run({QStringLiteral("--set"), QStringLiteral("BGTrans=0"), QStringLiteral("--set"),
                          QStringLiteral("BGColor=255"), QStringLiteral("--export"), QStringLiteral("opaque.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage image(Path(QStringLiteral("opaque.png")));
    EXPECT_EQ(image.size(), QSize(145, 148));
    EXPECT_FALSE(image.hasAlphaChannel());
    // 96 dpi, as the transparent render and the editor's export say.
    EXPECT_EQ(image.dotsPerMeterX(), 3780);
    for (const QPoint corner : {QPoint(0, 0), QPoint(144, 0), QPoint(0, 147), QPoint(144, 147)})
        EXPECT_EQ(image.pixel(corner), 0xFFFF0000u) << corner.x() << "," << corner.y();
}

TEST_F(HeadlessExportTest, SaveWritesTheDefaultDesignFile)
{
    const SRun run = Run({QStringLiteral("--save"), QStringLiteral("default.nfd")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile file(Path(QStringLiteral("default.nfd")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).remove(QLatin1Char('\r')).split(
        QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList expected = {
        "[General]", "BGTrans=1", "BGColor=16777215", "Margin=5", "ShapeSize=128,128",
        "Color1=12544256", "Color2=15580218", "EnableShapeShadow=1", "ShapeShadowPos=0.000000,5.000000",
        "ShapeShadowAlpha=200", "String=NACRE", "FontName=Impact", "Bold=0", "FontSize=20.000000",
        "TextPos=0.000000,0.000000", "TextColor=16777215", "TextAlpha=250", "EnableTextShadow=1",
        "TextShadowPos=0.000000,13.000000", "TextShadowColor=16777215", "TextShadowColorSameAsText=1",
        "TextShadowAlpha=60", "ImagePath=", "ImageAlpha=250", "ImagePos=0.000000,0.000000",
        "ImageSize=80.000000", "EnableImageShadow=1", "ImageShadowPos=0.000000,13.000000",
        "ImageShadowAlpha=60", "RenderID=32771"};
    EXPECT_EQ(lines, expected);
}

TEST_F(HeadlessExportTest, SettingsMakeAVariantOfADesign)
{
    WriteDesign(QStringLiteral("template.nfd"), "Margin=20\nRenderID=32774\nString=Template\n");
    const SRun run = Run({QStringLiteral("template.nfd"), QStringLiteral("--set"), QStringLiteral("String=OK"),
                          QStringLiteral("--set"), QStringLiteral("shapesize=200,64"), QStringLiteral("--set"),
                          QStringLiteral("Margin=5"), QStringLiteral("--save"), QStringLiteral("variant.nfd"),
                          QStringLiteral("--export"), QStringLiteral("variant.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    // Capsule 200 x 64 with the default shadow and a margin of 5.
    EXPECT_EQ(QImage(Path(QStringLiteral("variant.png"))).size(), QSize(218, 82));
    QFile saved(Path(QStringLiteral("variant.nfd")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("String=OK\n"));
    EXPECT_TRUE(text.contains("ShapeSize=200,64\n"));
    EXPECT_TRUE(text.contains("RenderID=32774\n"));
}

TEST_F(HeadlessExportTest, BadSettingsAreRefusedClearly)
{
    for (const QString& setting : {QStringLiteral("Colour=12"), QStringLiteral("Margin"), QStringLiteral("=5")}) {
        const SRun run = Run({QStringLiteral("--set"), setting, QStringLiteral("--export"), QStringLiteral("x.png")});
        EXPECT_EQ(run.exitCode, 1) << setting.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("KEY=VALUE"))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("x.png"))));
    }
}

TEST_F(HeadlessExportTest, OversizedCanvasFailsWithoutAllocating)
{
    const SRun run = Run({QStringLiteral("--set"), QStringLiteral("ShapeSize=100000,100000"),
                          QStringLiteral("--export"), QStringLiteral("huge.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot allocate"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("ShapeSize=100000,100000"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("huge.png"))));

    // A shadow offset beyond float range: the sizes cannot be computed, and
    // the message says what made them so instead of "nan".
    const SRun far = Run({QStringLiteral("--set"), QStringLiteral("ShapeShadowPos=1e38,1e38"),
                          QStringLiteral("--export"), QStringLiteral("far.png")});
    EXPECT_EQ(far.exitCode, 1);
    EXPECT_FALSE(far.err.contains(QStringLiteral("nan"))) << far.err.toStdString();
    EXPECT_TRUE(far.err.contains(QStringLiteral("ShapeShadowPos=1e+38,1e+38"))) << far.err.toStdString();
}

TEST_F(HeadlessExportTest, SaveOverADesignTooLargeToReadFailsAndKeepsIt)
{
    QByteArray foreign = "[General]\nMargin=9\n";
    for (int i = 0; foreign.size() <= 1100000; ++i)
        foreign += "Foreign" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\n";
    WriteDesign(QStringLiteral("large.nfd"), foreign);
    QFile file(Path(QStringLiteral("large.nfd")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const SRun run = Run({QStringLiteral("--set"), QStringLiteral("String=X"), QStringLiteral("--save"),
                          QStringLiteral("large.nfd")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("cannot write the design file large.nfd")))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("larger than 1 MiB"))) << run.err.toStdString();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

TEST_F(HeadlessExportTest, ValuesThatAreNoNumbersAreReadAsTheFileWouldButWarned)
{
    const SRun run = Run({QStringLiteral("--set"), QStringLiteral("Margin=abc"), QStringLiteral("--set"),
                          QStringLiteral("TextPos=1,x"), QStringLiteral("--set"), QStringLiteral("String=abc"),
                          QStringLiteral("--save"), QStringLiteral("warned.nfd")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err.count(QStringLiteral("not a number")), 2) << run.err.toStdString();
    QFile saved(Path(QStringLiteral("warned.nfd")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("\nMargin=0\n"));
    EXPECT_TRUE(text.contains("\nTextPos=1.000000,0.000000\n"));
}

TEST_F(HeadlessExportTest, UnreadableDesignAndUnwritablePngFail)
{
    SRun run = Run({QStringLiteral("--export"), QStringLiteral("x.png"), QStringLiteral("missing.nfd")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("missing.nfd"))) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("x.png"))));

    run = Run({QStringLiteral("--export"), QStringLiteral("no/such/folder/x.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("no/such/folder/x.png"))) << run.err.toStdString();

    run = Run({QStringLiteral("--save"), QStringLiteral("no/such/folder/x.nfd")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("no/such/folder/x.nfd"))) << run.err.toStdString();
}

TEST_F(HeadlessExportTest, MissingPictureIsReportedAndTheRestExported)
{
    const SRun run = Run({QStringLiteral("--set"), QStringLiteral("ImagePath=") + Path(QStringLiteral("gone.png")),
                          QStringLiteral("--export"), QStringLiteral("button.png")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("nacreform: cannot load the picture " + Path(QStringLiteral("gone.png"))
                                 + ": No such file or directory"))
        << run.err.toStdString();
    EXPECT_EQ(QImage(Path(QStringLiteral("button.png"))).size(), QSize(145, 148));
}

TEST_F(HeadlessExportTest, FloatsThatReadNanRenderAsZero)
{
    const QByteArray keys[] = {"ShapeShadowPos=", "TextPos=", "TextShadowPos=", "ImagePos=", "ImageShadowPos="};
    QByteArray nan, zero;
    for (const QByteArray& key : keys) {
        nan += key + "nan,nan\n";
        zero += key + "0,0\n";
    }
    WriteDesign(QStringLiteral("nan.nfd"), nan + "FontSize=nan\nImageSize=nan\n");
    WriteDesign(QStringLiteral("zero.nfd"), zero + "FontSize=0\nImageSize=0\n");
    ASSERT_EQ(Run({QStringLiteral("--export"), QStringLiteral("nan.png"), QStringLiteral("nan.nfd")}).exitCode, 0);
    ASSERT_EQ(Run({QStringLiteral("--export"), QStringLiteral("zero.png"), QStringLiteral("zero.nfd")}).exitCode, 0);
    const QImage fromNan(Path(QStringLiteral("nan.png")));
    EXPECT_FALSE(fromNan.isNull());
    EXPECT_EQ(fromNan, QImage(Path(QStringLiteral("zero.png"))));
}

TEST_F(HeadlessExportTest, HelpListsTheOptionsAndBadArgumentsAreUsageErrors)
{
    const SRun help = Run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--export", "--set", "--save", "--help", "--version"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;

    EXPECT_EQ(Run({QStringLiteral("--export")}).exitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("--set"), QStringLiteral("Margin=1")}).exitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("--export"), QStringLiteral("x.png"), QStringLiteral("a.nfd"),
                   QStringLiteral("b.nfd")})
                  .exitCode,
              2);
    for (const QString& once : {QStringLiteral("--export"), QStringLiteral("--save")}) {
        const SRun twice = Run({once, QStringLiteral("a.out"), once, QStringLiteral("b.out")});
        EXPECT_EQ(twice.exitCode, 2) << once.toStdString();
        EXPECT_TRUE(twice.err.contains(once + QStringLiteral(" may be given only once"))) << twice.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("a.out"))));

    // A design whose name begins with a dash, after "--".
    EXPECT_TRUE(help.out.contains(QStringLiteral("[--] [DESIGN.nfd]")));
    WriteDesign(QStringLiteral("-dash.nfd"), "ShapeSize=64,64\nMargin=0\nEnableShapeShadow=0\n");
    const SRun dash = Run({QStringLiteral("--export"), QStringLiteral("dash.png"), QStringLiteral("--"),
                           QStringLiteral("-dash.nfd")});
    ASSERT_EQ(dash.exitCode, 0) << dash.err.toStdString();
    EXPECT_EQ(QImage(Path(QStringLiteral("dash.png"))).width(), 64);
}

TEST_F(HeadlessExportTest, VersionComesFromTheEmbeddedRecord)
{
    const SRun run = Run({QStringLiteral("--version")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^nacreform 1\\.03 \\(\\d{4}/\\d{2}/\\d{2}\\)\n"
                                                  "Copyright \\(C\\) \\d{4} Nacreform contributors\n$"))
                    .match(run.out)
                    .hasMatch())
        << run.out.toStdString();
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST_F(HeadlessExportTest, ScalesAndSetsWriteTheOneTimesExportUnchanged)
{
    ASSERT_EQ(Run({QStringLiteral("--export"), QStringLiteral("today.png")}).exitCode, 0);
    const SRun run = Run({QStringLiteral("--export"), QStringLiteral("twice.png"), QStringLiteral("--scale"),
                          QStringLiteral("2")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(Path(QStringLiteral("twice.png"))).size(), QSize(290, 296));

    const SRun set = Run({QStringLiteral("--export-set"), QStringLiteral("set"), QStringLiteral("--scales"),
                          QStringLiteral("1,2"), QStringLiteral("--name"), QStringLiteral("ok")});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    EXPECT_EQ(QDir(Path(QStringLiteral("set"))).entryList(QDir::Files).size(), 8);
    QFile today(Path(QStringLiteral("today.png"))), inSet(Path(QStringLiteral("set/ok.png")));
    ASSERT_TRUE(today.open(QIODevice::ReadOnly) && inSet.open(QIODevice::ReadOnly));
    EXPECT_EQ(inSet.readAll(), today.readAll());
}

TEST_F(HeadlessExportTest, BatchReportsBadRowsQuietlyOffATerminalAndFailsAtTheEnd)
{
    QFile csv(Path(QStringLiteral("rows.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("name,String,Margin\nfirst,\"A, B\",5\nsecond,두번째,x\nthird,C,0\n");
    csv.close();
    const SRun run = Run({QStringLiteral("--batch"), QStringLiteral("rows.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("nacreform: row 3: Margin=\"x\": expected a whole number\n"
                                      "nacreform: 1 of 3 rows failed\n"));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("first.png"))));
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("third.png"))));

    const SRun sets = Run({QStringLiteral("--batch"), QStringLiteral("rows.csv"), QStringLiteral("--export-set"),
                           QStringLiteral("out"), QStringLiteral("--scales"), QStringLiteral("2"),
                           QStringLiteral("--sprite")});
    EXPECT_EQ(sets.exitCode, 1);
    for (const char* file : {"out/first@2x.png", "out/first.css", "out/third@2x.png", "out/third.css"})
        EXPECT_TRUE(QFile::exists(Path(QString::fromUtf8(file)))) << file;
}

TEST_F(HeadlessExportTest, APictureBesideItsDesignTravelsWithIt)
{
    const QDir root(m_dir.path());
    ASSERT_TRUE(root.mkpath(QStringLiteral("designs/pics")) && root.mkpath(QStringLiteral("elsewhere")));
    QImage red(20, 20, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(Path(QStringLiteral("designs/pics/p.png"))));
    WriteDesign(QStringLiteral("designs/d.nfd"), "ImagePath=pics/p.png\nString=\n");
    const QString design = Path(QStringLiteral("designs/d.nfd"));
    const QString away = Path(QStringLiteral("elsewhere"));
    QFile csv(Path(QStringLiteral("elsewhere/rows.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("name,ImagePath\nrow,pics/p.png\n");
    csv.close();

    // From the design's folder, from another one, and as a set or a batch
    // row (whose relative picture is looked up beside the design too).
    const QList<QPair<QStringList, QString>> runs = {
        {{QStringLiteral("--export"), Path(QStringLiteral("beside.png")), QStringLiteral("d.nfd")},
         Path(QStringLiteral("designs"))},
        {{QStringLiteral("--export"), Path(QStringLiteral("away.png")), design}, away},
        {{QStringLiteral("--export-set"), Path(QStringLiteral("set")), QStringLiteral("--scales"), QStringLiteral("1"),
          QStringLiteral("--states"), QStringLiteral("normal"), design}, away},
        {{QStringLiteral("--batch"), QStringLiteral("rows.csv"), design}, away},
        {{QStringLiteral("--set"), QStringLiteral("ImagePath="), QStringLiteral("--export"),
          Path(QStringLiteral("none.png")), design}, away},
    };
    for (const auto& [arguments, folder] : runs) {
        const SRun run = Run(arguments, folder);
        EXPECT_EQ(run.exitCode, 0) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.err, QString()) << run.err.toStdString();
    }
    const QImage beside(Path(QStringLiteral("beside.png")));
    ASSERT_FALSE(beside.isNull());
    for (const char* same : {"away.png", "set/d.png", "elsewhere/row.png"})
        EXPECT_EQ(QImage(Path(QString::fromLatin1(same))), beside) << same;
    EXPECT_NE(QImage(Path(QStringLiteral("none.png"))), beside);

    // Saved beside the picture's folder it stays relative, elsewhere it
    // becomes absolute.
    for (const auto& [target, stored] : {std::pair{QStringLiteral("designs/copy.nfd"), QStringLiteral("pics/p.png")},
                                         std::pair{QStringLiteral("elsewhere/copy.nfd"),
                                                   Path(QStringLiteral("designs/pics/p.png"))}}) {
        ASSERT_EQ(Run({design, QStringLiteral("--save"), Path(target)}, away).exitCode, 0);
        QFile saved(Path(target));
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        EXPECT_TRUE(saved.readAll().contains(("\nImagePath=" + stored + "\n").toUtf8())) << target.toStdString();
    }
}

TEST_F(HeadlessExportTest, SetOptionsThatDoNotFitAreUsageErrors)
{
    const QList<QStringList> misuses = {
        {"--export", "a.png", "--sprite"},
        {"--export-set", "d", "--scale", "2"},
        {"--export-set", "d", "--scales", "1,9"},
        {"--export-set", "d", "--states", "normal,active"},
        {"--export-set", "d", "--pattern", "{name}.png"},
        {"--batch", "rows.csv", "--export", "a.png"},
        {"--export-set", "d", "--name", ""},
        {"--save", ""},
        {"--export-set", "d", "--formats", "png,gif"},
        {"--export-set", "d", "--format", "svg"},
        {"--export-set", "d", "--sprite", "--formats", "svg"},
        {"--export-set", "d", "--pattern", "{name}{-state}{@scale}.bmp"},
        {"--export", "a.png", "--formats", "svg"},
        {"--export", "a.png", "--format", "tiff"},
    };
    for (const QStringList& arguments : misuses) {
        const SRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("nacreform: "))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("d"))));
    const SRun unnamed = Run({QStringLiteral("--export"), QString()});
    EXPECT_EQ(unnamed.exitCode, 2);
    EXPECT_EQ(unnamed.err, QStringLiteral("nacreform: --export: the file name is empty\n"));
}

TEST_F(HeadlessExportTest, FitShowsALongCaptionWholeAndCutsAreWarned)
{
    // The default circle cuts the caption off, and says so.
    const QStringList longCaption = {QStringLiteral("--set"), QStringLiteral("String=Download the file"),
                                     QStringLiteral("--set"), QStringLiteral("EnableTextShadow=0")};
    SRun run = Run(longCaption + QStringList{QStringLiteral("--export"), QStringLiteral("cut.png")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains(
        QRegularExpression(QStringLiteral("^nacreform: warning: the default design: the caption is cut off by \\d+ pixels"))))
        << run.err.toStdString();

    // Fitted, the caption's pixels (where it differs from the same design
    // without one) keep off the canvas' edges, and nothing is warned.
    run = Run(longCaption + QStringList{QStringLiteral("--fit"), QStringLiteral("--save"), QStringLiteral("fit.nfd"),
                                        QStringLiteral("--export"), QStringLiteral("fit.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    run = Run({QStringLiteral("--set"), QStringLiteral("String="), QStringLiteral("--export"),
               QStringLiteral("bare.png"), QStringLiteral("fit.nfd")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage fitted(Path(QStringLiteral("fit.png"))), bare(Path(QStringLiteral("bare.png")));
    ASSERT_EQ(fitted.size(), bare.size());
    EXPECT_GT(fitted.width(), 145);
    QRect inked;
    for (int y = 0; y < fitted.height(); ++y) {
        for (int x = 0; x < fitted.width(); ++x) {
            if (fitted.pixel(x, y) != bare.pixel(x, y))
                inked |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_GT(inked.width(), fitted.width() / 2);
    EXPECT_TRUE(QRect(1, 1, fitted.width() - 2, fitted.height() - 2).contains(inked));

    // A batch fits each row to its own caption and warns per row without.
    QFile csv(Path(QStringLiteral("rows.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("name,String,ShapeSize\nok,OK,\"160,48\"\nlater,\"Later, maybe\",\"160,48\"\n");
    csv.close();
    run = Run({QStringLiteral("--batch"), QStringLiteral("rows.csv")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("nacreform: warning: row 3 (later): the caption is cut off by")))
        << run.err.toStdString();
    EXPECT_EQ(run.err.count(QLatin1Char('\n')), 1);
    run = Run({QStringLiteral("--batch"), QStringLiteral("rows.csv"), QStringLiteral("--fit=8,4")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_LT(QImage(Path(QStringLiteral("ok.png"))).width(), QImage(Path(QStringLiteral("later.png"))).width());

    for (const QString& bad : {QStringLiteral("--fit=x"), QStringLiteral("--fit=1,2,3"), QStringLiteral("--fit=-4")})
        EXPECT_EQ(Run({bad, QStringLiteral("--export"), QStringLiteral("b.png")}).exitCode, 2) << bad.toStdString();
    EXPECT_EQ(Run({QStringLiteral("--set"), QStringLiteral("String="), QStringLiteral("--fit"),
                   QStringLiteral("--export"), QStringLiteral("b.png")}).exitCode, 1);
}

TEST_F(HeadlessExportTest, ColoursAreReadAsWebColoursAndOtherFormsRefused)
{
    SRun run = Run({QStringLiteral("--set"), QStringLiteral("BGTrans=0"), QStringLiteral("--set"),
                    QStringLiteral("BGColor=#c0392b"), QStringLiteral("--set"), QStringLiteral("Color1=rgb(0, 128, 0)"),
                    QStringLiteral("--save"), QStringLiteral("web.nfd"), QStringLiteral("--export"),
                    QStringLiteral("web.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QImage(Path(QStringLiteral("web.png"))).pixel(0, 0), qRgb(0xc0, 0x39, 0x2b));
    QFile saved(Path(QStringLiteral("web.nfd")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    EXPECT_TRUE(text.contains("\nBGColor=2832832\n")); // the design file keeps its decimal form
    EXPECT_TRUE(text.contains("\nColor1=32768\n"));

    for (const QString& bad : {QStringLiteral("Color1=0xc0392b"), QStringLiteral("TextColor=192,57,43"),
                               QStringLiteral("BGColor=blu")}) {
        run = Run({QStringLiteral("--set"), bad, QStringLiteral("--export"), QStringLiteral("bad.png")});
        EXPECT_EQ(run.exitCode, 1) << bad.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("#RRGGBB"))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(Path(QStringLiteral("bad.png"))));
    }

    QFile csv(Path(QStringLiteral("colours.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("name,Color1\nred,#c0392b\ncomma,\"192,57,43\"\n");
    csv.close();
    run = Run({QStringLiteral("--batch"), QStringLiteral("colours.csv")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("row 3: Color1=\"192,57,43\""))) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(Path(QStringLiteral("red.png"))));
}

TEST_F(HeadlessExportTest, PresetsAreListedAndStartADesign)
{
    SRun run = Run({QStringLiteral("--list-presets")});
    ASSERT_EQ(run.exitCode, 0);
    const QStringList lines = run.out.trimmed().split(QLatin1Char('\n'));
    EXPECT_GE(lines.size(), 12);
    EXPECT_TRUE(lines.front().startsWith(QStringLiteral("primary "))) << run.out.toStdString();

    run = Run({QStringLiteral("--preset"), QStringLiteral("primary"), QStringLiteral("--save"), QStringLiteral("p.nfd")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QFile saved(Path(QStringLiteral("p.nfd")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("\nRenderID=32774\n"));

    run = Run({QStringLiteral("--preset"), QStringLiteral("nope"), QStringLiteral("--export"), QStringLiteral("n.png")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("primary"))) << run.err.toStdString();
    WriteDesign(QStringLiteral("d.nfd"), "Margin=1\n");
    EXPECT_EQ(Run({QStringLiteral("--preset"), QStringLiteral("primary"), QStringLiteral("--export"),
                   QStringLiteral("n.png"), QStringLiteral("d.nfd")}).exitCode, 2);
}

// The name's extension (or --format) chooses the format, and the bytes are
// that format's; any other extension is a usage error that writes nothing,
// not even the --save asked for; "-" is standard output.
TEST_F(HeadlessExportTest, FormatsFollowTheNameAndOtherExtensionsWriteNothing)
{
    const struct
    {
        QStringList arguments;
        const char* file;
        QByteArray magic;
    } cases[] = {
        {{"--export", "b.png"}, "b.png", "\x89PNG"},
        {{"--export", "b.JPG"}, "b.JPG", "\xFF\xD8\xFF"},
        {{"--export", "b.jpeg", "--scale", "2"}, "b.jpeg", "\xFF\xD8\xFF"},
        {{"--export", "b.webp"}, "b.webp", "RIFF"},
        {{"--export", "b.svg"}, "b.svg", "<svg"},
        {{"--export", "b.img", "--format", "webp"}, "b.img", "RIFF"},
        {{"--export", "b2.png", "--format", "svg"}, "b2.png", "<svg"},
    };
    for (const auto& c : cases) {
        const SRun run = Run(c.arguments);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QFile file(Path(QString::fromUtf8(c.file)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
        EXPECT_TRUE(file.readAll().startsWith(c.magic)) << c.file;
    }

    const SRun refused = Run({"--export", "b.gif", "--save", "kept.nfd"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("png, svg, jpeg (.jpg or .jpeg), webp"))) << refused.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("b.gif"))));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("kept.nfd"))));

    const SRun piped = Run({"--export", "-"});
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    QFile png(Path(QStringLiteral("b.png")));
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_EQ(piped.outBytes, png.readAll());
    const SRun pipedSvg = Run({"--export", "-", "--format", "svg"});
    QFile svg(Path(QStringLiteral("b.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_EQ(pipedSvg.outBytes, svg.readAll());
    EXPECT_TRUE(QDir(m_dir.path()).entryList({QStringLiteral("-*")}).isEmpty());
}

TEST_F(HeadlessExportTest, SetsAndBatchesWriteEveryFormatAskedFor)
{
    const SRun set = Run({"--export-set", "set", "--scales", "1,2", "--states", "normal,hover", "--formats",
                          "svg,webp", "--name", "ok"});
    ASSERT_EQ(set.exitCode, 0) << set.err.toStdString();
    QStringList written = QDir(Path(QStringLiteral("set"))).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written, QStringList({"ok-hover.svg", "ok-hover.webp", "ok-hover@2x.webp", "ok.svg", "ok.webp",
                                    "ok@2x.webp"}));

    QFile csv(Path(QStringLiteral("rows.csv")));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("name,String\nfirst,A\n");
    csv.close();
    const SRun batch = Run({"--batch", "rows.csv", "--format", "jpeg"});
    ASSERT_EQ(batch.exitCode, 0) << batch.err.toStdString();
    EXPECT_EQ(QImageReader(Path(QStringLiteral("first.jpg"))).format(), "jpeg");
}

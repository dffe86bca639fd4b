#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"
#include "export/ImageSet.h"
#include "export/SpriteSheet.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(FileNamePatternTest, PlaceholdersFillAsDocumented)
{
    struct SCase
    {
        const char* pattern;
        EButtonState state;
        double scale;
        const char* expected;
    };
    const SCase cases[] = {
        {"{name}{-state}{@scale}.png", EButtonState::Normal, 1, "ok.png"},
        {"{name}{-state}{@scale}.png", EButtonState::Normal, 2, "ok@2x.png"},
        {"{name}{-state}{@scale}.png", EButtonState::Hover, 2, "ok-hover@2x.png"},
        {"{name}{-state}{@scale}.png", EButtonState::Pressed, 1.5, "ok-pressed@1.5x.png"},
        {"{name}_{state}_{scale}x.png", EButtonState::Normal, 3, "ok_normal_3x.png"},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(FormatFileName(QString::fromUtf8(c.pattern), QStringLiteral("ok"), c.state, c.scale),
                  QString::fromUtf8(c.expected));
    EXPECT_EQ(FormatFileName(kDefaultFileNamePattern, QStringLiteral("{state}"), EButtonState::Hover, 1),
              QStringLiteral("{state}-hover.png"));
    EXPECT_EQ(FormatSpriteFileName(kDefaultFileNamePattern, QStringLiteral("ok"), 2), QStringLiteral("ok@2x.png"));
}

TEST(FileNamePatternTest, PlansRefuseNamesThatCollideOrLeaveTheFolder)
{
    SImageSetOptions options;
    options.name = QStringLiteral("ok");
    QString why;
    EXPECT_EQ(PlanImageSet(options, &why).size(), 12);
    options.sprite = true;
    EXPECT_EQ(PlanImageSet(options, &why),
              QStringList({"ok.png", "ok@2x.png", "ok@3x.png", "ok.css", "ok.html"}));
    options.sprite = false;

    const auto refused = [&why](SImageSetOptions bad) {
        why.clear();
        return PlanImageSet(bad, &why).isEmpty() && !why.isEmpty();
    };
    SImageSetOptions noState = options;
    noState.pattern = QStringLiteral("{name}{@scale}.png");
    EXPECT_TRUE(refused(noState));
    noState.states = {EButtonState::Pressed};
    EXPECT_FALSE(refused(noState));
    for (const char* name : {"../ok", "a/b", "..", "", "a\nb", "tab\there"}) {
        SImageSetOptions escaping = options;
        escaping.name = QString::fromUtf8(name);
        escaping.pattern = QStringLiteral("{name}");
        escaping.scales = {1};
        escaping.states = {EButtonState::Normal};
        EXPECT_TRUE(refused(escaping)) << name;
    }
    SImageSetOptions unnamed = options; // would write ".png" and "-hover.png"
    unnamed.name.clear();
    EXPECT_TRUE(refused(unnamed));
    SImageSetOptions badScale = options;
    badScale.scales = {1, 9};
    EXPECT_TRUE(refused(badScale));
    badScale.scales = {};
    EXPECT_TRUE(refused(badScale));
}

// Each format's files take its extension; a vector file is one per state
// with the scale placeholders empty; without formats the pattern's
// extension names the one format, and one that names none is refused.
TEST(FileNamePatternTest, FormatsNameTheirFilesAndAVectorFileServesEveryScale)
{
    using F = EImageFormat;
    const struct
    {
        const char* pattern;
        QList<EImageFormat> formats;
        bool sprite;
        QStringList expected; // empty: refused
    } cases[] = {
        {"{name}{-state}{@scale}.png", {F::Png, F::Svg}, false,
         {"ok.png", "ok-hover.png", "ok@2x.png", "ok-hover@2x.png", "ok.svg", "ok-hover.svg"}},
        {"{name}{-state}{@scale}.webp", {}, false,
         {"ok.webp", "ok-hover.webp", "ok@2x.webp", "ok-hover@2x.webp"}},
        {"{name}_{state}_{scale}x", {F::Jpeg, F::Svg}, false,
         {"ok_normal_1x.jpg", "ok_hover_1x.jpg", "ok_normal_2x.jpg", "ok_hover_2x.jpg", "ok_normal_x.svg",
          "ok_hover_x.svg"}},
        {"{name}{-state}{@scale}.gif", {}, false, {}},
        {"{name}{-state}{@scale}", {}, false, {}},
        {"{name}{@scale}.png", {F::Svg}, false, {}}, // two states, one name
        {"{name}{-state}{@scale}.png", {F::Svg, F::Webp}, true,
         {"ok.svg", "ok-hover.svg", "ok.webp", "ok@2x.webp", "ok.css", "ok.html"}},
        {"{name}{-state}{@scale}.png", {F::Svg}, true, {}}, // a sheet needs pixels
    };
    for (const auto& c : cases) {
        SImageSetOptions options;
        options.name = QStringLiteral("ok");
        options.scales = {1, 2};
        options.states = {EButtonState::Normal, EButtonState::Hover};
        options.pattern = QString::fromUtf8(c.pattern);
        options.formats = c.formats;
        options.sprite = c.sprite;
        QString why;
        EXPECT_EQ(PlanImageSet(options, &why), c.expected) << c.pattern;
        EXPECT_EQ(why.isEmpty(), !c.expected.isEmpty()) << c.pattern;
    }
}

TEST(ImageSetTest, WritesEveryPlannedFileAndEachStateAtItsScale)
{
    QTemporaryDir dir;
    CNacreformDoc doc;
    SImageSetOptions options;
    options.name = QStringLiteral("ok");
    options.scales = {1, 2};
    options.states = {EButtonState::Normal, EButtonState::Disabled};
    options.formats = {EImageFormat::Png, EImageFormat::Svg, EImageFormat::Jpeg};
    const SFileSetOutcome outcome = WriteImageSet(doc, options, dir.path());
    ASSERT_EQ(outcome.failures, QStringList());
    EXPECT_EQ(outcome.written.size(), 10);
    QStringList written = QDir(dir.path()).entryList(QDir::Files);
    QStringList planned = PlanImageSet(options, nullptr);
    written.sort();
    planned.sort();
    EXPECT_EQ(written, planned);
    const QImage twice(QDir(dir.path()).filePath(QStringLiteral("ok-disabled@2x.png")));
    EXPECT_EQ(twice, RenderButtonState(doc, EButtonState::Disabled, 2).convertToFormat(twice.format()));
}

TEST(ImageSetTest, SpriteSheetsStackTheStatesAndTheCssNamesTheirOffsets)
{
    QTemporaryDir dir;
    CNacreformDoc doc;
    SImageSetOptions options;
    options.name = QStringLiteral("ok");
    options.scales = {1, 2};
    options.sprite = true;
    ASSERT_EQ(WriteImageSet(doc, options, dir.path()).failures, QStringList());
    const QSize cell(145, 148);
    for (double scale : {1.0, 2.0}) {
        const QImage sheet(dir.filePath(FormatSpriteFileName(kDefaultFileNamePattern, options.name, scale)));
        ASSERT_EQ(sheet.size(), QSize(int(scale) * cell.width(), 4 * int(scale) * cell.height()));
        for (int i = 0; i < 4; ++i) {
            const QImage state = RenderButtonState(doc, AllButtonStates()[i], scale);
            const QImage part = sheet.copy(0, i * state.height(), state.width(), state.height());
            EXPECT_EQ(part, state.convertToFormat(part.format())) << scale << " " << i;
        }
    }
    QFile cssFile(dir.filePath(QStringLiteral("ok.css")));
    ASSERT_TRUE(cssFile.open(QIODevice::ReadOnly));
    const QString css = QString::fromUtf8(cssFile.readAll());
    const QStringList offsets = {"0 0", "0 -148px", "0 -296px", "0 -444px"};
    const auto body = [&css](const QString& selector) {
        const qsizetype at = css.indexOf(selector + QStringLiteral(" {\n"));
        return at < 0 ? QString() : css.mid(at, css.indexOf(QLatin1Char('}'), at) - at);
    };
    const QString sheets = QStringLiteral("image-set(url(\"ok.png\") 1x, url(\"ok@2x.png\") 2x);");
    for (int i = 0; i < 4; ++i) {
        const QString rule = body(QStringLiteral(".ok-%1").arg(ButtonStateName(AllButtonStates()[i])));
        EXPECT_TRUE(rule.contains(QStringLiteral("background-position: ") + offsets[i])) << rule.toStdString();
        EXPECT_TRUE(rule.contains(QStringLiteral("width: 145px;")) && rule.contains("background-size: 145px 592px;"));
    }
    // The base class: the plain 1x sheet, then the prefixed and the standard
    // image-set(), in that order (the last one a browser knows wins).
    const QString base = body(QStringLiteral(".ok"));
    const qsizetype plain = base.indexOf(QStringLiteral("background-image: url(\"ok.png\");"));
    const qsizetype prefixed = base.indexOf(QStringLiteral("background-image: -webkit-") + sheets);
    const qsizetype standard = base.indexOf(QStringLiteral("background-image: ") + sheets);
    EXPECT_TRUE(plain >= 0 && plain < prefixed && prefixed < standard) << base.toStdString();
    EXPECT_TRUE(base.contains(QStringLiteral("border: 0;")) && base.contains(QStringLiteral("position: 0 0;")));
    // The states a page needs no script for, pressed after hover and
    // disabled last, so that the later wins where several apply.
    const QStringList follows = {".ok:hover, .ok:focus-visible", ".ok:active",
                                 ".ok:disabled, .ok[aria-disabled=\"true\"]"};
    qsizetype previous = css.indexOf(QStringLiteral(".ok {"));
    for (int i = 0; i < 3; ++i) {
        const qsizetype at = css.indexOf(follows[i] + QStringLiteral(" {\n  background-position: ") + offsets[i + 1]);
        EXPECT_GT(at, previous) << follows[i].toStdString();
        previous = at;
    }
    // The demo page: the live and the disabled button of the base class, one
    // per state class, and nothing from outside the folder.
    QFile pageFile(dir.filePath(QStringLiteral("ok.html")));
    ASSERT_TRUE(pageFile.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(pageFile.readAll());
    EXPECT_TRUE(page.contains(QStringLiteral("<button type=\"button\" class=\"ok\" id=\"live\"")));
    EXPECT_TRUE(page.contains(QStringLiteral("class=\"ok\" id=\"disabled\" aria-label=\"ok\" disabled>")));
    for (EButtonState state : AllButtonStates())
        EXPECT_TRUE(page.contains(QStringLiteral("class=\"ok-%1\" id=\"state-%1\"").arg(ButtonStateName(state))));
    EXPECT_TRUE(page.contains(QStringLiteral("145 &times; 148 CSS pixels")));
    const QRegularExpression reference(QStringLiteral("(?:href|src)=\"([^\"]*)\""));
    QStringList references;
    for (const QRegularExpressionMatch& match : reference.globalMatch(page))
        references.append(match.captured(1));
    EXPECT_EQ(references, QStringList{QStringLiteral("ok.css")});
    EXPECT_FALSE(page.contains(QStringLiteral("<script")) || page.contains(QStringLiteral("url(")));
}

TEST(ImageSetTest, ClassNamesAreEscapedAsCssEscapeDoes)
{
    const struct
    {
        QString name;
        QString selector;
    } cases[] = {
        {"ok", ".ok-normal {"},
        {"2 go", ".\\32 \\ go-normal {"},
        {"-1ok", ".-\\31 ok-normal {"},
        {"-", ".--normal {"},
        {"a.b#c", ".a\\.b\\#c-normal {"},
        {"확인_x", ".확인_x-normal {"},
        {QStringLiteral("a") + QChar(0x7F), ".a\\7f -normal {"},
    };
    for (const auto& c : cases) {
        const QString css = SpriteSheetCss(c.name, {EButtonState::Normal}, {10, 10}, {{"a.png", 1}});
        EXPECT_TRUE(css.contains(c.selector)) << c.name.toStdString() << "\n" << css.toStdString();
    }
    // A comment closed by the name would let the rest of it be read as rules.
    EXPECT_FALSE(SpriteSheetCss("a*/b{}", {EButtonState::Normal}, {10, 10}, {{"a.png", 1}}).contains("a*/b"));
}

TEST(ImageSetTest, UnwritableFolderIsReportedPerFile)
{
    QTemporaryDir dir;
    CNacreformDoc doc;
    SImageSetOptions options;
    options.scales = {1};
    const QStringList failures = WriteImageSet(doc, options, dir.filePath(QStringLiteral("missing"))).failures;
    ASSERT_EQ(failures.size(), 4);
    EXPECT_TRUE(failures.front().startsWith(QStringLiteral("button.png: "))) << failures.front().toStdString();
}

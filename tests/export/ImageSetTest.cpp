#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"
#include "export/ImageSet.h"
#include "export/SpriteSheet.h"

#include <QDir>
#include <QFile>
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
              QStringList({"ok.png", "ok@2x.png", "ok@3x.png", "ok.css"}));
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

TEST(ImageSetTest, WritesEveryPlannedFileAndEachStateAtItsScale)
{
    QTemporaryDir dir;
    CNacreformDoc doc;
    SImageSetOptions options;
    options.name = QStringLiteral("ok");
    options.scales = {1, 2};
    options.states = {EButtonState::Normal, EButtonState::Disabled};
    const SFileSetOutcome outcome = WriteImageSet(doc, options, dir.path());
    ASSERT_EQ(outcome.failures, QStringList());
    EXPECT_EQ(outcome.written.size(), 4);
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
    for (int i = 0; i < 4; ++i) {
        const QString rule = QStringLiteral(".ok-%1 {").arg(ButtonStateName(AllButtonStates()[i]));
        const qsizetype at = css.indexOf(rule);
        ASSERT_GE(at, 0) << rule.toStdString();
        const QString body = css.mid(at, css.indexOf(QLatin1Char('}'), at) - at);
        EXPECT_TRUE(body.contains(QStringLiteral("background-position: ") + offsets[i])) << body.toStdString();
        EXPECT_TRUE(body.contains(QStringLiteral("image-set(url(\"ok.png\") 1x, url(\"ok@2x.png\") 2x)")));
        EXPECT_TRUE(body.contains(QStringLiteral("width: 145px;")) && body.contains("background-size: 145px 592px;"));
    }
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

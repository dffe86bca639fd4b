#include "cli/CommandLineOptions.h"
#include "cli/ManualPage.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

// The option table and what is made of it: option recognition, the --help
// layout and the roff of the manual page.

TEST(CommandLineTest, OptionsAreRecognisedByWholeName)
{
    const std::pair<const char*, bool> cases[] = {
        {"--export", true},   {"--export=a.png", true}, {"--exporter", false}, {"-h", true},
        {"-hx", false},       {"--version", true},      {"-version", false},   {"design.nfd", false},
        {"--", false},        {"", false},
    };
    for (const auto& [argument, option] : cases)
        EXPECT_EQ(IsCommandLineOption(argument), option) << argument;
}

TEST(CommandLineTest, HelpKeepsToItsWidthAndListsEveryOption)
{
    constexpr int kWidth = 60;
    const QStringList lines = FormatHelpText(QStringLiteral("nacreform"), kWidth).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        if (line.trimmed().contains(QLatin1Char(' '))) {
            EXPECT_LE(line.size(), kWidth) << line.toStdString();
        }
    }
    qsizetype previous = -1;
    for (const SCommandLineOption& option : CommandLineOptions()) {
        const QString signature = QStringLiteral("  ") + OptionSignature(option);
        const auto found = std::find_if(lines.begin(), lines.end(), [&](const QString& line) {
            return line.startsWith(signature + QStringLiteral("  "));
        });
        ASSERT_NE(found, lines.end()) << signature.toStdString();
        EXPECT_GT(found - lines.begin(), previous) << "out of table order: " << signature.toStdString();
        previous = found - lines.begin();
    }
}

TEST(CommandLineTest, RoffTextDefusesControlsAndMarksOptionDashes)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("--set KEY=VALUE"), QStringLiteral("\\-\\-set KEY=VALUE")},
        {QStringLiteral("32-bit, -16 and (-h)"), QStringLiteral("32-bit, \\-16 and (\\-h)")},
        {QStringLiteral(".nfd files"), QStringLiteral("\\&.nfd files")},
        {QStringLiteral("'quoted'"), QStringLiteral("\\&'quoted'")},
        {QStringLiteral("C:\\path"), QStringLiteral("C:\\epath")},
    };
    for (const auto& [text, roff] : cases)
        EXPECT_EQ(RoffText(text), roff) << text.toStdString();
}

TEST(CommandLineTest, ManualPageFillsEveryPlaceholderFromTheTable)
{
    const QString page = MakeManualPage(
        QStringLiteral(".TH NACREFORM 1 \"@DATE@\" \"Nacreform @VERSION@\"\n.SH SYNOPSIS\n@SYNOPSIS@\n"
                       ".SH DESCRIPTION\n@DESCRIPTION@\n.SH OPTIONS\n@OPTIONS@\n.SH FILES\n"),
        QStringLiteral("1.03"), QStringLiteral("2026/12/07"));
    // Option texts may hold an @ ("{@scale}"), placeholders are @WORD@.
    EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("@[A-Z]+@")))) << page.toStdString();
    EXPECT_TRUE(page.startsWith(QStringLiteral(".TH NACREFORM 1 \"2026/12/07\" \"Nacreform 1.03\"\n")));
    EXPECT_EQ(page.count(QStringLiteral(".SY nacreform\n")), CommandLineSynopsis().size());
    EXPECT_TRUE(page.contains(QStringLiteral("\\fB\\-\\-export\\fR \\fIOUT.png\\fR [\\fB\\-\\-format\\fR \\fIFORMAT\\fR]")));

    // Each option: a tag line of bold names and an italic value, then its text.
    const QString options = page.section(QStringLiteral(".SH OPTIONS\n"), 1).section(QStringLiteral(".SH"), 0, 0);
    const QStringList blocks = options.split(QStringLiteral(".TP\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(size_t(blocks.size()), CommandLineOptions().size());
    for (size_t i = 0; i < CommandLineOptions().size(); ++i) {
        const SCommandLineOption& option = CommandLineOptions()[i];
        const QStringList lines = blocks[qsizetype(i)].split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << blocks[qsizetype(i)].toStdString();
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("\\fB\\-"))) << lines[0].toStdString();
        const QString value = QStringLiteral("\\fI") + option.valueName + QStringLiteral("\\fR");
        EXPECT_EQ(lines[0].endsWith(option.optionalValue ? value + QStringLiteral("]") : value),
                  !option.valueName.isEmpty())
            << lines[0].toStdString();
        EXPECT_EQ(lines[1], RoffText(option.description));
    }
}

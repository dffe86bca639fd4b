#include "cli/CommandLineOptions.h"

#include <algorithm>
#include <cstring>

const std::vector<SCommandLineOption>& CommandLineOptions()
{
    static const std::vector<SCommandLineOption> options = {
        {{QStringLiteral("export")}, QStringLiteral("OUT.png"),
         QStringLiteral("Render the design and write it to OUT.png: 32-bit with alpha when BGTrans is "
                        "set, else 24-bit over BGColor.")},
        {{QStringLiteral("set")}, QStringLiteral("KEY=VALUE"),
         QStringLiteral("Change one design parameter after the design is read, written as in a design "
                        "file (e.g. String=OK, ShapeSize=200,64). Repeatable; applied in order.")},
        {{QStringLiteral("save")}, QStringLiteral("OUT.nfd"),
         QStringLiteral("Write the resulting design to OUT.nfd, as Save As would.")},
        {{QStringLiteral("scale")}, QStringLiteral("S"),
         QStringLiteral("With --export or --batch: render at scale S (0.25 to 8); the image is "
                        "round(S x W) x round(S x H) pixels for the 1x size W x H.")},
        {{QStringLiteral("export-set")}, QStringLiteral("DIR"),
         QStringLiteral("Write an image set into DIR (made when missing): every chosen state at every "
                        "chosen scale, named by the pattern.")},
        {{QStringLiteral("scales")}, QStringLiteral("LIST"),
         QStringLiteral("Scales of the set, comma-separated (default 1,2,3).")},
        {{QStringLiteral("states")}, QStringLiteral("LIST"),
         QStringLiteral("States of the set, comma-separated, of normal, hover, pressed and disabled "
                        "(default all four).")},
        {{QStringLiteral("name")}, QStringLiteral("NAME"),
         QStringLiteral("Base name of the set's files (default: the design file's name, else button).")},
        {{QStringLiteral("pattern")}, QStringLiteral("PATTERN"),
         QStringLiteral("File names of the set from {name}, {state}, {-state} (nothing for normal), "
                        "{scale} and {@scale} (nothing at 1x, else @2x); default "
                        "{name}{-state}{@scale}.png.")},
        {{QStringLiteral("sprite")}, QString(),
         QStringLiteral("Write one sprite sheet per scale instead, the states stacked top to bottom, "
                        "and NAME.css with one class per state.")},
        {{QStringLiteral("batch")}, QStringLiteral("FILE.csv"),
         QStringLiteral("For each row of FILE.csv, whose header names the column name and any design "
                        "keys, apply the row over the design and write NAME.png into the current "
                        "folder, or a whole set into DIR with --export-set. Bad rows are reported "
                        "by number; the others are written.")},
        {{QStringLiteral("h"), QStringLiteral("help")}, QString(),
         QStringLiteral("Show the usage and options and exit.")},
        {{QStringLiteral("version")}, QString(),
         QStringLiteral("Show the version and build date and exit.")},
    };
    return options;
}

const QStringList& CommandLineSynopsis()
{
    static const QStringList synopsis = {
        QStringLiteral("[--] [DESIGN.nfd]"),
        QStringLiteral("--export OUT.png [--scale S] [--set KEY=VALUE]... [--save OUT.nfd] [--] [DESIGN.nfd]"),
        QStringLiteral("--export-set DIR [--scales LIST] [--states LIST] [--name NAME] [--pattern PATTERN] "
                       "[--sprite] [--set KEY=VALUE]... [--] [DESIGN.nfd]"),
        QStringLiteral("--batch FILE.csv [--scale S | --export-set DIR ...] [--] [DESIGN.nfd]"),
        QStringLiteral("--help | --version"),
    };
    return synopsis;
}

const QString& CommandLineDescription()
{
    static const QString description = QStringLiteral(
        "Nacreform is an editor for glossy gel button images. Without options it opens the editor, on "
        "DESIGN.nfd when one is given. With --export, --export-set, --batch, --set or --save it works "
        "without a window or display: it reads DESIGN.nfd (or starts from the default design), applies "
        "the --set changes and writes the files asked for.");
    return description;
}

QString OptionSignature(const SCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names)
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString signature = names.join(QStringLiteral(", "));
    if (!option.valueName.isEmpty())
        signature += QLatin1Char(' ') + option.valueName;
    return signature;
}

bool IsCommandLineOption(const char* argument)
{
    for (const SCommandLineOption& option : CommandLineOptions()) {
        for (const QString& name : option.names) {
            const QByteArray written = (name.size() == 1 ? "-" : "--") + name.toLatin1();
            const size_t length = size_t(written.size());
            if (std::strncmp(argument, written.constData(), length) == 0
                && (argument[length] == '\0' || argument[length] == '='))
                return true;
        }
    }
    return false;
}

namespace {

// Words of text as lines of at most width characters, each after indent;
// a word longer than a line stands alone.
QString Wrap(const QString& text, int indent, int width)
{
    const QString margin(indent, QLatin1Char(' '));
    QString wrapped;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > width) {
            wrapped += margin + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        wrapped += margin + line + QLatin1Char('\n');
    return wrapped;
}

} // namespace

QString FormatHelpText(const QString& program, int width)
{
    constexpr int kIndent = 2;
    constexpr int kGap = 2;
    constexpr int kWidestColumn = 24;

    QString text = QStringLiteral("Usage:\n");
    for (const QString& form : CommandLineSynopsis())
        text += Wrap(program + QLatin1Char(' ') + form, kIndent, width);
    text += QLatin1Char('\n') + Wrap(CommandLineDescription(), 0, width) + QStringLiteral("\nOptions:\n");

    int column = 0;
    for (const SCommandLineOption& option : CommandLineOptions())
        column = std::max(column, int(OptionSignature(option).size()));
    column = std::min(column, kWidestColumn) + kIndent + kGap;
    for (const SCommandLineOption& option : CommandLineOptions()) {
        const QString signature = QString(kIndent, QLatin1Char(' ')) + OptionSignature(option);
        QString description = Wrap(option.description, column, width);
        if (signature.size() + kGap <= column)
            description.replace(0, signature.size(), signature);
        else
            description.prepend(signature + QLatin1Char('\n'));
        text += description;
    }
    return text;
}

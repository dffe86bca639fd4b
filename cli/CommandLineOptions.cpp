#include "cli/CommandLineOptions.h"

#include <algorithm>
#include <cstring>

const std::vector<SCommandLineOption>& CommandLineOptions()
{
    static const std::vector<SCommandLineOption> options = {
        {{QStringLiteral("export")}, QStringLiteral("OUT.png"),
         QStringLiteral("Render the design and write it to OUT.png in the format its extension names: "
                        ".png (32-bit with alpha when BGTrans is set, else 24-bit over BGColor), .svg "
                        "(vector shapes and gradients, captions as outlines), .jpg or .jpeg (always over "
                        "BGColor) or .webp (lossless, with alpha as PNG). Any other extension is refused. "
                        "OUT.png - writes to standard output.")},
        {{QStringLiteral("format")}, QStringLiteral("FORMAT"),
         QStringLiteral("With --export or --batch: write FORMAT, one of png, svg, jpeg and webp, "
                        "whatever the extension (default: the extension's; PNG for standard output and "
                        "batches).")},
        {{QStringLiteral("set")}, QStringLiteral("KEY=VALUE"),
         QStringLiteral("Change one design parameter after the design is read, written as in a design "
                        "file (e.g. String=OK, ShapeSize=200,64). Repeatable; applied in order.")},
        {{QStringLiteral("preset")}, QStringLiteral("NAME"),
         QStringLiteral("Start from the built-in preset NAME instead of a design file (see --list-presets).")},
        {{QStringLiteral("fit")}, QStringLiteral("PADX[,PADY]"),
         QStringLiteral("After the --set changes, size the shape to its caption: the width of a rectangle or "
                        "capsule, the diameter of a circle, from the caption's inked extent plus PADX pixels "
                        "left and right and PADY above and below (one number: both; by default from the "
                        "caption's height). The height grows only for a taller caption, and then FontSize "
                        "follows so that the caption keeps its size. With --batch each row fits its own caption."),
         true},
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
        {{QStringLiteral("formats")}, QStringLiteral("LIST"),
         QStringLiteral("Formats of the set, comma-separated, of png, svg, jpeg and webp (default: the "
                        "one the pattern's extension names); each format's files take its extension in "
                        "place of the pattern's. An SVG serves every scale: it is written once per state, "
                        "with {scale} and {@scale} empty.")},
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
         QStringLiteral("Write one sprite sheet per scale instead, the states stacked top to bottom; "
                        "NAME.css, whose class NAME shows the hover state on :hover and :focus-visible, "
                        "the pressed one on :active and the disabled one on :disabled and "
                        "[aria-disabled=\"true\"], with one class NAME-STATE per state besides; and "
                        "NAME.html, a page that shows them on real buttons.")},
        {{QStringLiteral("batch")}, QStringLiteral("FILE.csv"),
         QStringLiteral("For each row of FILE.csv, whose header names the column name and any design "
                        "keys, apply the row over the design and write NAME.png (or NAME and the --format's "
                        "extension) into the current folder, or a whole set into DIR with --export-set. "
                        "Every row's files are planned first: when two rows would write one file, or a "
                        "file is one the run reads, nothing is written. Bad rows are reported by their "
                        "line as they happen; the others are written.")},
        {{QStringLiteral("verbose")}, QString(),
         QStringLiteral("List the files --export-set and --batch have written (the default when "
                        "standard error is a terminal).")},
        {{QStringLiteral("serve")}, QStringLiteral("[ADDRESS:]PORT"),
         QStringLiteral("Serve buttons over HTTP on PORT of ADDRESS (default 127.0.0.1; 0.0.0.0 for every "
                        "interface): GET /v1/button.png?KEY=VALUE... renders the default design with the "
                        "keys given, / is an editor page. Runs until SIGTERM or SIGINT.")},
        {{QStringLiteral("cache-size")}, QStringLiteral("BYTES"),
         QStringLiteral("With --serve: bytes of encoded images kept for repeated requests (default 64M; "
                        "K, M and G are binary units).")},
        {{QStringLiteral("picture-dir")}, QStringLiteral("DIR"),
         QStringLiteral("With --serve: let ImagePath name a file directly inside DIR; without it requests "
                        "take no pictures.")},
        {{QStringLiteral("quiet")}, QString(),
         QStringLiteral("With --serve: no access log line per request on standard error.")},
        {{QStringLiteral("list-presets")}, QString(),
         QStringLiteral("List the built-in presets, one a line with what it is, and exit.")},
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
        QStringLiteral("--export OUT.png [--format FORMAT] [--scale S] [--preset NAME] [--set KEY=VALUE]... "
                       "[--fit[=PADX[,PADY]]] [--save OUT.nfd] [--] [DESIGN.nfd]"),
        QStringLiteral("--export-set DIR [--scales LIST] [--states LIST] [--formats LIST] [--name NAME] "
                       "[--pattern PATTERN] [--sprite] [--verbose] [--set KEY=VALUE]... [--] [DESIGN.nfd]"),
        QStringLiteral("--batch FILE.csv [--scale S] [--format FORMAT | --export-set DIR ...] [--verbose] [--] [DESIGN.nfd]"),
        QStringLiteral("--serve [ADDRESS:]PORT [--cache-size BYTES] [--picture-dir DIR] [--quiet]"),
        QStringLiteral("--help | --version | --list-presets"),
    };
    return synopsis;
}

const QString& CommandLineDescription()
{
    static const QString description = QStringLiteral(
        "Nacreform is an editor for glossy gel button images. Without options it opens the editor, on "
        "DESIGN.nfd when one is given. With --export, --export-set, --batch, --set or --save it works "
        "without a window or display: it reads DESIGN.nfd (or starts from the default design or a "
        "preset), applies the --set changes and --fit and writes the files asked for. A caption or "
        "picture that the canvas cuts off is warned about on standard error. With --serve it answers HTTP "
        "requests for buttons until it is stopped.");
    return description;
}

QString OptionSignature(const SCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names)
        names.append((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name);
    QString signature = names.join(QStringLiteral(", "));
    if (option.optionalValue)
        signature += QStringLiteral("[=%1]").arg(option.valueName);
    else if (!option.valueName.isEmpty())
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

QStringList ArgumentList(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

bool IsServeInvocation(int argc, char* argv[])
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--serve") == 0 || std::strncmp(argv[i], "--serve=", 8) == 0)
            return true;
    }
    return false;
}

#include "cli/HeadlessExport.h"

#include "cli/CommandLineOptions.h"
#include "cli/ExitCodes.h"
#include "cli/ExportCommandLine.h"
#include "design/DesignColor.h"
#include "design/NacreformDoc.h"
#include "design/PresetLibrary.h"
#include "export/DesignValueInput.h"
#include "program/BuildDate.h"
#include "program/VersionInfo.h"
#include "render/CaptionFit.h"
#include "render/ContentPlacement.h"
#include "render/FontCatalog.h"
#include "render/PictureLayer.h"
#include "util/AtomicFileWrite.h"
#include "util/HeadlessRun.h"
#include "util/Helpers.h"
#include "util/MessageSink.h"
#include "util/QuotedValue.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>

#include <clocale>
#include <cstdio>
#include <cstring>
#include <optional>

#include <malloc.h>

namespace {


void DefineOptions(QCommandLineParser& parser)
{
    // An option whose value may be left out is a switch to the parser; its
    // value was taken off beforehand (TakeOptionalValues).
    for (const SCommandLineOption& option : CommandLineOptions())
        parser.addOption({option.names, option.description, option.optionalValue ? QString() : option.valueName});
}

// Takes "--name=value" of the options whose value may be left out off
// arguments (before a "--"), leaving "--name": the values by name.
QHash<QString, QString> TakeOptionalValues(QStringList& arguments)
{
    QHash<QString, QString> values;
    for (QString& argument : arguments) {
        if (argument == QLatin1String("--"))
            break;
        for (const SCommandLineOption& option : CommandLineOptions()) {
            const QString written = QStringLiteral("--%1=").arg(option.names.back());
            if (option.optionalValue && argument.startsWith(written)) {
                values.insert(option.names.back(), argument.mid(written.size()));
                argument = written.chopped(1);
            }
        }
    }
    return values;
}

void ListPresets()
{
    for (const SPreset& preset : BuiltInPresets())
        std::printf("%-12s %s\n", qPrintable(preset.name), qPrintable(preset.description));
}

// Says what the canvas cuts off of the design it is about to write.
void WarnAboutCuts(CNacreformDoc& doc, const QString& design)
{
    RefreshPictureCache(doc);
    const QString cuts = DescribeContentCuts(FindContentCuts(doc));
    if (!cuts.isEmpty())
        PrintError(QStringLiteral("warning: %1: %2").arg(design, cuts));
}

// "nacreform 1.03 (2026/12/07)" and the copyright line, from the version
// record embedded in this executable, as the about box shows them.
void PrintVersion()
{
    CVersionInfo info;
    info.Load(GetModulePath());
    const QString text = QStringLiteral("nacreform %1 (%2)\n%3\n")
                             .arg(info.GetProductVersion(), GetBuildDate(), info.GetLegalCopyright());
    std::fputs(text.toUtf8().constData(), stdout);
}

// Whether text starts as a number does, after blanks and a sign.
bool StartsWithNumber(QStringView text)
{
    text = text.trimmed();
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-'))
        text = text.mid(1);
    if (!text.isEmpty() && text.front() == u'.')
        text = text.mid(1);
    return !text.isEmpty() && text.front() >= u'0' && text.front() <= u'9';
}

// A value that does not convert is read as the design file reads it; the
// person who typed it hears so.
void WarnIfNotNumeric(const QString& key, const QString& value)
{
    static const QStringList kTextKeys = {QStringLiteral("String"), QStringLiteral("FontName"),
                                          QStringLiteral("ImagePath")};
    if (kTextKeys.contains(key))
        return;
    const auto warn = [&](const QString& consequence) {
        const QString text = QStringLiteral("nacreform: warning: --set ") + key + QLatin1Char('=') + QuotedValue(value)
                             + QStringLiteral(": ") + consequence + QLatin1Char('\n');
        std::fputs(text.toUtf8().constData(), stderr);
    };
    if (value.trimmed().isEmpty()) {
        warn(QStringLiteral("empty, so %1 stays unchanged").arg(key));
        return;
    }
    const bool pair = key == QLatin1String("ShapeSize") || key.endsWith(QLatin1String("Pos"));
    const QStringList parts = pair ? value.split(QLatin1Char(',')) : QStringList{value};
    if (pair && parts.size() != 2) {
        warn(QStringLiteral("not two numbers separated by a comma, so %1 stays unchanged").arg(key));
        return;
    }
    for (const QString& part : parts) {
        if (!StartsWithNumber(part))
            warn(QuotedValue(part) + QStringLiteral(" is not a number and reads as 0"));
    }
}

// Reads one KEY=VALUE into the design the way a design file would.
bool ApplySetting(CNacreformDoc& doc, const QString& setting)
{
    const qsizetype equals = setting.indexOf(QLatin1Char('='));
    const QString key = equals < 0 ? QString() : FindDesignKey(setting.left(equals).trimmed());
    if (key.isEmpty()) {
        PrintError(QStringLiteral("--set %1: expected KEY=VALUE with KEY one of: %2")
                       .arg(QuotedValue(setting), CNacreformDoc::DesignKeys().join(QStringLiteral(", "))));
        return false;
    }
    const QString value = setting.mid(equals + 1);
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        PrintError(QStringLiteral("--set %1: a value cannot hold a line break").arg(key));
        return false;
    }
    // Colours are written as designers write them, and a wrong one is an
    // error rather than black.
    if (IsColorKey(key)) {
        QString why;
        if (!ApplyDesignValue(doc, key, value, &why)) {
            PrintError(QStringLiteral("--set %1").arg(why));
            return false;
        }
        return true;
    }
    WarnIfNotNumeric(key, value);
    SetDesignValues(doc, {{key, value}});
    return true;
}

// Whether the design's picture is an SVG file, or a batch's rows may name
// pictures.
bool MayDrawSvgPicture(const CNacreformDoc& doc, const QString& batchFile)
{
    const QString suffix = QFileInfo(doc.ImagePath).suffix().toLower();
    if (suffix == QLatin1String("svg") || suffix == QLatin1String("svgz"))
        return true;
    if (batchFile.isEmpty())
        return false;
    QFile batch(batchFile);
    return batch.open(QIODevice::ReadOnly) && batch.readLine(64 * 1024).contains("ImagePath");
}

} // namespace

bool IsHeadlessInvocation(int argc, char* argv[])
{
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (IsCommandLineOption(argv[i]))
            return true;
    }
    return false;
}

QString CommandLineUsage()
{
    return FormatHelpText(QStringLiteral("nacreform"));
}

int RunHeadless(int argc, char* argv[])
{
    // No application object, no platform plugin: images are drawn on
    // QImage and captions come from the font files (CCaptionLine), so the
    // command line starts in a fraction of the time the toolkit's start-up
    // takes. The user's locale still applies, as an application object
    // would set it.
    std::setlocale(LC_ALL, "");
    // Canvases, compressed files and scratch images of up to 32 MiB come
    // from the heap and go back to it, so that the next image of a set or a
    // batch row finds its buffers in place. By default the C library gives
    // each one above 128 KiB its own mapping, returned when freed, and the
    // next image faults its pages in afresh: some 760 page faults a row at
    // 1066 x 466, where it now takes 130.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    QCoreApplication::setApplicationName(QStringLiteral("nacreform"));
    QStringList arguments = ArgumentList(argc, argv);

    QCommandLineParser parser;
    DefineOptions(parser);
    const QHash<QString, QString> optionalValues = TakeOptionalValues(arguments);
    if (!parser.parse(arguments)) {
        PrintError(parser.errorText());
        return kExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(CommandLineUsage().toUtf8().constData(), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        PrintVersion();
        return 0;
    }
    if (parser.isSet(QStringLiteral("list-presets"))) {
        ListPresets();
        return 0;
    }
    const QStringList designs = parser.positionalArguments();
    const QString savePath = parser.value(QStringLiteral("save"));
    if (designs.size() > 1) {
        PrintError(QStringLiteral("only one design file may be given"));
        return kExitUsage;
    }
    const QString preset = parser.value(QStringLiteral("preset"));
    if (!preset.isEmpty() && !designs.isEmpty()) {
        PrintError(QStringLiteral("--preset and a design file cannot both be the start"));
        return kExitUsage;
    }
    std::optional<SFitRequest> fit;
    if (parser.isSet(QStringLiteral("fit"))) {
        fit.emplace();
        if (optionalValues.contains(QStringLiteral("fit"))) {
            QString why;
            fit->padding = ParseFitPadding(optionalValues.value(QStringLiteral("fit")), &why);
            if (!fit->padding) {
                PrintError(QStringLiteral("--fit=%1: %2").arg(optionalValues.value(QStringLiteral("fit")), why));
                return kExitUsage;
            }
        }
    }
    for (const QString& once : {QStringLiteral("export"), QStringLiteral("save"), QStringLiteral("preset")}) {
        if (parser.values(once).size() > 1) {
            PrintError(QStringLiteral("--%1 may be given only once").arg(once));
            return kExitUsage;
        }
    }
    for (const QString& serverOption : {QStringLiteral("cache-size"), QStringLiteral("picture-dir"), QStringLiteral("quiet")}) {
        if (parser.isSet(serverOption)) {
            PrintError(QStringLiteral("--%1 needs --serve").arg(serverOption));
            return kExitUsage;
        }
    }
    for (const QString& once : {QStringLiteral("export"), QStringLiteral("save")}) {
        if (parser.isSet(once) && parser.value(once).isEmpty()) {
            PrintError(QStringLiteral("--") + once + QStringLiteral(": the file name is empty"));
            return kExitUsage;
        }
    }
    const bool exporting = HasExportOptions(parser);
    if (savePath.isEmpty() && !exporting) {
        PrintError(QStringLiteral("--set, --preset and --fit need --export or --save (see --help)"));
        return kExitUsage;
    }
    SExportRequest request;
    if (exporting && !ReadExportOptions(parser, request))
        return kExitUsage;
    request.batchFit = fit;

    CStderrMessageSink messages;
    CNacreformDoc doc;
    doc.SetMessageSink(&messages);
    if (!designs.isEmpty() && !doc.OnOpenDocument(designs.front()))
        return kExitFailed; // the message sink has said why
    if (!preset.isEmpty()) {
        const std::optional<CDesignValues> values = LoadPreset(preset);
        if (!values) {
            PrintError(QStringLiteral("--preset %1: no such preset; there are %2").arg(preset, BuiltInPresetNames()));
            return kExitUsage;
        }
        doc.ApplyValues(*values);
    }
    for (const QString& setting : parser.values(QStringLiteral("set"))) {
        if (!ApplySetting(doc, setting))
            return kExitFailed;
    }
    // An SVG picture is drawn by Qt SVG, whose text needs the toolkit's
    // font database and so an application object: only then is one made.
    std::optional<QGuiApplication> application;
    if (MayDrawSvgPicture(doc, request.batchFile)) {
        PrepareHeadlessRun();
        application.emplace(argc, argv);
    }
    const bool batch = !request.batchFile.isEmpty();
    // What killed runs left where this one writes a single file.
    for (const QString& path : {savePath, request.exportPath}) {
        if (!path.isEmpty() && path != QLatin1String("-"))
            RemoveStaleTemporaries(QFileInfo(path).absolutePath());
    }
    QString why;
    if (fit && !batch && !FitShapeToCaption(doc, fit->padding, &why)) {
        PrintError(QStringLiteral("--fit: %1").arg(why));
        return kExitFailed;
    }
    if (!savePath.isEmpty() && !doc.DoSave(savePath, &why)) {
        PrintError(QStringLiteral("cannot write the design file %1: %2").arg(savePath, why));
        return kExitFailed;
    }
    // A batch warns about each row it writes.
    if (!batch && (!request.exportPath.isEmpty() || request.set))
        WarnAboutCuts(doc, !designs.isEmpty() ? designs.front()
                           : !preset.isEmpty() ? QStringLiteral("preset %1").arg(preset)
                                               : QStringLiteral("the default design"));
    const int exitCode = exporting ? RunExportOptions(request, doc) : 0;
    CFontCatalog::Instance().SaveAnswers();
    return exitCode;
}

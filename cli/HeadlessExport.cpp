#include "cli/HeadlessExport.h"

#include "program/BuildDate.h"
#include "cli/CommandLineOptions.h"
#include "program/VersionInfo.h"
#include "design/IniFile.h"
#include "design/NacreformDoc.h"
#include "export/DesignValueInput.h"
#include "cli/ExportCommandLine.h"
#include "render/DisplayBitmap.h"
#include "render/ImageFiles.h"
#include "render/Render.h"
#include "util/Helpers.h"
#include "util/MessageSink.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

QtMessageHandler g_defaultMessageHandler = nullptr;

// Qt's note that it falls back to a temporary runtime folder says nothing
// about the export; every other message passes through.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_defaultMessageHandler(type, context, message);
}

void PrintError(const QString& text)
{
    std::fprintf(stderr, "nacreform: %s\n", text.toUtf8().constData());
}

void DefineOptions(QCommandLineParser& parser)
{
    for (const SCommandLineOption& option : CommandLineOptions())
        parser.addOption({option.names, option.description, option.valueName});
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
        std::fprintf(stderr, "nacreform: warning: --set %s=%s: %s\n", qPrintable(key), qPrintable(value),
                     qPrintable(consequence));
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
            warn(QStringLiteral("\"%1\" is not a number and reads as 0").arg(part));
    }
}

// Reads one KEY=VALUE into the design the way a design file would.
bool ApplySetting(CNacreformDoc& doc, const QString& setting)
{
    const qsizetype equals = setting.indexOf(QLatin1Char('='));
    const QString key = equals < 0 ? QString() : FindDesignKey(setting.left(equals).trimmed());
    if (key.isEmpty()) {
        PrintError(QStringLiteral("--set %1: expected KEY=VALUE with KEY one of: %2")
                       .arg(setting, CNacreformDoc::DesignKeys().join(QStringLiteral(", "))));
        return false;
    }
    const QString value = setting.mid(equals + 1);
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
        PrintError(QStringLiteral("--set %1: a value cannot hold a line break").arg(key));
        return false;
    }
    WarnIfNotNumeric(key, value);
    CIniFile ini(QString(), false);
    ini.LoadText(QStringLiteral("[General]\n%1=%2\n").arg(key, value).toUtf8());
    doc.ExchangeDesign(false, ini);
    doc.SelectRenderer(doc.RenderID, true, false);
    return true;
}

// A canvas side as a person reads it; one too large to compute says so.
QString SideText(float side)
{
    return std::isfinite(side) ? QString::number(double(side), 'f', 0) : QStringLiteral("too many");
}

bool Export(CNacreformDoc& doc, const QString& path)
{
    const QImage rendered = doc.Renderer ? doc.Renderer->Render(doc) : QImage();
    if (rendered.isNull()) {
        const SCanvasLayout layout =
            doc.Renderer ? doc.Renderer->GetCanvasLayout(doc) : SCanvasLayout();
        PrintError(QStringLiteral("cannot allocate a bitmap of %1 x %2 pixels for this design "
                                  "(at most %3 pixels a side and %4 in all); it comes from "
                                  "ShapeSize=%5,%6, Margin=%7 and ShapeShadowPos=%8,%9")
                       .arg(SideText(layout.width), SideText(layout.height))
                       .arg(CRender::kMaxCanvasSide)
                       .arg(CRender::kMaxCanvasPixels)
                       .arg(doc.ShapeSize.cx)
                       .arg(doc.ShapeSize.cy)
                       .arg(doc.Margin)
                       .arg(double(doc.ShapeShadowPos.x))
                       .arg(double(doc.ShapeShadowPos.y)));
        return false;
    }
    const QImage display = doc.BGTrans ? QImage() : ComposeDisplayImage(doc, rendered);
    QString why;
    if (!SavePng(ChooseExportBitmap(doc.BGTrans, rendered, display), path, &why)) {
        PrintError(QStringLiteral("cannot write the PNG file %1: %2").arg(path, why));
        return false;
    }
    return true;
}

// Whether the design's picture is an SVG file, or a batch's rows may name
// pictures.
bool MayDrawSvgPicture(const CNacreformDoc& doc, const QCommandLineParser& parser)
{
    const QString suffix = QFileInfo(doc.ImagePath).suffix().toLower();
    if (suffix == QLatin1String("svg") || suffix == QLatin1String("svgz"))
        return true;
    if (!parser.isSet(QStringLiteral("batch")))
        return false;
    QFile batch(parser.value(QStringLiteral("batch")));
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
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    DefineOptions(parser);
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
    const QStringList designs = parser.positionalArguments();
    const QString exportPath = parser.value(QStringLiteral("export"));
    const QString savePath = parser.value(QStringLiteral("save"));
    if (designs.size() > 1) {
        PrintError(QStringLiteral("only one design file may be given"));
        return kExitUsage;
    }
    for (const QString& once : {QStringLiteral("export"), QStringLiteral("save")}) {
        if (parser.values(once).size() > 1) {
            PrintError(QStringLiteral("--%1 may be given only once").arg(once));
            return kExitUsage;
        }
    }
    if (exportPath.isEmpty() && savePath.isEmpty() && !HasExportOptions(parser)) {
        PrintError(QStringLiteral("--set needs --export or --save (see --help)"));
        return kExitUsage;
    }

    CStderrMessageSink messages;
    CNacreformDoc doc;
    doc.SetMessageSink(&messages);
    if (!designs.isEmpty() && !doc.OnOpenDocument(designs.front()))
        return kExitFailed; // the message sink has said why
    for (const QString& setting : parser.values(QStringLiteral("set"))) {
        if (!ApplySetting(doc, setting))
            return kExitFailed;
    }
    QString why;
    if (!savePath.isEmpty() && !doc.DoSave(savePath, &why)) {
        PrintError(QStringLiteral("cannot write the design file %1: %2").arg(savePath, why));
        return kExitFailed;
    }
    // An SVG picture is drawn by Qt SVG, whose text needs the toolkit's
    // font database and so an application object: only then is one made.
    std::optional<QGuiApplication> application;
    if (MayDrawSvgPicture(doc, parser)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_defaultMessageHandler = qInstallMessageHandler(FilterQtMessages);
        application.emplace(argc, argv);
    }
    if (HasExportOptions(parser))
        return RunExportOptions(parser, doc);
    if (!exportPath.isEmpty() && !Export(doc, exportPath))
        return kExitFailed;
    return 0;
}

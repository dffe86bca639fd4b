#include "cli/ExportCommandLine.h"

#include "design/NacreformDoc.h"
#include "export/CsvBatch.h"
#include "export/FileNamePattern.h"
#include "export/ImageFileEncoder.h"
#include "render/PictureLayer.h"
#include "render/Render.h"
#include "util/AtomicFileWrite.h"
#include "util/QuotedValue.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kExitFailed = 1;
// A batch file larger than this is refused rather than read into memory.
constexpr qint64 kMaxBatchFileSize = 64 * 1024 * 1024;

const QString kExport = QStringLiteral("export");
const QString kFormat = QStringLiteral("format");
const QString kScale = QStringLiteral("scale");
const QString kExportSet = QStringLiteral("export-set");
const QString kScales = QStringLiteral("scales");
const QString kStates = QStringLiteral("states");
const QString kFormats = QStringLiteral("formats");
const QString kName = QStringLiteral("name");
const QString kPattern = QStringLiteral("pattern");
const QString kSprite = QStringLiteral("sprite");
const QString kBatch = QStringLiteral("batch");
const QString kVerbose = QStringLiteral("verbose");
// The --export name that means standard output.
const QString kStandardOutput = QStringLiteral("-");

void PrintError(const QString& text)
{
    std::fprintf(stderr, "nacreform: %s\n", text.toUtf8().constData());
}

bool ParseScale(const QString& text, double& scale)
{
    bool ok = false;
    scale = text.trimmed().toDouble(&ok);
    return ok && scale >= kMinExportScale && scale <= kMaxExportScale;
}

bool ReadScale(const QString& option, const QString& text, double& scale)
{
    if (ParseScale(text, scale))
        return true;
    // One substitution for all four, so that a "%1" typed in the value
    // stays as typed.
    PrintError(QStringLiteral("--%1: %2 is no scale from %3 to %4")
                   .arg(option, QuotedValue(text), QString::number(kMinExportScale),
                        QString::number(kMaxExportScale)));
    return false;
}

bool ReadFormat(const QString& option, const QString& text, EImageFormat& format)
{
    const auto parsed = ParseImageFormat(text);
    if (!parsed)
        PrintError(QStringLiteral("--%1: %2 is none of the formats %3").arg(option, QuotedValue(text), ImageFormatList()));
    format = parsed.value_or(EImageFormat::Png);
    return parsed.has_value();
}

// The format of the single images: --format, else the extension of
// --export's file, else (standard output, a batch) PNG.
bool ReadSingleFormat(const QCommandLineParser& parser, EImageFormat& format)
{
    if (parser.isSet(kFormat))
        return ReadFormat(kFormat, parser.value(kFormat), format);
    const QString path = parser.value(kExport);
    format = EImageFormat::Png;
    if (path.isEmpty() || path == kStandardOutput)
        return true;
    const auto named = ImageFormatOfPath(path);
    if (!named)
        PrintError(QStringLiteral("--export %1: the extension names none of the formats %2 (or give --format)")
                       .arg(QuotedValue(path), ImageFormatList()));
    format = named.value_or(EImageFormat::Png);
    return named.has_value();
}

// The set's options from the command line; false (printed) when one is
// unusable.
bool ReadSetOptions(const QCommandLineParser& parser, SImageSetOptions& set)
{
    if (parser.isSet(kScales)) {
        set.scales.clear();
        for (const QString& text : parser.value(kScales).split(QLatin1Char(','))) {
            double scale = 0;
            if (!ReadScale(kScales, text, scale))
                return false;
            set.scales.append(scale);
        }
    }
    if (parser.isSet(kStates)) {
        set.states.clear();
        for (const QString& text : parser.value(kStates).split(QLatin1Char(','))) {
            const auto state = ParseButtonState(text);
            if (!state) {
                PrintError(QStringLiteral("--states: ") + QuotedValue(text)
                           + QStringLiteral(" is none of normal, hover, pressed, disabled"));
                return false;
            }
            set.states.append(*state);
        }
    }
    if (parser.isSet(kFormats)) {
        for (const QString& text : parser.value(kFormats).split(QLatin1Char(','))) {
            EImageFormat format = EImageFormat::Png;
            if (!ReadFormat(kFormats, text, format))
                return false;
            if (!set.formats.contains(format))
                set.formats.append(format);
        }
    }
    const QStringList designs = parser.positionalArguments();
    set.name = parser.isSet(kName)       ? parser.value(kName)
               : designs.isEmpty()       ? QStringLiteral("button")
                                         : QFileInfo(designs.front()).completeBaseName();
    set.pattern = parser.value(kPattern);
    set.sprite = parser.isSet(kSprite);
    QString why;
    if (PlanImageSet(set, &why).isEmpty()) {
        PrintError(why);
        return false;
    }
    return true;
}

QString UsageProblem(const QCommandLineParser& parser)
{
    const bool set = parser.isSet(kExportSet);
    for (const QString& option : {kScales, kStates, kFormats, kName, kPattern, kSprite}) {
        if (parser.isSet(option) && !set)
            return QStringLiteral("--%1 needs --export-set").arg(option);
    }
    if (parser.isSet(kScale) && set)
        return QStringLiteral("--scale is for a single image; a set takes --scales");
    if (parser.isSet(kScale) && !parser.isSet(kExport) && !parser.isSet(kBatch))
        return QStringLiteral("--scale needs --export or --batch");
    if (parser.isSet(kFormat) && !parser.isSet(kExport) && !(parser.isSet(kBatch) && !set))
        return QStringLiteral("--format needs --export or --batch; a set takes --formats");
    if (parser.isSet(kBatch) && parser.isSet(kExport))
        return QStringLiteral("--batch names its images by its rows; it takes no --export");
    if (parser.isSet(kVerbose) && !set && !parser.isSet(kBatch))
        return QStringLiteral("--verbose lists the files of --export-set and --batch");
    return {};
}

// A canvas side as a person reads it; one too large to compute says so.
QString SideText(double side)
{
    return std::isfinite(side) ? QString::number(side, 'f', 0) : QStringLiteral("too many");
}

QString TooLargeText(const CNacreformDoc& doc, double scale)
{
    const SCanvasLayout layout = doc.Renderer ? doc.Renderer->GetCanvasLayout(doc) : SCanvasLayout();
    return QStringLiteral("cannot allocate a bitmap of %1 x %2 pixels for this design at %3x "
                          "(at most %4 pixels a side and %5 in all); it comes from "
                          "ShapeSize=%6,%7, Margin=%8 and ShapeShadowPos=%9,%10")
        .arg(SideText(std::round(double(layout.width) * scale)), SideText(std::round(double(layout.height) * scale)),
             ScaleText(scale))
        .arg(CRender::kMaxCanvasSide)
        .arg(CRender::kMaxCanvasPixels)
        .arg(doc.ShapeSize.cx)
        .arg(doc.ShapeSize.cy)
        .arg(doc.Margin)
        .arg(double(doc.ShapeShadowPos.x))
        .arg(double(doc.ShapeShadowPos.y));
}

// The whole of bytes to path, or to standard output for "-".
bool WriteExport(const QString& path, const QByteArray& bytes, QString* why)
{
    if (path != kStandardOutput)
        return WriteFileAtomically(path, bytes, why);
    const size_t size = size_t(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stdout) == size && std::fflush(stdout) == 0)
        return true;
    *why = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool ExportImage(CNacreformDoc& doc, const SExportRequest& request)
{
    RefreshPictureCache(doc);
    QString why;
    QByteArray bytes;
    if (IsScalableImageFormat(request.format)) {
        bytes = EncodeImageFile(doc, {EButtonState::Normal}, 1, request.format, &why);
    } else {
        const QImage rendered = RenderButtonState(doc, EButtonState::Normal, request.scale);
        if (rendered.isNull()) {
            PrintError(TooLargeText(doc, request.scale));
            return false;
        }
        bytes = EncodeRasterImage(ComposeExportImage(doc, rendered), request.format, doc.BGColor);
        why = NotEncodedText(request.format);
    }
    const QString target = request.exportPath == kStandardOutput ? QStringLiteral("standard output")
                                                                 : request.exportPath;
    if (bytes.isEmpty() || !WriteExport(request.exportPath, bytes, &why)) {
        PrintError(QStringLiteral("cannot write the %1 file %2: %3")
                       .arg(ImageFormatTitle(request.format), target, why));
        return false;
    }
    return true;
}

bool ReadBatchFile(const QString& path, QByteArray& text)
{
    const QFileInfo info(path);
    QFile file(path);
    QString why;
    if (!info.isFile() || info.size() > kMaxBatchFileSize)
        why = info.exists() ? QStringLiteral("not a regular file of at most 64 MiB") : QStringLiteral("no such file");
    else if (!file.open(QIODevice::ReadOnly))
        why = file.errorString();
    else if (text = file.readAll(); file.error() == QFileDevice::NoError)
        return true;
    else
        why = file.errorString();
    PrintError(QStringLiteral("cannot read the batch file %1: %2").arg(path, why));
    return false;
}

// Whether the files written are listed: on a terminal, or when asked.
bool ListsWrittenFiles(const QCommandLineParser& parser)
{
    return parser.isSet(kVerbose) || isatty(STDERR_FILENO);
}

void PrintWritten(const QStringList& paths)
{
    for (const QString& path : paths)
        std::fprintf(stderr, "nacreform: wrote %s\n", path.toUtf8().constData());
}

// Prints a batch's failures as they happen, and on a terminal counts rows
// on a line of its own that the other lines clear first; a log gets no
// count.
class CBatchPrinter : public IBatchEvents
{
public:
    explicit CBatchPrinter(bool listWritten) : m_terminal(isatty(STDERR_FILENO)), m_listWritten(listWritten) {}

    void RowFailed(int line, const QString& why) override
    {
        ClearCount();
        PrintError(QStringLiteral("row ") + QString::number(line) + QStringLiteral(": ") + why);
    }
    void RowWritten(const QStringList& paths) override
    {
        if (!m_listWritten)
            return;
        ClearCount();
        PrintWritten(paths);
    }
    void RowCutOff(int line, const QString& name, const QString& what) override
    {
        ClearCount();
        PrintError(QStringLiteral("warning: row ") + QString::number(line) + QStringLiteral(" (") + name
                   + QStringLiteral("): ") + what);
    }
    void RowsDone(int done, int total) override
    {
        if (!m_terminal)
            return;
        std::fprintf(stderr, "\rrow %d of %d", done, total);
        if (done == total)
            std::fputc('\n', stderr);
        std::fflush(stderr);
    }

private:
    void ClearCount() const
    {
        if (m_terminal)
            std::fputs("\r\x1b[K", stderr);
    }

    const bool m_terminal;
    const bool m_listWritten;
};

int RunBatchOption(const SExportRequest& request, CNacreformDoc& doc)
{
    QByteArray text;
    if (!ReadBatchFile(request.batchFile, text))
        return kExitFailed;
    RefreshPictureCache(doc);
    SBatchOptions options;
    options.scale = request.scale;
    options.format = request.format;
    options.set = request.set;
    options.folder = request.folder;
    options.fit = request.batchFit;
    options.inputs = request.inputs;
    CBatchPrinter printer(request.listWritten);
    const SBatchReport report = RunBatch(doc, text, options, printer);
    if (!report.refused.isEmpty()) {
        PrintError(QStringLiteral("the batch file ") + request.batchFile
                   + QStringLiteral(" is refused, nothing is written: ") + report.refused);
        return kExitFailed;
    }
    if (report.failedRows == 0)
        return 0;
    PrintError(QString::number(report.failedRows) + QStringLiteral(" of ") + QString::number(report.rows)
               + QStringLiteral(" rows failed"));
    return kExitFailed;
}

} // namespace

bool HasExportOptions(const QCommandLineParser& parser)
{
    for (const QString& option : {kExport, kFormat, kScale, kExportSet, kScales, kStates, kFormats, kName, kPattern,
                                  kSprite, kBatch, kVerbose}) {
        if (parser.isSet(option))
            return true;
    }
    return false;
}

bool ReadExportOptions(const QCommandLineParser& parser, SExportRequest& request)
{
    if (const QString problem = UsageProblem(parser); !problem.isEmpty()) {
        PrintError(problem);
        return false;
    }
    if (parser.isSet(kScale) && !ReadScale(kScale, parser.value(kScale), request.scale))
        return false;
    if (!ReadSingleFormat(parser, request.format))
        return false;
    if (parser.isSet(kExportSet)) {
        request.set.emplace();
        if (!ReadSetOptions(parser, *request.set))
            return false;
    }
    request.exportPath = parser.value(kExport);
    request.folder = parser.isSet(kExportSet) ? parser.value(kExportSet) : QStringLiteral(".");
    request.batchFile = parser.value(kBatch);
    request.inputs = parser.positionalArguments();
    if (!request.batchFile.isEmpty())
        request.inputs.append(request.batchFile);
    request.listWritten = ListsWrittenFiles(parser);
    return true;
}

int RunExportOptions(const SExportRequest& request, CNacreformDoc& doc)
{
    if ((request.set || !request.batchFile.isEmpty()) && !QDir().mkpath(request.folder)) {
        PrintError(QStringLiteral("cannot make the folder %1").arg(request.folder));
        return kExitFailed;
    }
    if (!request.batchFile.isEmpty())
        return RunBatchOption(request, doc);
    int exitCode = 0;
    if (!request.exportPath.isEmpty() && !ExportImage(doc, request))
        exitCode = kExitFailed;
    if (request.set) {
        const SFileSetOutcome outcome = WriteImageSet(doc, *request.set, request.folder, request.inputs);
        for (const QString& failure : outcome.failures)
            PrintError(failure);
        if (!outcome.failures.isEmpty()) {
            PrintError(QStringLiteral("the set is not written; files that were there are kept as they were"));
            exitCode = kExitFailed;
        } else if (request.listWritten) {
            PrintWritten(outcome.written);
        }
    }
    return exitCode;
}

#include "cli/ExportCommandLine.h"

#include "design/NacreformDoc.h"
#include "export/CsvBatch.h"
#include "export/FileNamePattern.h"
#include "export/ImageSet.h"
#include "render/PictureLayer.h"
#include "util/AtomicFileWrite.h"
#include "util/QuotedValue.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
// A batch file larger than this is refused rather than read into memory.
constexpr qint64 kMaxBatchFileSize = 64 * 1024 * 1024;

const QString kScale = QStringLiteral("scale");
const QString kExportSet = QStringLiteral("export-set");
const QString kScales = QStringLiteral("scales");
const QString kStates = QStringLiteral("states");
const QString kName = QStringLiteral("name");
const QString kPattern = QStringLiteral("pattern");
const QString kSprite = QStringLiteral("sprite");
const QString kBatch = QStringLiteral("batch");
const QString kVerbose = QStringLiteral("verbose");

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

QString NoScaleText(const QString& option, const QString& text)
{
    return QStringLiteral("--%1: %2 is no scale from %3 to %4")
        .arg(option, QuotedValue(text), QString::number(kMinExportScale), QString::number(kMaxExportScale));
}

// The set's options from the command line; false (printed) when one is
// unusable.
bool ReadSetOptions(const QCommandLineParser& parser, SImageSetOptions& set)
{
    if (parser.isSet(kScales)) {
        set.scales.clear();
        for (const QString& text : parser.value(kScales).split(QLatin1Char(','))) {
            double scale = 0;
            if (!ParseScale(text, scale)) {
                PrintError(NoScaleText(kScales, text));
                return false;
            }
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
    const QStringList designs = parser.positionalArguments();
    set.name = parser.isSet(kName)       ? parser.value(kName)
               : designs.isEmpty()       ? QStringLiteral("button")
                                         : QFileInfo(designs.front()).completeBaseName();
    set.pattern = parser.value(kPattern);
    set.sprite = parser.isSet(kSprite);
    return true;
}

QString UsageProblem(const QCommandLineParser& parser)
{
    const bool set = parser.isSet(kExportSet);
    for (const QString& option : {kScales, kStates, kName, kPattern, kSprite}) {
        if (parser.isSet(option) && !set)
            return QStringLiteral("--%1 needs --export-set").arg(option);
    }
    if (parser.isSet(kScale) && set)
        return QStringLiteral("--scale is for a single image; a set takes --scales");
    if (parser.isSet(kScale) && !parser.isSet(QStringLiteral("export")) && !parser.isSet(kBatch))
        return QStringLiteral("--scale needs --export or --batch");
    if (parser.isSet(kBatch) && parser.isSet(QStringLiteral("export")))
        return QStringLiteral("--batch names its images by its rows; it takes no --export");
    if (parser.isSet(kVerbose) && !set && !parser.isSet(kBatch))
        return QStringLiteral("--verbose lists the files of --export-set and --batch");
    return {};
}

bool ExportScaled(CNacreformDoc& doc, const QString& path, double scale)
{
    RefreshPictureCache(doc);
    const QImage rendered = RenderButtonState(doc, EButtonState::Normal, scale);
    if (rendered.isNull()) {
        PrintError(QStringLiteral("cannot allocate the bitmap of this design at %1x (too large)").arg(ScaleText(scale)));
        return false;
    }
    QString why;
    if (!WriteFileAtomically(path, EncodePng(ComposeExportImage(doc, rendered)), &why)) {
        PrintError(QStringLiteral("cannot write the PNG file %1: %2").arg(path, why));
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

int RunBatchOption(const QCommandLineParser& parser, CNacreformDoc& doc, SBatchOptions options)
{
    QByteArray text;
    if (!ReadBatchFile(parser.value(kBatch), text))
        return kExitFailed;
    options.inputs = parser.positionalArguments() + QStringList{parser.value(kBatch)};
    RefreshPictureCache(doc);
    CBatchPrinter printer(ListsWrittenFiles(parser));
    const SBatchReport report = RunBatch(doc, text, options, printer);
    if (!report.refused.isEmpty()) {
        PrintError(QStringLiteral("the batch file ") + parser.value(kBatch) + QStringLiteral(" is refused, nothing is written: ")
                   + report.refused);
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
    for (const QString& option : {kScale, kExportSet, kScales, kStates, kName, kPattern, kSprite, kBatch, kVerbose}) {
        if (parser.isSet(option))
            return true;
    }
    return false;
}

int RunExportOptions(const QCommandLineParser& parser, CNacreformDoc& doc, const std::optional<SFitRequest>& batchFit)
{
    if (const QString problem = UsageProblem(parser); !problem.isEmpty()) {
        PrintError(problem);
        return kExitUsage;
    }
    double scale = 1;
    if (parser.isSet(kScale) && !ParseScale(parser.value(kScale), scale)) {
        PrintError(NoScaleText(kScale, parser.value(kScale)));
        return kExitUsage;
    }
    SImageSetOptions set;
    if (!ReadSetOptions(parser, set))
        return kExitUsage;
    QString why;
    if (parser.isSet(kExportSet) && PlanImageSet(set, &why).isEmpty()) {
        PrintError(why);
        return kExitUsage;
    }

    const QString folder = parser.isSet(kExportSet) ? parser.value(kExportSet) : QStringLiteral(".");
    if (!QDir().mkpath(folder)) {
        PrintError(QStringLiteral("cannot make the folder ") + folder);
        return kExitFailed;
    }
    if (parser.isSet(kBatch)) {
        SBatchOptions options;
        options.scale = scale;
        options.folder = folder;
        options.fit = batchFit;
        if (parser.isSet(kExportSet))
            options.set = set;
        return RunBatchOption(parser, doc, options);
    }
    int exitCode = 0;
    const QString exportPath = parser.value(QStringLiteral("export"));
    if (!exportPath.isEmpty() && !ExportScaled(doc, exportPath, scale))
        exitCode = kExitFailed;
    if (parser.isSet(kExportSet)) {
        const SFileSetOutcome outcome = WriteImageSet(doc, set, folder, parser.positionalArguments());
        for (const QString& failure : outcome.failures)
            PrintError(failure);
        if (!outcome.failures.isEmpty()) {
            PrintError(QStringLiteral("the set is not written; files that were there are kept as they were"));
            exitCode = kExitFailed;
        } else if (ListsWrittenFiles(parser)) {
            PrintWritten(outcome.written);
        }
    }
    return exitCode;
}

#include "cli/ExportCommandLine.h"

#include "design/NacreformDoc.h"
#include "export/CsvBatch.h"
#include "export/FileNamePattern.h"
#include "export/ImageSet.h"
#include "render/PictureLayer.h"
#include "util/AtomicFileWrite.h"

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

// The set's options from the command line; false (printed) when one is
// unusable.
bool ReadSetOptions(const QCommandLineParser& parser, SImageSetOptions& set)
{
    if (parser.isSet(kScales)) {
        set.scales.clear();
        for (const QString& text : parser.value(kScales).split(QLatin1Char(','))) {
            double scale = 0;
            if (!ParseScale(text, scale)) {
                PrintError(QStringLiteral("--scales: \"%1\" is no scale from %2 to %3")
                               .arg(text)
                               .arg(kMinExportScale)
                               .arg(kMaxExportScale));
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
                PrintError(QStringLiteral("--states: \"%1\" is none of normal, hover, pressed, disabled").arg(text));
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

bool ReadBatchFile(const QString& path, QList<SCsvRecord>& records)
{
    const QFileInfo info(path);
    QFile file(path);
    QString why;
    if (!info.isFile() || info.size() > kMaxBatchFileSize)
        why = info.exists() ? QStringLiteral("not a regular file of at most 64 MiB") : QStringLiteral("no such file");
    else if (!file.open(QIODevice::ReadOnly))
        why = file.errorString();
    else if (ReadCsv(file.readAll(), records, &why))
        return true;
    PrintError(QStringLiteral("cannot read the batch file %1: %2").arg(path, why));
    return false;
}

// Counts rows on one line of a terminal; a log gets nothing.
void ShowProgress(int done, int total)
{
    std::fprintf(stderr, "\rrow %d of %d", done, total);
    if (done == total)
        std::fputc('\n', stderr);
    std::fflush(stderr);
}

int RunBatchOption(const QCommandLineParser& parser, CNacreformDoc& doc, const SBatchOptions& options)
{
    QList<SCsvRecord> records;
    if (!ReadBatchFile(parser.value(kBatch), records))
        return kExitFailed;
    RefreshPictureCache(doc);
    const SBatchReport report =
        RunBatch(doc, records, options, isatty(STDERR_FILENO) ? ShowProgress : std::function<void(int, int)>());
    for (const QString& failure : report.failures)
        PrintError(failure);
    return report.failures.isEmpty() ? 0 : kExitFailed;
}

} // namespace

bool HasExportOptions(const QCommandLineParser& parser)
{
    for (const QString& option : {kScale, kExportSet, kScales, kStates, kName, kPattern, kSprite, kBatch}) {
        if (parser.isSet(option))
            return true;
    }
    return false;
}

int RunExportOptions(const QCommandLineParser& parser, CNacreformDoc& doc)
{
    if (const QString problem = UsageProblem(parser); !problem.isEmpty()) {
        PrintError(problem);
        return kExitUsage;
    }
    double scale = 1;
    if (parser.isSet(kScale) && !ParseScale(parser.value(kScale), scale)) {
        PrintError(QStringLiteral("--scale: \"%1\" is no scale from %2 to %3")
                       .arg(parser.value(kScale))
                       .arg(kMinExportScale)
                       .arg(kMaxExportScale));
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
        PrintError(QStringLiteral("cannot make the folder %1").arg(folder));
        return kExitFailed;
    }
    if (parser.isSet(kBatch)) {
        SBatchOptions options{scale, std::nullopt, folder};
        if (parser.isSet(kExportSet))
            options.set = set;
        return RunBatchOption(parser, doc, options);
    }
    int exitCode = 0;
    const QString exportPath = parser.value(QStringLiteral("export"));
    if (!exportPath.isEmpty() && !ExportScaled(doc, exportPath, scale))
        exitCode = kExitFailed;
    if (parser.isSet(kExportSet)) {
        for (const QString& failure : WriteImageSet(doc, set, folder)) {
            PrintError(failure);
            exitCode = kExitFailed;
        }
    }
    return exitCode;
}

#include "export/ImageSet.h"

#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"
#include "export/ImageFileEncoder.h"
#include "export/OutputFolder.h"
#include "export/SpriteDemoPage.h"
#include "export/SpriteSheet.h"
#include "render/PictureLayer.h"
#include "util/AtomicFileWrite.h"
#include "util/QuotedValue.h"

#include <QDir>
#include <QSet>

namespace {

// One file of a set: a single image (one state) or a sprite sheet.
struct SSetFile
{
    QString fileName;
    QList<EButtonState> states;
    double scale = 1;
    EImageFormat format = EImageFormat::Png;
};

QString PatternOf(const SImageSetOptions& options)
{
    return options.pattern.isEmpty() ? kDefaultFileNamePattern : options.pattern;
}

QString CssFileName(const SImageSetOptions& options)
{
    return options.name + QStringLiteral(".css");
}

QString DemoPageFileName(const SImageSetOptions& options)
{
    return options.name + QStringLiteral(".html");
}

// The formats chosen, else the pattern's; empty when the pattern names none.
QList<EImageFormat> FormatsOf(const SImageSetOptions& options)
{
    if (!options.formats.isEmpty())
        return options.formats;
    const auto format = ImageFormatOfPath(PatternOf(options));
    return format ? QList<EImageFormat>{*format} : QList<EImageFormat>();
}

// The format the style sheet shows: the first raster one.
std::optional<EImageFormat> SheetFormat(const SImageSetOptions& options)
{
    for (EImageFormat format : FormatsOf(options)) {
        if (!IsScalableImageFormat(format))
            return format;
    }
    return std::nullopt;
}

// The image files of the set, unchecked.
QList<SSetFile> SetFiles(const SImageSetOptions& options)
{
    QList<SSetFile> files;
    for (EImageFormat format : FormatsOf(options)) {
        const QString pattern =
            options.formats.isEmpty() ? PatternOf(options) : WithImageFormatSuffix(PatternOf(options), format);
        if (IsScalableImageFormat(format)) {
            for (EButtonState state : options.states)
                files.append({FormatScalelessFileName(pattern, options.name, state), {state}, 1, format});
            continue;
        }
        for (double scale : options.scales) {
            if (options.sprite) {
                files.append({FormatSpriteFileName(pattern, options.name, scale), options.states, scale, format});
                continue;
            }
            for (EButtonState state : options.states)
                files.append({FormatFileName(pattern, options.name, state, scale), {state}, scale, format});
        }
    }
    return files;
}

QString CheckOptions(const SImageSetOptions& options)
{
    if (QString why; !IsUsableName(options.name, &why))
        return why;
    if (options.scales.isEmpty())
        return QStringLiteral("no scale is chosen");
    if (options.states.isEmpty())
        return QStringLiteral("no state is chosen");
    for (double scale : options.scales) {
        if (!(scale >= kMinExportScale && scale <= kMaxExportScale))
            return QStringLiteral("scale %1 is outside %2 ... %3")
                .arg(scale)
                .arg(kMinExportScale)
                .arg(kMaxExportScale);
    }
    if (FormatsOf(options).isEmpty())
        return QStringLiteral("the pattern's extension names none of the formats %1; choose one").arg(ImageFormatList());
    if (options.sprite && !SheetFormat(options))
        return QStringLiteral("sprite sheets need a raster format (png, jpeg or webp)");
    return {};
}


} // namespace

const QList<double>& OfferedExportScales()
{
    static const QList<double> scales = {1, 1.5, 2, 3, 4};
    return scales;
}

QStringList PlanImageSet(const SImageSetOptions& options, QString* why)
{
    QString problem = CheckOptions(options);
    QStringList names;
    for (const SSetFile& file : SetFiles(options))
        names.append(file.fileName);
    if (options.sprite)
        names << CssFileName(options) << DemoPageFileName(options);
    QSet<QString> seen;
    for (const QString& name : std::as_const(names)) {
        if (!problem.isEmpty())
            break;
        if (IsPlainFileName(name, &problem) && seen.contains(name))
            problem = QStringLiteral("two files would be named ") + QuotedValue(name)
                      + QStringLiteral("; the pattern needs {state} and {scale} "
                                       "(or their - and @ forms) for several states and scales");
        seen.insert(name);
    }
    if (why)
        *why = problem;
    return problem.isEmpty() ? names : QStringList();
}

QList<SPlannedFile> ImageSetFiles(const CNacreformDoc& design, const SImageSetOptions& options,
                                  const QString& folder)
{
    QList<SPlannedFile> planned;
    QList<SSpriteSheetFile> sheets;
    const std::optional<EImageFormat> sheetFormat = SheetFormat(options);
    for (const SSetFile& file : SetFiles(options)) {
        planned.append({QDir(folder).filePath(file.fileName), [&design, file](QString* why) {
                             return EncodeImageFile(design, file.states, file.scale, file.format, why);
                         }});
        if (file.format == sheetFormat)
            sheets.append({file.fileName, file.scale});
    }
    if (options.sprite) {
        const QString cssName = CssFileName(options);
        planned.append({QDir(folder).filePath(cssName),
                        [&design, name = options.name, states = options.states, sheets](QString*) {
                            return SpriteSheetCss(name, states, CanvasSize(design), sheets).toUtf8();
                        }});
        planned.append({QDir(folder).filePath(DemoPageFileName(options)),
                        [&design, name = options.name, cssName, states = options.states, sheets](QString*) {
                            return SpriteDemoPage(name, cssName, states, CanvasSize(design), sheets).toUtf8();
                        }});
    }
    return planned;
}

SFileSetOutcome WriteImageSet(CNacreformDoc& design, const SImageSetOptions& options, const QString& folder,
                              const QStringList& inputs)
{
    QString why;
    const QStringList names = PlanImageSet(options, &why);
    if (names.isEmpty())
        return {{}, {why}};
    COutputFolder output(folder, inputs + QStringList{design.GetPathName(), design.ImagePath});
    for (const QString& name : names) {
        if (const QString refused = output.Claim(name, 0); !refused.isEmpty())
            return {{}, {refused}};
    }
    RemoveStaleTemporaries(folder);
    RefreshPictureCache(design);
    return WriteFileSet(ImageSetFiles(design, options, folder), ESetThreads::EveryCore);
}

#include "export/ImageSet.h"

#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"
#include "export/OutputFolder.h"
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
};

QString PatternOf(const SImageSetOptions& options)
{
    return options.pattern.isEmpty() ? kDefaultFileNamePattern : options.pattern;
}

QString CssFileName(const SImageSetOptions& options)
{
    return options.name + QStringLiteral(".css");
}

// The image files of the set, unchecked.
QList<SSetFile> SetFiles(const SImageSetOptions& options)
{
    QList<SSetFile> files;
    for (double scale : options.scales) {
        if (options.sprite) {
            files.append({FormatSpriteFileName(PatternOf(options), options.name, scale), options.states, scale});
            continue;
        }
        for (EButtonState state : options.states)
            files.append({FormatFileName(PatternOf(options), options.name, state, scale), {state}, scale});
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
    return {};
}

// Renders one file of the set: its PNG bytes, or none and why.
QByteArray RenderSetFile(const CNacreformDoc& design, const SSetFile& file, QString* why)
{
    QList<QImage> images;
    for (EButtonState state : file.states) {
        const QImage rendered = RenderButtonState(design, state, file.scale);
        QImage image = rendered.isNull() ? QImage() : ComposeExportImage(design, rendered);
        if (image.isNull()) {
            *why = QStringLiteral("the %1 image at %2x cannot be allocated (too large)")
                       .arg(ButtonStateName(state), ScaleText(file.scale));
            return {};
        }
        images.append(image);
    }
    const QImage image = images.size() == 1 ? images.front() : StackSpriteSheet(images);
    const QByteArray png = EncodePng(image);
    if (png.isEmpty())
        *why = QStringLiteral("the image cannot be encoded as PNG");
    return png;
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
        names.append(CssFileName(options));
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
    for (const SSetFile& file : SetFiles(options)) {
        planned.append({QDir(folder).filePath(file.fileName),
                        [&design, file](QString* why) { return RenderSetFile(design, file, why); }});
        sheets.append({file.fileName, file.scale});
    }
    if (options.sprite) {
        planned.append({QDir(folder).filePath(CssFileName(options)),
                        [&design, name = options.name, states = options.states, sheets](QString*) {
                            return SpriteSheetCss(name, states, CanvasSize(design), sheets).toUtf8();
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

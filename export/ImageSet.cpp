#include "export/ImageSet.h"

#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"
#include "export/SpriteSheet.h"
#include "render/PictureLayer.h"
#include "util/AtomicFileWrite.h"

#include <QDir>
#include <QSet>
#include <QtConcurrent/QtConcurrentMap>

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

// Renders and writes one file; the failure, or an empty text.
QString WriteSetFile(const CNacreformDoc& design, const SSetFile& file, const QString& folder)
{
    QList<QImage> images;
    for (EButtonState state : file.states) {
        const QImage rendered = RenderButtonState(design, state, file.scale);
        QImage image = rendered.isNull() ? QImage() : ComposeExportImage(design, rendered);
        if (image.isNull())
            return QStringLiteral("the %1 image at %2x cannot be allocated (too large)")
                .arg(ButtonStateName(state), ScaleText(file.scale));
        images.append(image);
    }
    const QImage image = images.size() == 1 ? images.front() : StackSpriteSheet(images);
    const QByteArray png = EncodePng(image);
    if (png.isEmpty())
        return QStringLiteral("the image cannot be encoded as PNG");
    QString why;
    if (!WriteFileAtomically(QDir(folder).filePath(file.fileName), png, &why))
        return why;
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
        names.append(CssFileName(options));
    QSet<QString> seen;
    for (const QString& name : std::as_const(names)) {
        if (!problem.isEmpty())
            break;
        if (IsPlainFileName(name, &problem) && seen.contains(name))
            problem = QStringLiteral("two files would be named \"%1\"; the pattern needs {state} and {scale} "
                                     "(or their - and @ forms) for several states and scales")
                          .arg(name);
        seen.insert(name);
    }
    if (why)
        *why = problem;
    return problem.isEmpty() ? names : QStringList();
}

QStringList WriteImageSet(CNacreformDoc& design, const SImageSetOptions& options, const QString& folder,
                          ESetThreads threads)
{
    QString why;
    if (PlanImageSet(options, &why).isEmpty())
        return {why};
    RefreshPictureCache(design);
    const CNacreformDoc& source = design;
    const QList<SSetFile> files = SetFiles(options);
    const auto write = [&source, &folder](const SSetFile& file) { return WriteSetFile(source, file, folder); };
    QStringList results;
    if (threads == ESetThreads::EveryCore) {
        results = QtConcurrent::blockingMapped<QStringList>(files, write);
    } else {
        for (const SSetFile& file : files)
            results.append(write(file));
    }

    QStringList failures;
    QList<SSpriteSheetFile> sheets;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!results[i].isEmpty())
            failures.append(QStringLiteral("%1: %2").arg(files[i].fileName, results[i]));
        else
            sheets.append({files[i].fileName, files[i].scale});
    }
    if (options.sprite && failures.isEmpty()) {
        const QString css = SpriteSheetCss(options.name, options.states, CanvasSize(design), sheets);
        if (!WriteFileAtomically(QDir(folder).filePath(CssFileName(options)), css.toUtf8(), &why))
            failures.append(QStringLiteral("%1: %2").arg(CssFileName(options), why));
    }
    return failures;
}

#include "export/ImageSet.h"

#include "design/NacreformDoc.h"
#include "export/FileNamePattern.h"
#include "export/ImageFileEncoder.h"
#include "export/SpriteDemoPage.h"
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

// Renders and writes one file; the failure, or an empty text.
QString WriteSetFile(const CNacreformDoc& design, const SSetFile& file, const QString& folder)
{
    QString why;
    const QByteArray bytes = EncodeImageFile(design, file.states, file.scale, file.format, &why);
    if (bytes.isEmpty() || !WriteFileAtomically(QDir(folder).filePath(file.fileName), bytes, &why))
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
        names << CssFileName(options) << DemoPageFileName(options);
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
        else if (files[i].format == SheetFormat(options))
            sheets.append({files[i].fileName, files[i].scale});
    }
    if (options.sprite && failures.isEmpty()) {
        const QSize cell = CanvasSize(design);
        const QString css = SpriteSheetCss(options.name, options.states, cell, sheets);
        const QString page = SpriteDemoPage(options.name, CssFileName(options), options.states, cell, sheets);
        for (const auto& [name, text] : {std::pair(CssFileName(options), css), std::pair(DemoPageFileName(options), page)}) {
            if (!WriteFileAtomically(QDir(folder).filePath(name), text.toUtf8(), &why))
                failures.append(QStringLiteral("%1: %2").arg(name, why));
        }
    }
    return failures;
}

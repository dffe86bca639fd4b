#include "server/ButtonRequest.h"

#include "design/NacreformDoc.h"
#include "design/PresetLibrary.h"
#include "export/DesignValueInput.h"
#include "render/CaptionFit.h"
#include "render/Render.h"
#include "util/QuotedValue.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringDecoder>

#include <cmath>

namespace {

const QString kImagePath = QStringLiteral("ImagePath");

// When a parameter is read: those of Start give the design the keys are
// applied to, those of Finish see the whole design.
enum class EStage { Start, Design, Finish };

// A parameter of the URL that is not a design key.
struct SRequestParameter
{
    const char* name;
    EStage stage;
    bool (*read)(const QString& value, SButtonRequest& request, QString* why);
};

bool ReadScale(const QString& value, SButtonRequest& request, QString* why)
{
    bool ok = false;
    request.scale = value.trimmed().toDouble(&ok);
    if (ok && request.scale >= kMinExportScale && request.scale <= kMaxExportScale)
        return true;
    *why = QStringLiteral("scale: \"%1\" is no scale from %2 to %3").arg(value).arg(kMinExportScale).arg(kMaxExportScale);
    return false;
}

bool ReadState(const QString& value, SButtonRequest& request, QString* why)
{
    const auto state = ParseButtonState(value);
    if (state) {
        request.state = *state;
        return true;
    }
    *why = QStringLiteral("state: \"%1\" is none of normal, hover, pressed, disabled").arg(value);
    return false;
}

bool ReadPreset(const QString& value, SButtonRequest& request, QString* why)
{
    const std::optional<CDesignValues> values = LoadPreset(value.trimmed());
    if (values) {
        request.design->ApplyValues(*values);
        return true;
    }
    QStringList names;
    for (const SPreset& preset : BuiltInPresets())
        names.append(preset.name);
    *why = QStringLiteral("preset=%1: no such preset; there are %2").arg(value, names.join(QStringLiteral(", ")));
    return false;
}

// fit (or fit=) with the default padding, fit=PADX[,PADY] with its own.
bool ReadFit(const QString& value, SButtonRequest& request, QString* why)
{
    std::optional<SFitPadding> padding;
    if (!value.trimmed().isEmpty() && !(padding = ParseFitPadding(value, why))) {
        *why = QStringLiteral("fit=%1: %2").arg(value, *why);
        return false;
    }
    if (FitShapeToCaption(*request.design, padding, why))
        return true;
    *why = QStringLiteral("fit: ") + *why;
    return false;
}

constexpr SRequestParameter kParameters[] = {
    {"preset", EStage::Start, ReadPreset},
    {"fit", EStage::Finish, ReadFit},
    {"scale", EStage::Finish, ReadScale},
    {"state", EStage::Finish, ReadState},
};

const SRequestParameter* FindParameter(const QString& name)
{
    for (const SRequestParameter& parameter : kParameters) {
        if (name.compare(QLatin1String(parameter.name), Qt::CaseInsensitive) == 0)
            return &parameter;
    }
    return nullptr;
}

// A picture is a file directly inside the picture folder, by its name
// alone; a symbolic link must stay inside the folder too.
bool ResolvePicture(const QString& name, const SRequestLimits& limits, SButtonRequest& request, QString* why)
{
    if (name.isEmpty())
        return true;
    if (limits.pictureDir.isEmpty()) {
        *why = QStringLiteral("ImagePath: this server takes no pictures");
        return false;
    }
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == QLatin1String(".")
        || name == QLatin1String("..")) {
        *why = QStringLiteral("ImagePath=%1: expected the name of a file in the server's picture folder").arg(name);
        return false;
    }
    const QString folder = QFileInfo(limits.pictureDir).canonicalFilePath();
    const QFileInfo file(QDir(folder).filePath(name));
    const QFileInfo target(file.canonicalFilePath());
    if (folder.isEmpty() || !target.isFile() || target.absolutePath() != folder) {
        *why = QStringLiteral("ImagePath=%1: no such picture").arg(name);
        return false;
    }
    request.picturePath = target.filePath();
    request.pictureStamp = QByteArray::number(target.size()) + '-'
                           + QByteArray::number(target.lastModified().toMSecsSinceEpoch());
    return true;
}

bool CheckCanvas(const SButtonRequest& request, QString* why)
{
    const QSize size = CanvasSize(*request.design);
    const qint64 width = size.isEmpty() ? 0 : qint64(std::lround(request.scale * size.width()));
    const qint64 height = size.isEmpty() ? 0 : qint64(std::lround(request.scale * size.height()));
    if (width > 0 && height > 0 && width * height <= SRequestLimits::kMaxPixels)
        return true;
    *why = size.isEmpty()
               ? QStringLiteral("cannot allocate the bitmap of this design (too large)")
               : QStringLiteral("cannot allocate the bitmap of this design at %1x (too large): %2 x %3 pixels, "
                                "more than %4 in all")
                     .arg(request.scale)
                     .arg(width)
                     .arg(height)
                     .arg(SRequestLimits::kMaxPixels);
    return false;
}

} // namespace

bool DecodeQuery(const QByteArray& raw, QList<QueryItem>& items)
{
    for (const QByteArray& part : raw.split('&')) {
        if (part.isEmpty())
            continue;
        const qsizetype equals = part.indexOf('=');
        QString decoded[2];
        const QByteArray halves[2] = {equals < 0 ? part : part.left(equals),
                                      equals < 0 ? QByteArray() : part.mid(equals + 1)};
        for (int i = 0; i < 2; ++i) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            decoded[i] = utf8(QByteArray::fromPercentEncoding(QByteArray(halves[i]).replace('+', ' ')));
            if (utf8.hasError())
                return false;
        }
        items.append({decoded[0], decoded[1]});
    }
    return true;
}

bool ReadButtonRequest(const QList<QueryItem>& query, const SRequestLimits& limits, SButtonRequest& request,
                       QString* why)
{
    QString reason;
    QSet<QString> seen;
    for (const auto& [name, value] : query) {
        const QString key = FindParameter(name) ? name.toLower() : FindDesignKey(name);
        if (key.isEmpty()) {
            reason = QuotedValue(name) + QStringLiteral(" is no design key");
            break;
        }
        if (seen.contains(key)) {
            reason = QStringLiteral("%1 is given twice").arg(key);
            break;
        }
        seen.insert(key);
    }
    request.design = std::make_shared<CNacreformDoc>();
    for (const EStage stage : {EStage::Start, EStage::Design, EStage::Finish}) {
        for (const auto& [name, value] : query) {
            const SRequestParameter* parameter = FindParameter(name);
            if (!reason.isEmpty() || (parameter ? parameter->stage : EStage::Design) != stage)
                continue;
            const QString key = FindDesignKey(name);
            if (parameter)
                parameter->read(value, request, &reason);
            else if (key == QLatin1String("String") && value.size() > SRequestLimits::kMaxStringLength)
                reason = QStringLiteral("String: at most %1 characters").arg(SRequestLimits::kMaxStringLength);
            else if (key != kImagePath || ResolvePicture(value, limits, request, &reason))
                ApplyDesignValue(*request.design, key, value, &reason);
        }
    }
    if (reason.isEmpty())
        CheckCanvas(request, &reason);
    if (!reason.isEmpty()) {
        if (why)
            *why = reason;
        return false;
    }
    request.designText = request.design->DesignFileText();
    return true;
}

#include "server/OutputFormats.h"

#include "design/NacreformDoc.h"
#include "export/ImageFileEncoder.h"
#include "render/ImageFiles.h"
#include "server/ButtonRequest.h"

namespace {

// The file the command line's --export writes for the request in format:
// the request's design with its picture, in its state and at its scale.
template <EImageFormat format>
bool EncodeImageFormat(const SButtonRequest& request, QByteArray& bytes, QString* why)
{
    CNacreformDoc design;
    design.CopyDesignFrom(*request.design);
    if (!request.picturePath.isEmpty()) {
        design.CachedImagePath = design.ImagePath;
        if (!LoadPicture(request.picturePath, design.CachedImage)) {
            *why = QStringLiteral("ImagePath=%1: the picture cannot be read").arg(design.ImagePath);
            return false;
        }
    }
    bytes = EncodeImageFile(design, {request.state}, request.scale, format, why);
    return !bytes.isEmpty();
}

bool EncodeDesignFile(const SButtonRequest& request, QByteArray& bytes, QString*)
{
    bytes = request.designText;
    return true;
}

constexpr SOutputFormat kFormats[] = {
    {"png", "image/png", true, EncodeImageFormat<EImageFormat::Png>},
    {"svg", "image/svg+xml", true, EncodeImageFormat<EImageFormat::Svg>},
    {"webp", "image/webp", true, EncodeImageFormat<EImageFormat::Webp>},
    {"jpg", "image/jpeg", true, EncodeImageFormat<EImageFormat::Jpeg>},
    {"nfd", "application/x-nacreform-design", false, EncodeDesignFile},
};

} // namespace

const SOutputFormat* FindOutputFormat(QStringView extension)
{
    for (const SOutputFormat& format : kFormats) {
        if (extension == QLatin1String(format.extension))
            return &format;
    }
    return nullptr;
}

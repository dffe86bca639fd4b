#include "server/OutputFormats.h"

#include "design/NacreformDoc.h"
#include "export/ButtonStates.h"
#include "render/ImageFiles.h"
#include "server/ButtonRequest.h"

#include <QImage>

namespace {

// The image the command line's --export writes for the request: the
// request's design with its picture, in its state and at its scale.
QImage RenderRequest(const SButtonRequest& request, QString* why)
{
    CNacreformDoc design;
    design.CopyDesignFrom(*request.design);
    if (!request.picturePath.isEmpty()) {
        design.CachedImagePath = design.ImagePath;
        if (!LoadPicture(request.picturePath, design.CachedImage)) {
            *why = QStringLiteral("ImagePath=%1: the picture cannot be read").arg(design.ImagePath);
            return {};
        }
    }
    const QImage rendered = RenderButtonState(design, request.state, request.scale);
    if (rendered.isNull()) {
        *why = QStringLiteral("cannot allocate the bitmap of this design (too large)");
        return {};
    }
    return ComposeExportImage(design, rendered);
}

bool EncodePngFormat(const SButtonRequest& request, QByteArray& bytes, QString* why)
{
    const QImage image = RenderRequest(request, why);
    bytes = EncodePng(image);
    return !bytes.isEmpty();
}

bool EncodeDesignFile(const SButtonRequest& request, QByteArray& bytes, QString*)
{
    bytes = request.designText;
    return true;
}

constexpr SOutputFormat kFormats[] = {
    {"png", "image/png", true, EncodePngFormat},
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

// Writes a design as a scalable icon, all vectors:
//   nacreform_svg_icon OUT.svg DESIGN.nfd [KEY=VALUE]... [-- PICTURE.nfd [KEY=VALUE]...]
// KEY=VALUE pairs change the design as nacreform's --set does. After "--"
// comes a second design whose render is the first one's picture (in place of
// its ImagePath), drawn from that design's own vectors.
#include "design/NacreformDoc.h"
#include "export/DesignValueInput.h"
#include "export/SvgExport.h"
#include "util/AtomicFileWrite.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

bool Fail(const QString& why)
{
    std::fprintf(stderr, "nacreform_svg_icon: %s\n", qPrintable(why));
    return false;
}

// The design at path with the settings applied.
bool LoadDesign(CNacreformDoc& doc, const QString& path, const QStringList& settings)
{
    if (!doc.OnOpenDocument(path))
        return Fail(QStringLiteral("cannot read %1").arg(path));
    for (const QString& setting : settings) {
        const QString key = FindDesignKey(setting.section(QLatin1Char('='), 0, 0));
        QString why;
        if (key.isEmpty() || !ApplyDesignValue(doc, key, setting.section(QLatin1Char('='), 1), &why))
            return Fail(QStringLiteral("%1: %2").arg(setting, why.isEmpty() ? QStringLiteral("no such key") : why));
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the captions
    QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fputs("usage: nacreform_svg_icon OUT.svg DESIGN.nfd [KEY=VALUE]... [-- PICTURE.nfd [KEY=VALUE]...]\n",
                   stderr);
        return 2;
    }
    const QString out = args.takeFirst();
    const qsizetype split = args.indexOf(QStringLiteral("--"));
    const QStringList own = args.mid(0, split);
    CNacreformDoc design;
    if (!LoadDesign(design, own.front(), own.mid(1)))
        return 1;
    if (split >= 0) {
        const QStringList picture = args.mid(split + 1);
        CNacreformDoc button;
        if (picture.isEmpty() || !LoadDesign(button, picture.front(), picture.mid(1)))
            return 1;
        design.CachedImage = CPicture::FromSvg(EncodeButtonSvg(button, EButtonState::Normal));
        design.CachedImagePath = design.ImagePath = picture.front();
    }
    QString why;
    const QByteArray svg = EncodeButtonSvg(design, EButtonState::Normal, &why);
    if (svg.isEmpty() || !WriteFileAtomically(out, svg, &why))
        return Fail(QStringLiteral("cannot write %1: %2").arg(out, why)) ? 0 : 1;
    return 0;
}

#include "export/ImageFormat.h"

#include <QFileInfo>

namespace {

struct SFormatRule
{
    EImageFormat format;
    const char* name;
    const char* title;
    const char* mimeType;
    QStringList suffixes; // the first is the one written
};

const QList<SFormatRule>& Rules()
{
    static const QList<SFormatRule> rules = {
        {EImageFormat::Png, "png", "PNG", "image/png", {QStringLiteral("png")}},
        {EImageFormat::Svg, "svg", "SVG", "image/svg+xml", {QStringLiteral("svg")}},
        {EImageFormat::Jpeg, "jpeg", "JPEG", "image/jpeg", {QStringLiteral("jpg"), QStringLiteral("jpeg")}},
        {EImageFormat::Webp, "webp", "WebP", "image/webp", {QStringLiteral("webp")}},
    };
    return rules;
}

const SFormatRule& Rule(EImageFormat format)
{
    return Rules()[int(format)];
}

// The extension of a name, as QFileInfo sees it: after the last dot of the
// last path element.
QString SuffixOf(const QString& path)
{
    return QFileInfo(path).suffix();
}

} // namespace

const QList<EImageFormat>& AllImageFormats()
{
    static const QList<EImageFormat> formats = {EImageFormat::Png, EImageFormat::Svg, EImageFormat::Jpeg,
                                                EImageFormat::Webp};
    return formats;
}

QString ImageFormatName(EImageFormat format)
{
    return QString::fromLatin1(Rule(format).name);
}

QString ImageFormatTitle(EImageFormat format)
{
    return QString::fromLatin1(Rule(format).title);
}

QString ImageFileFilter(EImageFormat format)
{
    QStringList patterns;
    for (const QString& suffix : Rule(format).suffixes)
        patterns.append(QStringLiteral("*.") + suffix);
    return QStringLiteral("%1ファイル(%2)").arg(ImageFormatTitle(format), patterns.join(QLatin1Char(' ')));
}

QString ImageFormatSuffix(EImageFormat format)
{
    return Rule(format).suffixes.front();
}

QStringList ImageFormatSuffixes(EImageFormat format)
{
    return Rule(format).suffixes;
}

QString ImageFormatMimeType(EImageFormat format)
{
    return QString::fromLatin1(Rule(format).mimeType);
}

bool IsScalableImageFormat(EImageFormat format)
{
    return format == EImageFormat::Svg;
}

std::optional<EImageFormat> ParseImageFormat(const QString& name)
{
    const QString wanted = name.trimmed();
    for (const SFormatRule& rule : Rules()) {
        if (wanted.compare(QLatin1String(rule.name), Qt::CaseInsensitive) == 0
            || rule.suffixes.contains(wanted, Qt::CaseInsensitive))
            return rule.format;
    }
    return std::nullopt;
}

std::optional<EImageFormat> ImageFormatOfPath(const QString& path)
{
    const QString suffix = SuffixOf(path);
    for (const SFormatRule& rule : Rules()) {
        if (rule.suffixes.contains(suffix, Qt::CaseInsensitive))
            return rule.format;
    }
    return std::nullopt;
}

QString ImageFormatList()
{
    QStringList names;
    for (const SFormatRule& rule : Rules()) {
        QString name = QString::fromLatin1(rule.name);
        if (rule.suffixes.size() > 1)
            name += QStringLiteral(" (.%1)").arg(rule.suffixes.join(QStringLiteral(" or .")));
        names.append(name);
    }
    return names.join(QStringLiteral(", "));
}

QString WithImageFormatSuffix(const QString& pattern, EImageFormat format)
{
    QString stem = pattern;
    if (ImageFormatOfPath(pattern))
        stem.chop(SuffixOf(pattern).size() + 1);
    return stem + QLatin1Char('.') + ImageFormatSuffix(format);
}

#include "export/SpriteSheet.h"

#include "export/FileNamePattern.h"


#include <algorithm>
#include <cstring>
#include <limits>

QImage StackSpriteSheet(const QList<QImage>& states)
{
    if (states.isEmpty() || states.front().isNull())
        return {};
    const QImage& first = states.front();
    const qint64 height = qint64(first.height()) * states.size();
    if (height > std::numeric_limits<int>::max())
        return {};
    // Rows copied as they are: painting would round colours of the
    // translucent pixels through premultiplied alpha.
    QImage sheet(first.width(), int(height), first.format());
    if (sheet.isNull())
        return {};
    for (int i = 0; i < states.size(); ++i) {
        const QImage state = states[i].convertToFormat(first.format());
        if (state.size() != first.size())
            return {};
        for (int y = 0; y < state.height(); ++y)
            std::memcpy(sheet.scanLine(i * first.height() + y), state.constScanLine(y), size_t(state.bytesPerLine()));
    }
    return sheet;
}

namespace {

// A CSS string: quotes and backslashes escaped.
QString CssString(QString text)
{
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

// A CSS identifier for text, escaped as CSS.escape() does (CSSOM): NUL
// becomes U+FFFD; a control character, a leading digit and a digit after
// a leading hyphen become code-point escapes; a lone hyphen and every other
// character that an identifier cannot hold get a backslash.
QString CssIdentifier(const QString& text)
{
    QString identifier;
    const auto codePoint = [](char16_t c) { return QLatin1Char('\\') + QString::number(c, 16) + QLatin1Char(' '); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const bool digit = c >= u'0' && c <= u'9';
        if (c == 0)
            identifier += QChar(0xFFFD);
        else if ((c >= 0x01 && c <= 0x1F) || c == 0x7F || (i == 0 && digit) || (i == 1 && digit && text[0] == u'-'))
            identifier += codePoint(c);
        else if (i == 0 && c == u'-' && text.size() == 1)
            identifier += QStringLiteral("\\-");
        else if (c >= 0x80 || c == u'-' || c == u'_' || digit || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            identifier += QChar(c);
        else
            identifier += QLatin1Char('\\') + QChar(c);
    }
    return identifier;
}

QString Pixels(int value)
{
    return value == 0 ? QStringLiteral("0") : QStringLiteral("%1px").arg(value);
}

} // namespace

QString SpriteSheetCss(const QString& name, const QList<EButtonState>& states, QSize cell,
                       const QList<SSpriteSheetFile>& sheets)
{
    if (sheets.isEmpty())
        return {};
    QList<SSpriteSheetFile> byScale = sheets;
    std::sort(byScale.begin(), byScale.end(),
              [](const SSpriteSheetFile& l, const SSpriteSheetFile& r) { return l.scale < r.scale; });
    const auto one = std::find_if(byScale.begin(), byScale.end(),
                                  [](const SSpriteSheetFile& sheet) { return sheet.scale == 1.0; });
    const SSpriteSheetFile& fallback = one != byScale.end() ? *one : byScale.front();
    QStringList candidates;
    for (const SSpriteSheetFile& sheet : byScale)
        candidates.append(QStringLiteral("url(%1) %2x").arg(CssString(sheet.fileName), ScaleText(sheet.scale)));

    // A name holding "*/" would end the comment early.
    QString css = QStringLiteral("/* %1: %2 x %3 pixels a state */\n")
                      .arg(QString(name).replace(QLatin1String("*/"), QLatin1String("* /")),
                           QString::number(cell.width()), QString::number(cell.height()));
    for (int i = 0; i < states.size(); ++i) {
        css += QLatin1Char('.') + CssIdentifier(name + QLatin1Char('-') + ButtonStateName(states[i]))
               + QStringLiteral(" {\n");
        css += QStringLiteral("  width: %1;\n  height: %2;\n").arg(Pixels(cell.width()), Pixels(cell.height()));
        css += QStringLiteral("  background-image: url(%1);\n").arg(CssString(fallback.fileName));
        css += QStringLiteral("  background-image: image-set(%1);\n").arg(candidates.join(QStringLiteral(", ")));
        css += QStringLiteral("  background-size: %1 %2;\n")
                   .arg(Pixels(cell.width()), Pixels(cell.height() * int(states.size())));
        css += QStringLiteral("  background-repeat: no-repeat;\n");
        css += QStringLiteral("  background-position: 0 %1;\n}\n").arg(Pixels(-i * cell.height()));
    }
    return css;
}

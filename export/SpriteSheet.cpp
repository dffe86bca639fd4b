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
    sheet.setDotsPerMeterX(first.dotsPerMeterX());
    sheet.setDotsPerMeterY(first.dotsPerMeterY());
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
    if (sheets.isEmpty() || states.isEmpty())
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
    const QString imageSet = candidates.join(QStringLiteral(", "));
    const QString base = CssIdentifier(name);
    const auto position = [&](EButtonState state) {
        return QStringLiteral("  background-position: 0 %1;\n")
            .arg(Pixels(-int(states.indexOf(state)) * cell.height()));
    };
    // The cell and the sheets, as every rule that shows a whole state has them.
    const auto cellRule = [&](const QString& selector, EButtonState state) {
        QString rule = selector + QStringLiteral(" {\n");
        rule += QStringLiteral("  width: %1;\n  height: %2;\n").arg(Pixels(cell.width()), Pixels(cell.height()));
        // Browsers that know neither image-set() keep the 1x sheet; the
        // prefixed one serves those that know only it.
        rule += QStringLiteral("  background-image: url(%1);\n").arg(CssString(fallback.fileName));
        rule += QStringLiteral("  background-image: -webkit-image-set(%1);\n").arg(imageSet);
        rule += QStringLiteral("  background-image: image-set(%1);\n").arg(imageSet);
        rule += QStringLiteral("  background-size: %1 %2;\n")
                    .arg(Pixels(cell.width()), Pixels(cell.height() * int(states.size())));
        rule += QStringLiteral("  background-repeat: no-repeat;\n");
        // A <button> has a border, padding and a background of its own.
        rule += QStringLiteral("  display: inline-block;\n  padding: 0;\n  border: 0;\n  background-color: transparent;\n");
        return rule + position(state);
    };

    // A name holding "*/" would end a comment early.
    const QString commentName = QString(name).replace(QLatin1String("*/"), QLatin1String("* /"));
    QString css = QStringLiteral("/* %1: %2 x %3 pixels a state */\n\n")
                      .arg(commentName, QString::number(cell.width()), QString::number(cell.height()));
    // The base class: a button (or any element) that follows the pointer
    // and the keyboard by itself. The order of the rules matters where
    // several apply at once: pressed over hover, disabled over both.
    css += QStringLiteral("/* <button class=\"%1\">: the states follow the pointer and the keyboard. */\n").arg(commentName);
    const EButtonState resting = states.contains(EButtonState::Normal) ? EButtonState::Normal : states.front();
    css += cellRule(QLatin1Char('.') + base, resting) + QStringLiteral("}\n");
    const struct
    {
        EButtonState state;
        QStringList pseudo;
    } follows[] = {
        {EButtonState::Hover, {QStringLiteral(":hover"), QStringLiteral(":focus-visible")}},
        {EButtonState::Pressed, {QStringLiteral(":active")}},
        {EButtonState::Disabled, {QStringLiteral(":disabled"), QStringLiteral("[aria-disabled=\"true\"]")}},
    };
    for (const auto& [state, pseudo] : follows) {
        if (!states.contains(state))
            continue;
        QStringList selectors;
        for (const QString& p : pseudo)
            selectors.append(QLatin1Char('.') + base + p);
        css += selectors.join(QStringLiteral(", ")) + QStringLiteral(" {\n") + position(state) + QStringLiteral("}\n");
    }
    css += QStringLiteral("\n/* One class per state, for pages that switch the states themselves. */\n");
    for (EButtonState state : states)
        css += cellRule(QLatin1Char('.') + CssIdentifier(name + QLatin1Char('-') + ButtonStateName(state)), state)
               + QStringLiteral("}\n");
    return css;
}

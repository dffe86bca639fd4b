#include "cli/ManualPage.h"

#include "cli/CommandLineOptions.h"

#include <QStringList>

namespace {

QString Bold(const QString& text)
{
    return QStringLiteral("\\fB") + RoffText(text) + QStringLiteral("\\fR");
}

QString Italic(const QString& text)
{
    return QStringLiteral("\\fI") + RoffText(text) + QStringLiteral("\\fR");
}

// One form of a call: options bold, placeholders italic, the brackets,
// bars and ellipses that join them upright.
QString SynopsisLine(const QString& form)
{
    static const QString kPunctuation = QStringLiteral("[]|.");
    QStringList tokens;
    for (const QString& token : form.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        qsizetype first = 0;
        qsizetype last = token.size();
        while (first < last && kPunctuation.contains(token[first]))
            ++first;
        while (last > first && kPunctuation.contains(token[last - 1]))
            --last;
        const QString word = token.mid(first, last - first);
        const QString written = word.isEmpty()          ? QString()
                                : word.startsWith('-') ? Bold(word)
                                                        : Italic(word);
        tokens.append(token.left(first) + written + token.mid(last));
    }
    return tokens.join(QLatin1Char(' '));
}

QString SynopsisSection()
{
    QString roff;
    for (const QString& form : CommandLineSynopsis())
        roff += QStringLiteral(".SY nacreform\n") + SynopsisLine(form) + QStringLiteral("\n.YS\n");
    return roff;
}

QString OptionsSection()
{
    QString roff;
    for (const SCommandLineOption& option : CommandLineOptions()) {
        QStringList names;
        for (const QString& name : option.names)
            names.append(Bold((name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name));
        roff += QStringLiteral(".TP\n") + names.join(QStringLiteral(", "));
        if (option.optionalValue)
            roff += QStringLiteral("[=") + Italic(option.valueName) + QLatin1Char(']');
        else if (!option.valueName.isEmpty())
            roff += QLatin1Char(' ') + Italic(option.valueName);
        roff += QLatin1Char('\n') + RoffText(option.description) + QLatin1Char('\n');
    }
    return roff;
}

} // namespace

QString RoffText(const QString& text)
{
    QString roff;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\'))
            roff += QStringLiteral("\\e");
        else if (c == QLatin1Char('-') && (i == 0 || !text[i - 1].isLetterOrNumber()))
            roff += QStringLiteral("\\-");
        else
            roff += c;
    }
    if (roff.startsWith(QLatin1Char('.')) || roff.startsWith(QLatin1Char('\'')))
        roff.prepend(QStringLiteral("\\&"));
    return roff;
}

QString MakeManualPage(const QString& templateText, const QString& version, const QString& date)
{
    QString page = templateText;
    page.replace(QStringLiteral("@SYNOPSIS@\n"), SynopsisSection());
    page.replace(QStringLiteral("@DESCRIPTION@\n"), RoffText(CommandLineDescription()) + QLatin1Char('\n'));
    page.replace(QStringLiteral("@OPTIONS@\n"), OptionsSection());
    page.replace(QStringLiteral("@VERSION@"), version);
    page.replace(QStringLiteral("@DATE@"), date);
    return page;
}

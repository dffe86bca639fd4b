#include "export/SpriteDemoPage.h"

#include "export/FileNamePattern.h"

#include <QStringList>

#include <algorithm>

namespace {

// Wide enough for a caption beside the narrowest buttons. Figures of a fixed
// width keep every button on whole CSS pixels, so that a device pixel of
// the sheet lands on a device pixel of the screen.
constexpr int kMinFigureWidth = 180;

QString Html(const QString& text)
{
    return text.toHtmlEscaped();
}

QString Figure(const QString& button, const QString& caption)
{
    return QStringLiteral("<figure>%1<figcaption>%2</figcaption></figure>\n").arg(button, caption);
}

QString Code(const QString& text)
{
    return QStringLiteral("<code>%1</code>").arg(Html(text));
}

} // namespace

QString SpriteDemoPage(const QString& name, const QString& cssFileName, const QList<EButtonState>& states,
                       QSize cell, const QList<SSpriteSheetFile>& sheets)
{
    QStringList sheetList;
    for (const SSpriteSheetFile& sheet : sheets)
        sheetList.append(QStringLiteral("%1 (%2x)").arg(Code(sheet.fileName), ScaleText(sheet.scale)));
    const QString classAttribute = Html(name);
    const int figureWidth = std::max(cell.width(), kMinFigureWidth);

    QString page = QStringLiteral(
                       "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
                       "<title>%1: button states</title>\n<link rel=\"stylesheet\" href=\"%2\">\n<style>\n"
                       "body { margin: 16px; background: #fff; color: #222; font: 14px/20px sans-serif; }\n"
                       "h1 { margin: 0 0 8px; font-size: 20px; line-height: 28px; }\n"
                       "h2 { margin: 16px 0 8px; font-size: 16px; line-height: 24px; }\n"
                       "p { margin: 0 0 8px; }\n"
                       ".row { display: flex; flex-wrap: wrap; align-items: flex-start; gap: 16px; }\n"
                       "figure { width: %3px; margin: 0; }\n"
                       "figcaption { margin-top: 4px; overflow-wrap: anywhere; }\n"
                       "code { font: 13px/20px monospace; }\n"
                       "</style>\n</head>\n<body>\n<h1>%1</h1>\n")
                       .arg(Html(name), Html(cssFileName))
                       .arg(figureWidth);
    page += QStringLiteral("<p>Each state is %1 &times; %2 CSS pixels. Sheets: %3; style sheet: %4.</p>\n")
                .arg(cell.width())
                .arg(cell.height())
                .arg(sheetList.join(QStringLiteral(", ")), Code(cssFileName));

    page += QStringLiteral("<h2>The base class follows the pointer and the keyboard</h2>\n<div class=\"row\">\n");
    page += Figure(QStringLiteral("<button type=\"button\" class=\"%1\" id=\"live\" aria-label=\"%1\"></button>")
                       .arg(classAttribute),
                   Code(QStringLiteral("<button class=\"%1\">").arg(name))
                       + QStringLiteral("<br>point at it, press it, reach it with Tab"));
    page += Figure(
        QStringLiteral("<button type=\"button\" class=\"%1\" id=\"disabled\" aria-label=\"%1\" disabled></button>")
            .arg(classAttribute),
        Code(QStringLiteral("<button class=\"%1\" disabled>").arg(name)) + QStringLiteral("<br>or aria-disabled=\"true\""));
    page += QStringLiteral("</div>\n");

    page += QStringLiteral("<h2>One class per state</h2>\n<div class=\"row\">\n");
    for (EButtonState state : states) {
        const QString stateClass = name + QLatin1Char('-') + ButtonStateName(state);
        page += Figure(QStringLiteral("<button type=\"button\" class=\"%1\" id=\"state-%2\" aria-label=\"%1\" "
                                      "tabindex=\"-1\"></button>")
                           .arg(Html(stateClass), ButtonStateName(state)),
                       Code(QLatin1Char('.') + stateClass));
    }
    page += QStringLiteral("</div>\n</body>\n</html>\n");
    return page;
}

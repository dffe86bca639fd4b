#include "export/FileNamePattern.h"

#include "util/QuotedValue.h"

#include <algorithm>

const QString kDefaultFileNamePattern = QStringLiteral("{name}{-state}{@scale}.png");

namespace {

// The scale as {scale} and {@scale} write it; none for a vector image.
struct SScaleTexts
{
    QString scale;
    QString at;
};

SScaleTexts ScaleTexts(double scale)
{
    return {ScaleText(scale), scale == 1.0 ? QString() : QStringLiteral("@%1x").arg(ScaleText(scale))};
}

QString Fill(QString pattern, const QString& name, const QString& state, const QString& dashState,
             const SScaleTexts& scale)
{
    // {name} last, so that a name holding braces stays as it is.
    return pattern.replace(QLatin1String("{-state}"), dashState)
        .replace(QLatin1String("{state}"), state)
        .replace(QLatin1String("{@scale}"), scale.at)
        .replace(QLatin1String("{scale}"), scale.scale)
        .replace(QLatin1String("{name}"), name);
}

QString FillState(const QString& pattern, const QString& name, EButtonState state, const SScaleTexts& scale)
{
    const QString stateName = ButtonStateName(state);
    const QString dashState = state == EButtonState::Normal ? QString() : QLatin1Char('-') + stateName;
    return Fill(pattern, name, stateName, dashState, scale);
}

} // namespace

QString ScaleText(double scale)
{
    return QString::number(scale, 'g', 6);
}

QString FormatFileName(const QString& pattern, const QString& name, EButtonState state, double scale)
{
    return FillState(pattern, name, state, ScaleTexts(scale));
}

QString FormatScalelessFileName(const QString& pattern, const QString& name, EButtonState state)
{
    return FillState(pattern, name, state, {});
}

QString FormatSpriteFileName(const QString& pattern, const QString& name, double scale)
{
    return Fill(pattern, name, QString(), QString(), ScaleTexts(scale));
}

bool IsPlainFileName(const QString& fileName, QString* why)
{
    QString problem;
    if (fileName.isEmpty())
        problem = QStringLiteral("the file name is empty");
    else if (fileName == QLatin1String(".") || fileName == QLatin1String(".."))
        problem = QuotedValue(fileName) + QStringLiteral(" names a folder, not a file");
    else if (fileName.contains(QLatin1Char('/')) || fileName.contains(QChar(0)))
        problem = QuotedValue(fileName) + QStringLiteral(" holds a folder separator");
    if (why)
        *why = problem;
    return problem.isEmpty();
}

bool IsUsableName(const QString& name, QString* why)
{
    QString problem;
    if (name.isEmpty())
        problem = QStringLiteral("the name is empty");
    else if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        problem = QStringLiteral("the name ") + QuotedValue(name) + QStringLiteral(" holds a control character");
    if (why)
        *why = problem;
    return problem.isEmpty();
}

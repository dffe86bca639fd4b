#include "export/DesignValueInput.h"

#include "design/DesignColor.h"
#include "design/IniFile.h"
#include "design/NacreformDoc.h"
#include "util/QuotedValue.h"

#include <QStringList>

#include <cmath>

namespace {

enum class EValueForm { Switch, Integer, IntegerPair, Number, NumberPair, Text, Color };

// The form of each design key, in file order.
constexpr EValueForm kForms[] = {
    EValueForm::Switch,     EValueForm::Color,      EValueForm::Integer,    EValueForm::IntegerPair,
    EValueForm::Color,      EValueForm::Color,      EValueForm::Switch,     EValueForm::NumberPair,
    EValueForm::Integer,    EValueForm::Text,       EValueForm::Text,       EValueForm::Switch,
    EValueForm::Number,     EValueForm::NumberPair, EValueForm::Color,      EValueForm::Integer,
    EValueForm::Switch,     EValueForm::NumberPair, EValueForm::Color,      EValueForm::Switch,
    EValueForm::Integer,    EValueForm::Text,       EValueForm::Integer,    EValueForm::NumberPair,
    EValueForm::Number,     EValueForm::Switch,     EValueForm::NumberPair, EValueForm::Integer,
    EValueForm::Integer,
};

bool IsInteger(const QString& text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}

bool IsNumber(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(float(value));
}

bool IsPair(const QString& text, bool (*isPart)(const QString&))
{
    const QStringList parts = text.split(QLatin1Char(','));
    return parts.size() == 2 && isPart(parts[0]) && isPart(parts[1]);
}

bool HasForm(const QString& value, EValueForm form)
{
    switch (form) {
    case EValueForm::Switch: return value.trimmed() == QLatin1String("0") || value.trimmed() == QLatin1String("1");
    case EValueForm::Integer: return IsInteger(value);
    case EValueForm::IntegerPair: return IsPair(value, IsInteger);
    case EValueForm::Number: return IsNumber(value);
    case EValueForm::NumberPair: return IsPair(value, IsNumber);
    case EValueForm::Text: return !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r'));
    case EValueForm::Color: return ParseDesignColor(value).has_value();
    }
    return false;
}

QString FormText(EValueForm form)
{
    switch (form) {
    case EValueForm::Switch: return QStringLiteral("0 or 1");
    case EValueForm::Integer: return QStringLiteral("a whole number");
    case EValueForm::IntegerPair: return QStringLiteral("two whole numbers, as 128,64");
    case EValueForm::Number: return QStringLiteral("a number");
    case EValueForm::NumberPair: return QStringLiteral("two numbers, as 0,5.5");
    case EValueForm::Text: return QStringLiteral("text on one line");
    case EValueForm::Color: return QStringLiteral("#RGB, #RRGGBB, rgb(R, G, B) or a decimal colour up to 16777215");
    }
    return {};
}

} // namespace

QString FindDesignKey(const QString& key)
{
    for (const QString& known : CNacreformDoc::DesignKeys()) {
        if (known.compare(key.trimmed(), Qt::CaseInsensitive) == 0)
            return known;
    }
    return {};
}

bool CheckDesignValue(const QString& key, const QString& value, QString* why)
{
    const qsizetype index = CNacreformDoc::DesignKeys().indexOf(FindDesignKey(key));
    static_assert(std::size(kForms) == 29);
    QString problem;
    if (index < 0 || index >= qsizetype(std::size(kForms)))
        problem = QuotedValue(key) + QStringLiteral(" is no design key");
    else if (!HasForm(value, kForms[index]))
        problem = CNacreformDoc::DesignKeys()[index] + QLatin1Char('=') + QuotedValue(value)
                  + QStringLiteral(": expected ") + FormText(kForms[index]);
    if (why)
        *why = problem;
    return problem.isEmpty();
}

bool ApplyDesignValue(CNacreformDoc& doc, const QString& key, const QString& value, QString* why)
{
    if (!CheckDesignValue(key, value, why))
        return false;
    const QString known = FindDesignKey(key);
    const EValueForm form = kForms[CNacreformDoc::DesignKeys().indexOf(known)];
    // The design file's own form: colours as their decimal value.
    const QString stored = form == EValueForm::Color ? QString::number(*ParseDesignColor(value)) : value;
    CIniFile ini(QString(), false);
    ini.LoadText(QStringLiteral("[General]\n%1=%2\n").arg(known, stored).toUtf8());
    doc.ExchangeDesign(false, ini);
    doc.SelectRenderer(doc.RenderID, true, false);
    return true;
}

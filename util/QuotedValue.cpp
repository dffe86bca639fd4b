#include "util/QuotedValue.h"

#include <algorithm>

QString QuotedValue(const QString& value)
{
    qsizetype length = std::min(value.size(), kMaxQuotedLength);
    // A surrogate pair stays whole or goes whole.
    if (length < value.size() && length > 0 && value[length - 1].isHighSurrogate())
        --length;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : QStringView(value).left(length)) {
        if (c == u'\n')
            quoted += QStringLiteral("\\n");
        else if (c == u'\r')
            quoted += QStringLiteral("\\r");
        else if (c == u'\t')
            quoted += QStringLiteral("\\t");
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            quoted += QStringLiteral("\\x") + QString::number(c.unicode(), 16).rightJustified(2, u'0');
        else
            quoted += c;
    }
    if (length < value.size())
        quoted += QChar(0x2026);
    return quoted + QLatin1Char('"');
}

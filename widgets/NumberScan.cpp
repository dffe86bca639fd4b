#include "widgets/NumberScan.h"

#include <QByteArray>

#include <cstdlib>
#include <limits>
#include <locale.h>

namespace {

bool IsAsciiSpace(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Index of the first character after leading white space and one sign;
// negative tells whether the sign was a minus.
qsizetype SkipSpaceAndSign(QStringView text, bool& negative)
{
    qsizetype i = 0;
    while (i < text.size() && IsAsciiSpace(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    return i;
}

qsizetype SkipDigits(QStringView text, qsizetype i)
{
    while (i < text.size() && IsAsciiDigit(text[i]))
        ++i;
    return i;
}

} // namespace

std::optional<long long> ScanInteger(QStringView text)
{
    bool negative = false;
    qsizetype i = SkipSpaceAndSign(text, negative);
    if (i >= text.size() || !IsAsciiDigit(text[i]))
        return std::nullopt;
    constexpr long long kLimit = std::numeric_limits<long long>::max();
    long long magnitude = 0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i) {
        const int digit = text[i].unicode() - u'0';
        if (magnitude > (kLimit - digit) / 10) {
            magnitude = kLimit;
            break;
        }
        magnitude = magnitude * 10 + digit;
    }
    return negative ? -magnitude : magnitude;
}

double ScanDouble(QStringView text)
{
    bool negative = false;
    const qsizetype start = SkipSpaceAndSign(text, negative);
    qsizetype i = SkipDigits(text, start);
    bool hasDigits = i > start;
    if (i < text.size() && text[i] == u'.') {
        const qsizetype fraction = i + 1;
        i = SkipDigits(text, fraction);
        hasDigits = hasDigits || i > fraction;
    }
    if (!hasDigits)
        return 0;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype exponent = i + 1;
        if (exponent < text.size() && (text[exponent] == u'+' || text[exponent] == u'-'))
            ++exponent;
        const qsizetype end = SkipDigits(text, exponent);
        if (end > exponent)
            i = end;
    }
    // Only ASCII is left in the prefix; strtod in the "C" locale reads it
    // whatever the process locale says about decimal separators.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    const QByteArray number = text.mid(start, i - start).toLatin1();
    const double magnitude = strtod_l(number.constData(), nullptr, cLocale);
    return negative ? -magnitude : magnitude;
}

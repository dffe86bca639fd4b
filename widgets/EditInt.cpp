#include "widgets/EditInt.h"

#include "util/DlgItems.h"
#include "util/Helpers.h"
#include "widgets/NumberScan.h"

#include <algorithm>
#include <climits>

namespace {

// The characters an input method may deliver for a number: full-width
// digits and the full-width hyphen-minus. Any other non-ASCII character
// cannot be part of a number and is dropped; the caret keeps its place
// among the characters that stay.
QString ConvertFullWidth(const QString& text, int& caret)
{
    constexpr char16_t kFullWidthZero = u'\uFF10';
    constexpr char16_t kFullWidthNine = u'\uFF19';
    constexpr char16_t kFullWidthMinus = u'\uFF0D';
    const int originalCaret = caret;
    QString converted;
    converted.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            converted += QChar(c);
        else if (c >= kFullWidthZero && c <= kFullWidthNine)
            converted += QChar(u'0' + (c - kFullWidthZero));
        else if (c == kFullWidthMinus)
            converted += QChar(u'-');
        else if (i < originalCaret)
            --caret;
    }
    return converted;
}

} // namespace

CEditInt::CEditInt(QWidget* parent)
    : CNumericEdit(parent)
{
}

void CEditInt::Setup(int resetValue, int minimum, int maximum, int spinId)
{
    if (spinId != 0)
        SetSpinRange(parentWidget(), spinId, minimum, maximum);
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = m_resetValue = resetValue;
    SetTextSilently(IntToString(m_value));
}

void CEditInt::SetValue(int value, bool onlyIfChanged)
{
    if (onlyIfChanged && value == m_value)
        return;
    m_value = value;
    SetTextSilently(IntToString(value));
}

void CEditInt::OnTextChanged(const QString& text)
{
    if (Validate(text))
        emit valueChanged(m_value);
}

QString CEditInt::FormatNumber(double number) const
{
    return IntToString(static_cast<int>(std::clamp(number, double(INT_MIN), double(INT_MAX))));
}

bool CEditInt::Validate(const QString& text)
{
    const int oldValue = m_value;
    int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const QString converted = ConvertFullWidth(text, caret);
    if (m_minimum < 0 && converted == QLatin1String("-"))
        return false; // a negative number is being started

    enum class Caret { Keep, SelectAll, End } place = Caret::Keep;
    int value = oldValue;
    if (converted.isEmpty()) {
        value = m_minimum < 0 ? 0 : m_minimum;
        place = Caret::SelectAll;
    } else if (const std::optional<long long> number = ScanInteger(converted); !number) {
        place = Caret::SelectAll;
    } else if (*number < m_minimum) {
        value = m_minimum;
        place = Caret::SelectAll;
    } else if (*number > m_maximum) {
        value = m_maximum;
        place = Caret::End;
    } else {
        value = static_cast<int>(*number);
    }

    m_value = value;
    const QString canonical = IntToString(value);
    switch (place) {
    case Caret::Keep:
        if (text != canonical) {
            SetTextSilently(canonical);
            setCursorPosition(std::min<int>(caret, canonical.size()));
        }
        break;
    case Caret::SelectAll:
        SetTextSilently(canonical);
        selectAll();
        break;
    case Caret::End:
        SetTextSilently(canonical);
        setCursorPosition(canonical.size());
        break;
    }
    return value != oldValue;
}

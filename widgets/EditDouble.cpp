#include "widgets/EditDouble.h"

#include "util/DlgItems.h"
#include "util/Helpers.h"
#include "widgets/NumberScan.h"
#include "widgets/SpinButtonCtrl.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// Whole part of a value as the spin takes it.
int TruncateToInt(double value)
{
    return static_cast<int>(std::clamp(std::trunc(value), double(INT_MIN), double(INT_MAX)));
}

} // namespace

CEditDouble::CEditDouble(QWidget* parent)
    : CNumericEdit(parent)
{
}

void CEditDouble::Setup(double resetValue, double minimum, double maximum, int spinId)
{
    m_spinId = spinId;
    if (spinId != 0)
        SetSpinRange(parentWidget(), spinId, TruncateToInt(minimum), TruncateToInt(maximum));
    SetSpinPosition(resetValue);
    m_minimum = minimum;
    m_maximum = maximum;
    m_value = m_resetValue = resetValue;
    SetTextSilently(DoubleToString(m_value));
}

void CEditDouble::SetValue(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    SetTextSilently(DoubleToString(value));
    SetSpinPosition(value);
}

void CEditDouble::OnTextChanged(const QString& text)
{
    if (Validate(text))
        emit valueChanged(m_value);
}

QString CEditDouble::FormatNumber(double number) const
{
    return DoubleToString(number);
}

bool CEditDouble::Validate(const QString& typed)
{
    QString text = typed;
    bool rewrite = false;
    enum class Caret { Keep, SelectAll, End } place = Caret::Keep;
    if (text.isEmpty()) {
        text = QStringLiteral("0.00");
        rewrite = true;
        place = Caret::SelectAll;
    }
    double value = ScanDouble(text);
    if (value < m_minimum) {
        value = m_minimum;
        text = DoubleToString(m_minimum);
        rewrite = true;
        place = Caret::SelectAll;
    } else if (value > m_maximum) {
        value = m_maximum;
        text = DoubleToString(m_maximum);
        rewrite = true;
        place = Caret::End;
    }

    if (rewrite)
        SetTextSilently(text);
    if (place == Caret::SelectAll)
        selectAll();
    else if (place == Caret::End)
        setCursorPosition(text.size());

    if (value == m_value)
        return false;
    m_value = value;
    SetSpinPosition(value);
    return true;
}

CSpinButtonCtrl* CEditDouble::Spin() const
{
    if (m_spinId == 0)
        return nullptr;
    return qobject_cast<CSpinButtonCtrl*>(GetDlgItem(parentWidget(), m_spinId));
}

void CEditDouble::SetSpinPosition(double value) const
{
    if (CSpinButtonCtrl* spin = Spin())
        spin->SetPos(TruncateToInt(value));
}

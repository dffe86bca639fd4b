#include "widgets/EditText.h"

CEditText::CEditText(QWidget* parent)
    : CSilentEdit(true, parent)
{
}

void CEditText::OnTextChanged(const QString& text)
{
    emit valueChanged(text);
}

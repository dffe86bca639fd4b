#include "widgets/SilentEdit.h"

CSilentEdit::CSilentEdit(bool startActive, QWidget* parent)
    : QLineEdit(parent)
    , m_active(startActive)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (m_active)
            OnTextChanged(text);
    });
}

void CSilentEdit::SetTextSilently(const QString& text)
{
    m_active = false;
    setText(text);
    m_active = true;
}

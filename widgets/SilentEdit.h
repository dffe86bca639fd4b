#pragma once

#include <QLineEdit>

// A line edit that tells its own text updates apart from every other change.
//
// Every change of the text (typing, pasting, undo, a spin step, setText from
// anyone) reaches OnTextChanged synchronously, except the changes the field
// makes through SetTextSilently: while that runs the field is inactive and the
// nested change is ignored. This is what lets a page show a document value
// without writing it straight back.
class CSilentEdit : public QLineEdit
{
    Q_OBJECT

public:
    // Sets the text without reacting to it; the field is active afterwards.
    void SetTextSilently(const QString& text);

    // False only before the first text of a field that starts inactive and
    // while SetTextSilently runs.
    bool IsActive() const { return m_active; }

protected:
    CSilentEdit(bool startActive, QWidget* parent);

    // Runs on each text change while the field is active.
    virtual void OnTextChanged(const QString& text) = 0;

private:
    bool m_active;
};

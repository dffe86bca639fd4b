#pragma once

#include "widgets/NumericEdit.h"

// Whole-number field (margin, shape width and height, opacities).
//
// Any character can be typed; the field checks its text on every change:
// full-width digits and the full-width hyphen-minus become their ASCII forms,
// other non-ASCII characters are dropped, the number is read from the start of
// the text and clamped into the range, and a text that is not the plain
// "%d" form of the result is rewritten. Below the minimum (or an emptied
// field, which becomes the minimum, or 0 when the minimum is negative) the
// whole text ends selected; above the maximum the caret ends at the end;
// unreadable text restores the last value, selected; otherwise the caret
// stays where the user left it. A lone "-" is left alone when the range
// allows negative numbers.
//
// How a page uses it:
//   - create it and its CSpinButtonCtrl (with a dialog control id, as a
//     child of the same page), place both, spin->SetBuddy(field);
//   - Setup(reset value, minimum, maximum, spin id) once: sets the spin's
//     range, shows the reset value and makes the field active;
//   - load a design with SetValue(doc value): shows it as it is (even out of
//     range; the first edit clamps it) and never emits valueChanged;
//   - connect valueChanged: it fires when typing, pasting, a spin step, a
//     right-button drag or double-click, or setText by anyone changed the
//     committed value; write the value into the document and ask for a
//     deferred render. GetValue() returns the same value.
class CEditInt : public CNumericEdit
{
    Q_OBJECT

public:
    explicit CEditInt(QWidget* parent = nullptr);

    // spinId: dialog control id of the up-down control beside the field among
    // the children of the field's parent; 0 or an unknown id means none.
    void Setup(int resetValue, int minimum, int maximum, int spinId);

    // Shows value without committing it. With onlyIfChanged, a value equal
    // to the one held leaves the text untouched (it may show a "-" being typed).
    void SetValue(int value, bool onlyIfChanged = true);

    // The last committed (or shown by SetValue) value.
    int GetValue() const { return m_value; }

signals:
    void valueChanged(int value);

protected:
    void OnTextChanged(const QString& text) override;
    double CurrentNumber() const override { return m_value; }
    double ResetNumber() const override { return m_resetValue; }
    QString FormatNumber(double number) const override;

private:
    // Converts, clamps and rewrites the text; true when the value changed.
    bool Validate(const QString& text);

    int m_minimum = 0;
    int m_maximum = 0;
    int m_value = 0;
    int m_resetValue = 0;
};

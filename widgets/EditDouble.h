#pragma once

#include "widgets/NumericEdit.h"

class CSpinButtonCtrl;

// Decimal field shown with two decimals (shadow offsets, text position and
// size, picture position and size).
//
// The field checks its text on every change: the number is read from the
// start of the text (a text that does not begin with a number reads as 0,
// and stays as typed when 0 is in range), and clamped: below the minimum the
// text becomes the minimum ("%.2f"), all selected; above the maximum it
// becomes the maximum with the caret at the end; an emptied field becomes
// "0.00" (or the minimum), all selected. Full-width digits are not converted.
// The spin beside it steps the whole-number part and keeps the typed
// fraction; that needs HandleSpin (widgets/HandleSpin.h) connected to the
// spin's scrolled signal.
//
// How a page uses it:
//   - create it and its CSpinButtonCtrl (with a dialog control id, as a
//     child of the same page), place both, spin->SetBuddy(field), and
//     connect(spin, &CSpinButtonCtrl::scrolled, spin, &HandleSpin);
//   - Setup(reset value, minimum, maximum, spin id) once;
//   - load a design with SetValue(double(doc value)): never emits valueChanged;
//   - connect valueChanged: it fires when typing, pasting, a spin step, a
//     right-button drag or double-click, or setText by anyone changed the
//     committed value; write float(value) into the document and ask for a
//     deferred render.
class CEditDouble : public CNumericEdit
{
    Q_OBJECT

public:
    explicit CEditDouble(QWidget* parent = nullptr);

    // spinId: dialog control id of the up-down control beside the field among
    // the children of the field's parent; 0 or an unknown id means none. The
    // spin gets the range cut toward zero and the position of the reset value.
    void Setup(double resetValue, double minimum, double maximum, int spinId);

    // Shows value without committing it; a value equal to the one held
    // leaves the text untouched. Keeps the spin position in step.
    void SetValue(double value);

    double GetValue() const { return m_value; }

signals:
    void valueChanged(double value);

protected:
    void OnTextChanged(const QString& text) override;
    double CurrentNumber() const override { return m_value; }
    double ResetNumber() const override { return m_resetValue; }
    QString FormatNumber(double number) const override;

private:
    // Reads, clamps and rewrites the text; true when the value changed.
    bool Validate(const QString& text);
    CSpinButtonCtrl* Spin() const;
    void SetSpinPosition(double value) const;

    double m_minimum = 0;
    double m_maximum = 0;
    double m_value = 0;
    double m_resetValue = 0;
    int m_spinId = 0;
};

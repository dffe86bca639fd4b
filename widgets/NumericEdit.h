#pragma once

#include "widgets/SilentEdit.h"

// What the integer and the decimal field share: they start inactive (a field
// reacts to nothing until its set-up has shown the first value), and both
// offer the right-button gestures.
//
// Right-button drag: press the right button in the field and move vertically;
// each pixel upwards adds one unit to the value the field held at the press.
// With Shift held the result is cut toward zero to a multiple of 10, with Ctrl
// to a multiple of 5 (a decimal is cut to a whole number first); without
// either a decimal keeps the fraction it started with. Each step is written as
// ordinary text, so the field clamps and reports it like typed text.
// Right-button double-click: writes the reset value as ordinary text.
// The right button never opens the context menu (the keyboard still can).
class CNumericEdit : public CSilentEdit
{
    Q_OBJECT

protected:
    explicit CNumericEdit(QWidget* parent);

    // The committed value, the reset value and the text that shows a number,
    // in the field's own format.
    virtual double CurrentNumber() const = 0;
    virtual double ResetNumber() const = 0;
    virtual QString FormatNumber(double number) const = 0;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool m_dragging = false;
    int m_dragStartY = 0;
    double m_dragStartValue = 0;
};


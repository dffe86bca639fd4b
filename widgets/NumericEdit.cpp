#include "widgets/NumericEdit.h"

#include <QContextMenuEvent>
#include <QMouseEvent>

#include <cmath>

namespace {

// One unit per pixel, upwards increases; Shift snaps to tens, Ctrl to fives,
// both toward zero.
double DragValue(double startValue, int pixelsDown, Qt::KeyboardModifiers modifiers)
{
    const double n = startValue - pixelsDown;
    int step = 0;
    if (modifiers & Qt::ShiftModifier)
        step = 10;
    else if (modifiers & Qt::ControlModifier)
        step = 5;
    if (step == 0)
        return n;
    const double whole = std::trunc(n);
    return whole - std::fmod(whole, step);
}

} // namespace

CNumericEdit::CNumericEdit(QWidget* parent)
    : CSilentEdit(false, parent)
{
}

void CNumericEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    // The press grabs the mouse implicitly until the release.
    m_dragging = true;
    m_dragStartY = qRound(event->position().y());
    m_dragStartValue = CurrentNumber();
    setCursor(Qt::SizeVerCursor);
}

void CNumericEdit::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::RightButton)) {
        const int pixelsDown = qRound(event->position().y()) - m_dragStartY;
        setText(FormatNumber(DragValue(m_dragStartValue, pixelsDown, event->modifiers())));
    }
    QLineEdit::mouseMoveEvent(event);
}

void CNumericEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QLineEdit::mouseReleaseEvent(event);
        return;
    }
    if (m_dragging) {
        m_dragging = false;
        setCursor(Qt::IBeamCursor);
    }
}

void CNumericEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    setText(FormatNumber(ResetNumber()));
}

void CNumericEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The right button belongs to the drag gesture.
    if (event->reason() == QContextMenuEvent::Mouse) {
        event->accept();
        return;
    }
    QLineEdit::contextMenuEvent(event);
}

#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>

class QLineEdit;
class QTimer;

// The up-down control beside a numeric field: two arrow buttons, a 32-bit
// range and a signed 16-bit position. Clicking an arrow (held down it
// repeats) or pressing Up/Down in the buddy field steps the position by one
// within the range and emits scrolled(kThumbPosition, position, this) for
// the step, then scrolled(kEndScroll, ...) when the arrow is let go. At the
// end of the range a step does nothing.
//
// When the buddy is a CEditInt the spin works like a spin box: it reads the
// whole number in the buddy, steps it and writes "%d" of the result into the
// buddy itself, so the field validates and reports it. Any other buddy keeps
// its text; a CEditDouble buddy is rewritten by HandleSpin
// (widgets/HandleSpin.h), which the page connects to scrolled.
//
// How a page uses it: create it as a child of the page with its dialog
// control id (SetDlgCtrlId) and give it its place (its width counts; the
// buddy's geometry decides the rest), then SetBuddy(field). The field's
// Setup finds it by that id to set the range (SetSpinRange calls setRange).
class CSpinButtonCtrl : public QWidget
{
    Q_OBJECT

public:
    // The scroll codes of the vertical scroll notification it imitates.
    static constexpr int kThumbPosition = 4;
    static constexpr int kEndScroll = 8;

    explicit CSpinButtonCtrl(QWidget* parent = nullptr);

    // Makes field the buddy: the spin moves to the field's right edge, takes
    // its height, and the field gives up the spin's width so that both
    // together fill the field's former place. The buddy's Up and Down keys
    // step the spin from then on. The buddy must outlive the spin's use of it.
    void SetBuddy(QLineEdit* field);
    QLineEdit* GetBuddy() const { return m_buddy; }

    // The low 16 bits of position, as a signed number, clamped into the range.
    void SetPos(int position);
    int GetPos() const { return m_position; }

    int GetRangeLow() const { return m_low; }
    int GetRangeHigh() const { return m_high; }

    QSize sizeHint() const override;

public slots:
    // The current position is clamped into the new range. With low above
    // high the up arrow moves toward low.
    void setRange(int low, int high);

signals:
    void scrolled(int code, int position, CSpinButtonCtrl* spin);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Arrow { None, Up, Down };

    // One step toward high (up) or low (down), writing the buddy when it is
    // a CEditInt; returns whether the position moved.
    bool Step(Arrow arrow);
    void OnRepeat();
    void StopRepeat();
    QRect ArrowRect(Arrow arrow) const;

    QPointer<QLineEdit> m_buddy;
    bool m_setBuddyInt = false;
    int m_low = 0;
    int m_high = 100;
    int16_t m_position = 0;
    Arrow m_pressed = Arrow::None;
    QTimer* m_repeatTimer;
};

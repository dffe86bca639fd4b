#pragma once

#include <QAbstractButton>
#include <QImage>

// A flat toolbar-style button with one 16 x 16 image: no border at rest, a
// raised border while the mouse is over it, a sunken border and the image one
// pixel right and down while it is pressed or checked, a lighter face when
// checked, an embossed grey image when disabled. It takes no keyboard focus.
// It does not toggle itself: the host decides the checked look with
// SetChecked. A double click counts as two clicks.
//
// How a page uses it: create it with its dialog id and place, call
// SetupImageButton(image strip, index), connect clicked() to the handler,
// which flips the design flag and calls SetChecked(new flag); call
// SetChecked(flag) when loading a design.
class CFlatButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CFlatButton(QWidget* parent = nullptr);

    // imageList: a strip of 16-pixel-wide images side by side, in which the
    // colour RGB(192, 192, 192) is transparent (the mask colour of the
    // program's bitmaps). Shows the image at imageIndex; false when the strip
    // holds no such image (the button then works without one).
    bool SetupImageButton(const QImage& imageList, int imageIndex);

    void SetChecked(bool checked);
    bool IsChecked() const { return m_checked; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QImage m_image;
    bool m_hover = false;
    bool m_checked = false;
};

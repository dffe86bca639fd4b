#include "widgets/FlatButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kImageWidth = 16;

// A one-pixel frame: top and left in one colour, bottom and right in the other.
void Draw3dRect(QPainter& painter, const QRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    painter.fillRect(rect.left(), rect.top(), rect.width() - 1, 1, topLeft);
    painter.fillRect(rect.left(), rect.top(), 1, rect.height() - 1, topLeft);
    painter.fillRect(rect.right(), rect.top(), 1, rect.height(), bottomRight);
    painter.fillRect(rect.left(), rect.bottom(), rect.width(), 1, bottomRight);
}

// The dark, opaque pixels of image in one flat colour: the shape a disabled
// image is embossed with.
QImage Silhouette(const QImage& image, const QColor& color)
{
    constexpr int kDarkBelow = 192;
    QImage shape(image.size(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    const QRgb ink = color.rgba();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) >= 128 && qGray(pixel) < kDarkBelow)
                shape.setPixel(x, y, ink);
        }
    }
    return shape;
}

QColor Mean(const QColor& a, const QColor& b)
{
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

} // namespace

CFlatButton::CFlatButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

bool CFlatButton::SetupImageButton(const QImage& imageList, int imageIndex)
{
    m_image = QImage();
    update();
    if (imageList.isNull() || imageIndex < 0 || (imageIndex + 1) * kImageWidth > imageList.width())
        return false;
    const QRgb kMaskColor = qRgb(192, 192, 192);
    m_image = imageList.copy(imageIndex * kImageWidth, 0, kImageWidth, imageList.height())
                  .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < m_image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m_image.scanLine(y));
        for (int x = 0; x < m_image.width(); ++x) {
            if ((line[x] & RGB_MASK) == (kMaskColor & RGB_MASK))
                line[x] = 0;
        }
    }
    return true;
}

void CFlatButton::SetChecked(bool checked)
{
    m_checked = checked;
    update();
}

QSize CFlatButton::sizeHint() const
{
    return {22, 22};
}

void CFlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colors = palette();
    const QColor face = colors.color(QPalette::Button);
    const QColor highlight = colors.color(QPalette::Light);
    const QColor shadow = colors.color(QPalette::Dark);
    painter.fillRect(rect(), m_checked ? Mean(face, highlight) : face);

    const bool sunken = isDown() || m_checked;
    const int shift = sunken ? 1 : 0;
    const QPoint imagePos(width() / 2 - 8 + shift, height() / 2 - 7 + shift);
    if (!m_image.isNull()) {
        if (isEnabled()) {
            painter.drawImage(imagePos, m_image);
        } else {
            // Embossed like a disabled toolbar image, cut to 16 x 15.
            const QImage image = m_image.copy(0, 0, kImageWidth, 15);
            painter.drawImage(imagePos + QPoint(1, 1), Silhouette(image, highlight));
            painter.drawImage(imagePos, Silhouette(image, shadow));
        }
    }

    if (sunken)
        Draw3dRect(painter, rect(), shadow, highlight);
    else if (m_hover)
        Draw3dRect(painter, rect(), highlight, shadow);
}

void CFlatButton::mouseMoveEvent(QMouseEvent* event)
{
    const bool inside = rect().contains(event->position().toPoint());
    // While a button is held the press owns the look; hovering starts only
    // with free moves, and never on a checked button.
    if (event->buttons() == Qt::NoButton && inside) {
        if (!m_hover && !m_checked) {
            m_hover = true;
            update();
        }
    } else if (!inside) {
        m_hover = false;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CFlatButton::leaveEvent(QEvent* event)
{
    if (m_hover) {
        m_hover = false;
        update();
    }
    QAbstractButton::leaveEvent(event);
}

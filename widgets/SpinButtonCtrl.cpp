#include "widgets/SpinButtonCtrl.h"

#include "util/Helpers.h"
#include "widgets/EditInt.h"
#include "widgets/NumberScan.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QTimer>

#include <algorithm>
#include <climits>

namespace {
constexpr int kRepeatDelayMs = 400;
constexpr int kRepeatIntervalMs = 50;
} // namespace

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent)
    : QWidget(parent)
    , m_repeatTimer(new QTimer(this))
{
    setFocusPolicy(Qt::NoFocus);
    connect(m_repeatTimer, &QTimer::timeout, this, &CSpinButtonCtrl::OnRepeat);
}

void CSpinButtonCtrl::SetBuddy(QLineEdit* field)
{
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = field;
    m_setBuddyInt = qobject_cast<CEditInt*>(field) != nullptr;
    if (!field)
        return;
    field->installEventFilter(this);

    // Side by side in the field's former place, the spin at the right edge.
    const int spinWidth = testAttribute(Qt::WA_Resized) ? width() : sizeHint().width();
    const QRect place = field->geometry();
    const int fieldWidth = std::max(0, place.width() - spinWidth);
    field->setGeometry(place.x(), place.y(), fieldWidth, place.height());
    QPoint topLeft = place.topLeft() + QPoint(fieldWidth, 0);
    if (field->parentWidget() && parentWidget() && field->parentWidget() != parentWidget())
        topLeft = parentWidget()->mapFromGlobal(field->parentWidget()->mapToGlobal(topLeft));
    setGeometry(QRect(topLeft, QSize(spinWidth, place.height())));
}

void CSpinButtonCtrl::SetPos(int position)
{
    const int16_t low16 = static_cast<int16_t>(position);
    m_position = static_cast<int16_t>(std::clamp<int>(low16, std::min(m_low, m_high), std::max(m_low, m_high)));
}

void CSpinButtonCtrl::setRange(int low, int high)
{
    m_low = low;
    m_high = high;
    SetPos(m_position);
}

QSize CSpinButtonCtrl::sizeHint() const
{
    return {16, 22};
}

bool CSpinButtonCtrl::Step(Arrow arrow)
{
    int current = m_position;
    if (m_setBuddyInt && m_buddy) {
        // Like a spin box, step what the field shows.
        if (const std::optional<long long> shown = ScanInteger(m_buddy->text()))
            current = static_cast<int>(std::clamp<long long>(*shown, INT_MIN, INT_MAX));
    }
    const int low = std::min(m_low, m_high);
    const int high = std::max(m_low, m_high);
    const bool towardHigh = (arrow == Arrow::Up) == (m_high >= m_low);
    const long long next = static_cast<long long>(std::clamp(current, low, high)) + (towardHigh ? 1 : -1);
    if (next < low || next > high)
        return false;
    m_position = static_cast<int16_t>(next);
    if (m_setBuddyInt && m_buddy)
        m_buddy->setText(IntToString(static_cast<int>(next)));
    emit scrolled(kThumbPosition, m_position, this);
    return true;
}

void CSpinButtonCtrl::OnRepeat()
{
    m_repeatTimer->setInterval(kRepeatIntervalMs);
    if (m_pressed != Arrow::None)
        Step(m_pressed);
}

void CSpinButtonCtrl::StopRepeat()
{
    m_repeatTimer->stop();
    m_pressed = Arrow::None;
    update();
}

QRect CSpinButtonCtrl::ArrowRect(Arrow arrow) const
{
    const int upHeight = height() / 2;
    if (arrow == Arrow::Up)
        return {0, 0, width(), upHeight};
    return {0, upHeight, width(), height() - upHeight};
}

void CSpinButtonCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const Arrow arrow : {Arrow::Up, Arrow::Down}) {
        QStyleOptionButton button;
        button.initFrom(this);
        button.rect = ArrowRect(arrow);
        button.state |= m_pressed == arrow ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &button, &painter, this);

        QStyleOption indicator;
        indicator.initFrom(this);
        indicator.rect = button.rect.adjusted(2, 1, -2, -1);
        if (m_pressed == arrow)
            indicator.rect.translate(1, 1);
        style()->drawPrimitive(arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                               &indicator, &painter, this);
    }
}

void CSpinButtonCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressed = ArrowRect(Arrow::Up).contains(event->position().toPoint()) ? Arrow::Up : Arrow::Down;
    update();
    Step(m_pressed);
    m_repeatTimer->start(kRepeatDelayMs);
}

void CSpinButtonCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_pressed == Arrow::None)
        return;
    StopRepeat();
    emit scrolled(kEndScroll, m_position, this);
}

void CSpinButtonCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        StopRepeat();
    QWidget::changeEvent(event);
}

bool CSpinButtonCtrl::eventFilter(QObject*, QEvent* event)
{
    // Only the buddy is watched. Look at the event first: the buddy also
    // reports events from inside its destructor.
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    if (!isEnabled())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down)
        return false;
    if (event->type() == QEvent::KeyPress)
        Step(key->key() == Qt::Key_Up ? Arrow::Up : Arrow::Down);
    else if (!key->isAutoRepeat())
        emit scrolled(kEndScroll, m_position, this);
    return true;
}

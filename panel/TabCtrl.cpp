#include "panel/TabCtrl.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

CTabCtrl::CTabCtrl(QWidget* parent)
    : QWidget(parent)
    , m_pTabBar(new QTabBar(this))
{
    m_pTabBar->setDrawBase(false);
    m_pTabBar->setExpanding(false);
    connect(m_pTabBar, &QTabBar::currentChanged, this, &CTabCtrl::currentChanged);
}

int CTabCtrl::InsertItem(int index, const QString& text)
{
    const int inserted = m_pTabBar->insertTab(index, text);
    FitTabBar();
    update();
    return inserted;
}

int CTabCtrl::GetCurSel() const
{
    return m_pTabBar->currentIndex();
}

void CTabCtrl::SetCurSel(int index)
{
    m_pTabBar->setCurrentIndex(index);
}

int CTabCtrl::GetItemCount() const
{
    return m_pTabBar->count();
}

QRect CTabCtrl::GetItemRect(int index) const
{
    const QRect tab = m_pTabBar->tabRect(index);
    return tab.isValid() ? tab.translated(m_pTabBar->pos() - QPoint(0, m_tabRowOffset)) : QRect();
}

void CTabCtrl::SetTabRowOffset(int dy)
{
    m_tabRowOffset = qMax(0, dy);
    FitTabBar();
    update();
}

void CTabCtrl::paintEvent(QPaintEvent*)
{
    // The frame of the display area starts where the tab row ends, so the
    // selected tab opens into it.
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = m_pTabBar->size();
    option.tabBarRect = m_pTabBar->geometry().translated(0, -m_tabRowOffset);
    option.selectedTabRect = GetItemRect(GetCurSel());
    option.rect = rect().adjusted(0, m_pTabBar->height() - 1, 0, 0);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

void CTabCtrl::resizeEvent(QResizeEvent*)
{
    FitTabBar();
}

void CTabCtrl::FitTabBar()
{
    // The tabs keep their natural widths from the left; scroll buttons take
    // over when the control is narrower.
    const QSize natural = m_pTabBar->sizeHint();
    m_pTabBar->setGeometry(0, m_tabRowOffset, qMin(natural.width(), width()), natural.height());
}

#include "shell/ControlBarDock.h"

#include "panel/ControlDlg.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

CControlBarDock::CControlBarDock(QWidget* parent)
    : QDockWidget(parent)
{
    setObjectName(QStringLiteral("ControlBar"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    // An empty title bar that still reports a size, so that the dock's
    // minimum size stays valid.
    auto* noTitle = new QWidget(this);
    auto* noTitleLayout = new QHBoxLayout(noTitle);
    noTitleLayout->setContentsMargins(0, 0, 0, 0);
    setTitleBarWidget(noTitle);
    // The pages' templates, laid out in this system's fonts, can be taller
    // than the window leaves them: the panel then scrolls rather than
    // forcing the window past its size.
    m_pScroller = new QScrollArea(this);
    m_pScroller->setFrameShape(QFrame::NoFrame);
    m_pScroller->setWidgetResizable(true);
    m_pScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pControlDlg = new CControlDlg;
    m_pScroller->setWidget(m_pControlDlg);
    setWidget(m_pScroller);
}

void CControlBarDock::InitPages()
{
    m_pControlDlg->InitPages();
    // The panel keeps the width of its template (with room for the scroll
    // bar); only the preview grows.
    const int scrollBarWidth = m_pScroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_pScroller);
    m_pScroller->setFixedWidth(m_pControlDlg->sizeHint().width() + scrollBarWidth);
    // In a window too low for the pages the tabs stay at the top.
    connect(m_pScroller->verticalScrollBar(), &QScrollBar::valueChanged, m_pControlDlg,
            &CControlDlg::KeepTabRowInView);
}

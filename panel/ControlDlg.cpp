#include "panel/ControlDlg.h"

#include "panel/ControlImageDlg.h"
#include "panel/ControlShapeDlg.h"
#include "panel/ControlTextDlg.h"
#include "panel/DialogUnits.h"
#include "panel/TabCtrl.h"
#include "res/layouts/ControlBarTemplate.h"
#include "res/layouts/ImagePageTemplate.h"
#include "res/layouts/ShapePageTemplate.h"
#include "res/layouts/TextPageTemplate.h"
#include "util/DlgItems.h"

#include <QTabBar>

#include <algorithm>

CControlDlg::CControlDlg(QWidget* parent)
    : QWidget(parent)
    , m_pTabCtrl(new CTabCtrl(this))
{
    setFont(CDialogUnits::DialogFont());
    SetDlgCtrlId(m_pTabCtrl, ControlBarTemplate::IDC_TAB);
    const CDialogUnits units(font());
    const DlgItemTemplate& tab = ControlBarTemplate::kTemplate.items.front();
    m_pTabCtrl->setGeometry(units.MapDialogRect(tab.x, tab.y, tab.cx, tab.cy));
    connect(m_pTabCtrl, &CTabCtrl::currentChanged, this, &CControlDlg::OnSelChangeTab);
}

CControlDlg::~CControlDlg() = default;

void CControlDlg::InitPages()
{
    m_pTabCtrl->InsertItem(kShapeTab, QStringLiteral("도형"));
    m_pTabCtrl->InsertItem(kTextTab, QStringLiteral("텍스트"));
    m_pTabCtrl->InsertItem(kImageTab, QStringLiteral("이미지"));
    m_pShapePage = new CControlShapeDlg(this);
    m_pTextPage = new CControlTextDlg(this);
    m_pImagePage = new CControlImageDlg(this);
    ShowPage(m_pShapePage);
}

void CControlDlg::LoadPagesFromDocument()
{
    for (CControlPage* page : GetPages())
        page->LoadFromDocument();
}

void CControlDlg::RefreshPageStates()
{
    for (CControlPage* page : GetPages())
        page->UpdateControlStates();
}

std::vector<CControlPage*> CControlDlg::GetPages() const
{
    if (!m_pShapePage)
        return {};
    return {m_pShapePage, m_pTextPage, m_pImagePage};
}

QSize CControlDlg::sizeHint() const
{
    const CDialogUnits units(font());
    const QSize templateSize = units.MapDialogSize(ControlBarTemplate::kTemplate.cx, ControlBarTemplate::kTemplate.cy);
    return templateSize.expandedTo(minimumSizeHint());
}

QSize CControlDlg::minimumSizeHint() const
{
    // Tall enough for the tallest page inside the display area, so that no
    // page loses its last controls; the width stays the template's.
    const CDialogUnits units(font());
    int pageHeight = 0;
    for (const DlgTemplate* page : {&ShapePageTemplate::kTemplate, &TextPageTemplate::kTemplate, &ImagePageTemplate::kTemplate})
        pageHeight = std::max(pageHeight, units.MapY(page->cy));
    const QRect item = m_pTabCtrl->GetItemRect(0);
    const int tabRow = item.isValid() ? item.y() + item.height() : 0;
    const int width = units.MapX(ControlBarTemplate::kTemplate.cx);
    return QSize(width, 2 * kTabMargin + tabRow + 2 * kPageInset + pageHeight);
}

void CControlDlg::resizeEvent(QResizeEvent*)
{
    m_pTabCtrl->setGeometry(0, kTabMargin, width(), height() - 2 * kTabMargin);
    LayoutPage();
}

void CControlDlg::OnSelChangeTab(int index)
{
    switch (index) {
    case kShapeTab:
        ShowPage(m_pShapePage);
        break;
    case kTextTab:
        ShowPage(m_pTextPage);
        break;
    case kImageTab:
        ShowPage(m_pImagePage);
        break;
    default:
        break;
    }
}

void CControlDlg::ShowPage(CControlPage* page)
{
    if (m_pCurrentPage)
        m_pCurrentPage->hide();
    m_pCurrentPage = page;
    LayoutPage();
}

void CControlDlg::LayoutPage()
{
    if (!m_pCurrentPage)
        return;
    // The display area is the tab control's client area below the tab row;
    // the page sits kPageInset inside it.
    const QRect item = m_pTabCtrl->GetItemRect(0);
    QRect area = m_pTabCtrl->rect().adjusted(kPageInset, item.y() + item.height() + kPageInset, -kPageInset, -kPageInset);
    area.translate(m_pTabCtrl->pos());
    m_pCurrentPage->setGeometry(area);
    m_pCurrentPage->raise();
    m_pCurrentPage->show();
    MaskPageUnderTabRow();
}

void CControlDlg::KeepTabRowInView(int top)
{
    m_pTabCtrl->SetTabRowOffset(top - m_pTabCtrl->y());
    MaskPageUnderTabRow();
}

void CControlDlg::MaskPageUnderTabRow()
{
    if (!m_pCurrentPage)
        return;
    if (m_pTabCtrl->GetTabRowOffset() == 0) {
        m_pCurrentPage->clearMask();
        return;
    }
    const QWidget* tabRow = m_pTabCtrl->GetTabBar();
    const int top = tabRow->mapTo(this, QPoint()).y() - m_pCurrentPage->y();
    // The whole width: the row's background reaches past the last tab.
    const QRect band(0, top, m_pCurrentPage->width(), tabRow->height());
    m_pCurrentPage->setMask(QRegion(m_pCurrentPage->rect()).subtracted(QRegion(band)));
}

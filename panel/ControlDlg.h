#pragma once

#include <QWidget>

#include <vector>

class CControlImageDlg;
class CControlPage;
class CControlShapeDlg;
class CControlTextDlg;
class CDialogUnits;
class CTabCtrl;

// The docked control panel: a tab control with one page per tab (shape, text,
// picture). The bar edits nothing itself; it creates the pages, shows the one
// of the selected tab inside the tab's display area and relays two requests to
// all pages: load your controls from the document, and re-evaluate which of
// your controls apply. Owns its tab control and its pages (as children).
class CControlDlg : public QWidget
{
    Q_OBJECT

public:
    // Gap between the tab's display area and the page.
    static constexpr int kPageInset = 12;
    // Gap above and below the tab control, off the dock's edges.
    static constexpr int kTabMargin = 3;
    // Tab control id, and the tabs in the order of their indices.
    static constexpr int kTabCtrlId = 1000;
    enum Tab { kShapeTab = 0, kTextTab = 1, kImageTab = 2 };

    explicit CControlDlg(QWidget* parent = nullptr);
    ~CControlDlg() override;

    // Inserts the tabs, creates the three pages (hidden) and shows the shape
    // page. Called once, by the main frame, after it has docked the bar.
    void InitPages();
    // Every page copies the document's values into its controls, hidden pages
    // included, without writing anything back.
    void LoadPagesFromDocument();
    // Every page re-evaluates which of its controls are enabled.
    void RefreshPageStates();

    CTabCtrl* GetTabCtrl() const { return m_pTabCtrl; }
    CControlShapeDlg* GetShapePage() const { return m_pShapePage; }
    CControlTextDlg* GetTextPage() const { return m_pTextPage; }
    CControlImageDlg* GetImagePage() const { return m_pImagePage; }
    // The visible page; null before InitPages.
    CControlPage* GetCurrentPage() const { return m_pCurrentPage; }

    // The bar is scrolled so that its row top is the first one shown: the tab
    // row is drawn there, over the page, and stays in reach.
    void KeepTabRowInView(int top);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnSelChangeTab(int index);
    void ShowPage(CControlPage* page);
    void LayoutPage();
    // Leaves the tab row drawn over the page uncovered.
    void MaskPageUnderTabRow();
    // Shape, text and picture page, in this order; empty before InitPages.
    std::vector<CControlPage*> GetPages() const;

    CTabCtrl* m_pTabCtrl;
    CControlShapeDlg* m_pShapePage = nullptr;
    CControlTextDlg* m_pTextPage = nullptr;
    CControlImageDlg* m_pImagePage = nullptr;
    CControlPage* m_pCurrentPage = nullptr;
};

#include "QtTestRegistry.h"
#include "PagePlacement.h"

#include "panel/ControlDlg.h"
#include "panel/ControlImageDlg.h"
#include "panel/ControlShapeDlg.h"
#include "panel/ControlTextDlg.h"
#include "panel/DialogUnits.h"
#include "panel/NacreformAccessor.h"
#include "panel/TabCtrl.h"
#include "util/DlgItems.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabBar>
#include <QtTest>

// The bar on its own: tabs, which page shows, and where.
class ControlDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void tabsInOrderAndShapePageFirst();
    void switchingTabsShowsOnePageInsideDisplayArea_data();
    void switchingTabsShowsOnePageInsideDisplayArea();
    void resizeMovesTabCtrlAndRelaysOutVisiblePage();
    void sizeComesFromTheTemplateInDialogUnits();
    void withoutMainFrameNothingIsReachedOrWritten();
};

void ControlDlgTest::tabsInOrderAndShapePageFirst()
{
    CControlDlg bar;
    bar.InitPages();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    CTabCtrl* tabs = bar.GetTabCtrl();
    QCOMPARE(GetDlgItem(&bar, CControlDlg::kTabCtrlId), tabs);
    QCOMPARE(tabs->GetItemCount(), 3);
    QCOMPARE(tabs->GetTabBar()->tabText(0), QStringLiteral("도형"));
    QCOMPARE(tabs->GetTabBar()->tabText(1), QStringLiteral("텍스트"));
    QCOMPARE(tabs->GetTabBar()->tabText(2), QStringLiteral("이미지"));
    QCOMPARE(tabs->GetCurSel(), 0);
    QCOMPARE(bar.GetCurrentPage(), bar.GetShapePage());
    QVERIFY(bar.GetShapePage()->isVisible());
    QVERIFY(!bar.GetTextPage()->isVisible());
    QVERIFY(!bar.GetImagePage()->isVisible());
    VerifyPageInsideDisplayArea(bar, bar.GetShapePage());
}

void ControlDlgTest::switchingTabsShowsOnePageInsideDisplayArea_data()
{
    QTest::addColumn<int>("tab");
    QTest::newRow("text") << int(CControlDlg::kTextTab);
    QTest::newRow("picture") << int(CControlDlg::kImageTab);
    QTest::newRow("back to shape") << int(CControlDlg::kShapeTab);
}

void ControlDlgTest::switchingTabsShowsOnePageInsideDisplayArea()
{
    QFETCH(int, tab);
    CControlDlg bar;
    bar.InitPages();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    // Go through another tab first so that every switch hides a page.
    bar.GetTabCtrl()->SetCurSel(tab == CControlDlg::kTextTab ? CControlDlg::kImageTab : CControlDlg::kTextTab);
    bar.GetTabCtrl()->SetCurSel(tab);
    const QList<QWidget*> pages{bar.GetShapePage(), bar.GetTextPage(), bar.GetImagePage()};
    for (int i = 0; i < pages.size(); ++i)
        QCOMPARE(pages[i]->isVisible(), i == tab);
    QCOMPARE(bar.GetCurrentPage(), pages[tab]);
    VerifyPageInsideDisplayArea(bar, pages[tab]);
}

void ControlDlgTest::resizeMovesTabCtrlAndRelaysOutVisiblePage()
{
    CControlDlg bar;
    bar.InitPages();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    bar.GetTabCtrl()->SetCurSel(CControlDlg::kTextTab);
    const QRect hiddenBefore = bar.GetShapePage()->geometry();
    bar.resize(bar.width() + 40, bar.height() + 100);
    QCOMPARE(bar.GetTabCtrl()->geometry(), QRect(0, 3, bar.width(), bar.height() - 6));
    VerifyPageInsideDisplayArea(bar, bar.GetTextPage());
    // At its minimum height the tallest page still shows whole.
    bar.resize(bar.minimumSizeHint());
    QVERIFY(bar.GetTextPage()->childrenRect().bottom() <= bar.GetTextPage()->height());
    VerifyPageInsideDisplayArea(bar, bar.GetTextPage());
    QCOMPARE(bar.GetShapePage()->geometry(), hiddenBefore);
}

void ControlDlgTest::sizeComesFromTheTemplateInDialogUnits()
{
    CControlDlg bar;
    const CDialogUnits units(bar.font());
    QCOMPARE(bar.font().family(), QStringLiteral("Noto Sans CJK JP"));
    QCOMPARE(bar.font().pointSize(), 8);
    QVERIFY(units.GetBaseX() > 0 && units.GetBaseY() > 0);
    QCOMPARE(bar.sizeHint().width(), units.MapX(168));
    QVERIFY(bar.sizeHint().height() >= units.MapY(205));
}

void ControlDlgTest::withoutMainFrameNothingIsReachedOrWritten()
{
    CControlDlg bar;
    bar.InitPages();
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const CNacreformAccessor accessor;
    QVERIFY(!accessor.GetDocument());
    accessor.RequestRender(true);
    bar.LoadPagesFromDocument();
    bar.RefreshPageStates();
    // Fields keep working on their own; their edits go nowhere.
    auto* margin = qobject_cast<QLineEdit*>(GetDlgItem(bar.GetShapePage(), 1004));
    QVERIFY(margin);
    margin->setFocus();
    margin->selectAll();
    QTest::keyClicks(margin, QStringLiteral("77"));
    QCOMPARE(margin->text(), QStringLiteral("77"));
    QTest::mouseClick(qobject_cast<QAbstractButton*>(GetDlgItem(bar.GetImagePage(), 1004)), Qt::LeftButton);
}

NACREFORM_QTEST(ControlDlgTest)
#include "ControlDlgTest.moc"

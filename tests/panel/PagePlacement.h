#pragma once

#include "panel/ControlDlg.h"
#include "panel/TabCtrl.h"

#include <QtTest>

// Checks that page sits kPageInset inside the tab control's display area:
// from the left, right and bottom edges and below the tab row.
inline void VerifyPageInsideDisplayArea(const CControlDlg& bar, const QWidget* page)
{
    const CTabCtrl* tabs = bar.GetTabCtrl();
    const QRect client = QRect(tabs->mapTo(&bar, QPoint(0, 0)), tabs->size());
    const QRect item = tabs->GetItemRect(0).translated(tabs->pos());
    const QRect placed = page->geometry();
    QCOMPARE(placed.left() - client.left(), CControlDlg::kPageInset);
    QCOMPARE(client.right() - placed.right(), CControlDlg::kPageInset);
    QCOMPARE(client.bottom() - placed.bottom(), CControlDlg::kPageInset);
    QCOMPARE(placed.top() - (item.bottom() + 1), CControlDlg::kPageInset);
}

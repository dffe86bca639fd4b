#pragma once

#include <QWidget>

class QTabBar;

// A tab control in the manner of the platform's: a row of tabs over a framed
// display area. It holds no pages; its owner places them inside the display
// area (the client rectangle below the tab row) and switches them on
// currentChanged.
class CTabCtrl : public QWidget
{
    Q_OBJECT

public:
    explicit CTabCtrl(QWidget* parent = nullptr);

    int InsertItem(int index, const QString& text);
    int GetCurSel() const;
    void SetCurSel(int index);
    int GetItemCount() const;
    // Rectangle of a tab in this control's client coordinates, where the tab
    // row sits when the control is not scrolled.
    QRect GetItemRect(int index) const;
    // Draws the tab row dy pixels below its place (the top of a scrolled
    // view), so that the tabs stay in reach; the display area stays put.
    void SetTabRowOffset(int dy);
    int GetTabRowOffset() const { return m_tabRowOffset; }
    QTabBar* GetTabBar() const { return m_pTabBar; }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitTabBar();

    QTabBar* m_pTabBar;
    int m_tabRowOffset = 0;
};

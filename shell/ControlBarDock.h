#pragma once

#include <QDockWidget>

class CControlDlg;
class QScrollArea;

// The control panel's place at the left of the main window: no title bar,
// not movable or closable, and scrolling when the window is lower than the
// pages' templates, which keep their own width.
class CControlBarDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit CControlBarDock(QWidget* parent);

    // Lays out the panel's pages; call once the dock is in its window, whose
    // fonts and style the pages take.
    void InitPages();
    CControlDlg* GetControlDlg() const { return m_pControlDlg; }

private:
    QScrollArea* m_pScroller = nullptr;
    CControlDlg* m_pControlDlg = nullptr;
};

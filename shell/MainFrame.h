#pragma once

#include "design/DocumentListener.h"
#include "panel/NacreformAccessor.h"

#include <QMainWindow>
#include <QStringList>

#include <memory>

class CControlDlg;
class CEditHistory;
class CImageSetCommand;
class CNacreformDoc;
class CNacreformView;
class IShellDialogs;
class QAction;
class QActionGroup;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;

// The main window: the "파일" menu, the toolbar, the status bar, the control
// panel docked at the left and the preview view in the middle. It handles no
// command itself: it carries the actions (found by command id) and routes the
// shape commands to the document, the export to the view and exit to itself;
// whoever owns the document connects the file commands. It is also the
// document's listener, passing shape changes on to the panel and the view,
// and the panel's host while it lives.
class CMainFrame : public QMainWindow, public IDesignHost, private IDocumentListener
{
    Q_OBJECT

public:
    static const QString kTitle;
    static const QString kIdleText;
    // Pane 0 while the design gives no picture (a canvas too large to
    // allocate, or sizes that are no number).
    static const QString kRenderFailedText;
    static const QString kCanvasPanePlaceholder;
    // The pane of the design's checks: what the canvas cuts off (%1: pixels)
    // and the caption's contrast (%1: the ratio; %2: the least it should be).
    static const QString kCaptionCutText;
    static const QString kPictureCutText;
    static const QString kContrastText;
    static const QString kLowContrastText;
    // Shown for a while when there is no caption to fit the shape to.
    static const QString kFitFailedText;
    static constexpr int kFitFailedShowMs = 5000;

    // doc and dialogs must outlive the frame. The frame registers itself as
    // the document's listener and as the main frame.
    CMainFrame(CNacreformDoc& doc, IShellDialogs& dialogs, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The newest frame still alive, or null.
    static CMainFrame* GetMainFrame();

    CNacreformDoc* GetActiveDocument() const override { return &m_doc; }
    // Every edit of a page ends here: it becomes a step of the history, a
    // typed one (deferred render) merging with the rest of its burst.
    void OnDesignEdited(bool immediate) override;
    CNacreformView* GetActiveView() const { return m_pView; }
    CControlDlg* GetControlDlg() const { return m_pControlDlg; }
    // The undo history of the design; the frame's undo and redo commands
    // restore through it and bring the panel and the preview up to date.
    CEditHistory* GetEditHistory() const { return m_pHistory; }
    // The image-set export command of the File menu and the toolbar.
    CImageSetCommand* GetImageSetCommand() const { return m_pImageSetCommand.get(); }

    // The action of a menu or toolbar command, or null.
    QAction* GetCommand(unsigned id) const;
    // The menus of the menu bar, left to right (see FrameMenus()).
    QMenu* GetFileMenu() const { return m_menus.value(0); }
    QMenu* GetEditMenu() const { return m_menus.value(1); }
    QMenu* GetViewMenu() const { return m_menus.value(2); }
    QToolBar* GetToolBar() const { return m_pToolBar; }
    // Pane 0 shows prompts and the idle text, pane 1 the canvas size, pane 2
    // the preview's zoom, pane 3 the design's checks (cut-off caption or
    // picture, caption contrast).
    QString GetPaneText(int pane) const;

    // The fit command ("텍스트에 맞춤"): the shape sized to its caption, as one
    // step of the undo history; a word in the status bar when there is no
    // caption to fit.
    void OnFitToCaption();

    // Shows paths as the numbered recent-file entries, newest first; the
    // greyed placeholder when there are none.
    void SetRecentFiles(const QStringList& paths);
    // The recent-file entry actions, in menu order.
    QList<QAction*> GetRecentFileActions() const { return m_recentFileActions; }

    // Brings the shape buttons and the export command up to date with the
    // document and the view.
    void UpdateCommandUI();

signals:
    void RecentFileChosen(int index);
    void FilesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshPageStates() override;
    void UpdatePreview(bool immediate) override;

    // An action for every entry of FrameCommands(), found by GetCommand.
    void CreateCommands();
    void CreateMenus();
    void ConnectCommands();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateControlBar();
    void OnDesignRestored();
    // Names every toolbar button for screen readers.
    void NameToolBarButtons();
    void OnViewRendered();
    // Shows what the canvas cuts off and the caption's contrast.
    void ShowDesignChecks();
    void CenterOnScreen();
    // Whether a key pressed in a panel field is the frame's undo, redo or
    // copy, which the field then leaves to the frame.
    bool IsDesignShortcut(QObject* field, QKeyEvent* key) const;

    CNacreformDoc& m_doc;
    CControlDlg* m_pControlDlg = nullptr;
    CNacreformView* m_pView = nullptr;
    CEditHistory* m_pHistory = nullptr;
    std::unique_ptr<CImageSetCommand> m_pImageSetCommand;
    QList<QMenu*> m_menus;
    QMenu* m_pRecentFilesMenu = nullptr;
    QToolBar* m_pToolBar = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QLabel* m_pCanvasPane = nullptr;
    QLabel* m_pChecksPane = nullptr;
    QLabel* m_pZoomPane = nullptr;
    QActionGroup* m_pShapeGroup = nullptr;
    QAction* m_pRecentPlaceholder = nullptr;
    QList<QAction*> m_recentFileActions;
};

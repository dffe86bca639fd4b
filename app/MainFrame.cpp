#include "app/MainFrame.h"

#include "app/CommandIds.h"
#include "app/ImageSetCommand.h"
#include "app/NacreformView.h"
#include "app/ToolBarIcons.h"
#include "design/NacreformDoc.h"
#include "panel/ControlDlg.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

CMainFrame* s_pMainFrame = nullptr;

// The local files among dropped URLs, in drop order.
QStringList LocalFiles(const QMimeData* mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

// A recent-file entry as the menu shows it: "&1 path", a long path shortened
// in its middle so that the file name stays readable, ampersands doubled so
// that they are not taken for mnemonics.
QString RecentFileText(int index, const QString& path, const QFontMetrics& metrics)
{
    constexpr int kMaxPathWidth = 400;
    QString shown = metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, kMaxPathWidth);
    shown.replace(QLatin1Char('&'), QLatin1String("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

} // namespace

const QString CMainFrame::kTitle = QStringLiteral("Nacreform");
const QString CMainFrame::kIdleText = QStringLiteral("ﾚﾃﾞｨ");
const QString CMainFrame::kRenderFailedText =
    QStringLiteral("画像を作成できませんでした。サイズ・余白・影の位置が大きすぎます。");
const QString CMainFrame::kCanvasPanePlaceholder = QStringLiteral("  000 x 000    ");

CMainFrame::CMainFrame(CNacreformDoc& doc, IShellDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent)
    , m_doc(doc)
{
    constexpr int kWidth = 800;
    constexpr int kHeight = 600;
    setWindowTitle(kTitle);
    setWindowIcon(CToolBarIcons::ApplicationIcon());
    resize(kWidth, kHeight);
    // The frame's own context menu would let the user hide the control
    // panel, which has no other way back.
    setContextMenuPolicy(Qt::NoContextMenu);

    m_pView = new CNacreformView(doc, dialogs, this);
    m_pImageSetCommand = std::make_unique<CImageSetCommand>(doc, dialogs);
    setCentralWidget(m_pView);

    CreateMenu();
    CreateToolBar();
    CreateStatusBar();
    CreateControlBar();
    CenterOnScreen();
    setAcceptDrops(true);

    connect(m_pView, &CNacreformView::Rendered, this, &CMainFrame::OnViewRendered);
    m_doc.SetListener(this);
    s_pMainFrame = this;
    UpdateCommandUI();
}

CMainFrame::~CMainFrame()
{
    m_doc.SetListener(nullptr);
    if (s_pMainFrame == this)
        s_pMainFrame = nullptr;
}

CMainFrame* CMainFrame::GetMainFrame()
{
    return s_pMainFrame;
}

QAction* CMainFrame::AddCommand(unsigned id, const QString& text, const QString& prompt,
                                const QString& tip)
{
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setStatusTip(prompt);
    action->setToolTip(tip);
    action->setIcon(CToolBarIcons::CommandIcon(id));
    return action;
}

QAction* CMainFrame::GetCommand(unsigned id) const
{
    for (QAction* action : findChildren<QAction*>()) {
        if (action->data().toUInt() == id && action != m_pRecentPlaceholder)
            return action;
    }
    return nullptr;
}

void CMainFrame::CreateMenu()
{
    QAction* open = AddCommand(kIdFileOpen, QStringLiteral("열기(&O)..."),
                               QStringLiteral("既存のﾌｧｲﾙを開く"), QStringLiteral("開く"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* saveAs = AddCommand(kIdFileSaveAs, QStringLiteral("새 이름으로 저장(&A)..."),
                                 QStringLiteral("作業中のﾌｧｲﾙを新しい名前で保存"),
                                 QStringLiteral("名前をつけて保存"));
    saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction* exportImage = AddCommand(kIdExportImage, QStringLiteral("이미지 파일로 저장(&E)..."),
                                      QString(), QString());
    QAction* exportSet = AddCommand(kIdExportImageSet, QStringLiteral("이미지 세트로 저장(&T)..."),
                                    QStringLiteral("여러 배율과 상태의 이미지를 한 번에 저장합니다."),
                                    QStringLiteral("이미지 세트로 저장"));
    QAction* exit = AddCommand(kIdAppExit, QStringLiteral("종료(&X)"),
                               QStringLiteral("アプリケーションを終了します。"),
                               QStringLiteral("終了"));
    AddCommand(kIdAppAbout, QString(),
               QStringLiteral("プログラムの情報、バージョンそして著作権を表示します。"),
               QStringLiteral("バージョン情報"));

    m_pFileMenu = menuBar()->addMenu(QStringLiteral("파일(&F)"));
    m_pFileMenu->addAction(open);
    m_pFileMenu->addAction(saveAs);
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(exportImage);
    m_pFileMenu->addAction(exportSet);
    m_pFileMenu->addSeparator();
    m_pRecentPlaceholder = m_pFileMenu->addAction(QStringLiteral("최근 사용한 파일"));
    m_pRecentPlaceholder->setData(unsigned(kIdFileMruFirst));
    m_pRecentPlaceholder->setEnabled(false);
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(exit);

    connect(exportImage, &QAction::triggered, m_pView, &CNacreformView::OnExportImage);
    connect(exportSet, &QAction::triggered, this, [this] { m_pImageSetCommand->Run(this); });
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

void CMainFrame::CreateToolBar()
{
    constexpr int kIconSide = 32;
    m_pToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setIconSize(QSize(kIconSide, kIconSide));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    m_pToolBar->addAction(GetCommand(kIdFileOpen));
    m_pToolBar->addAction(GetCommand(kIdFileSaveAs));
    m_pToolBar->addSeparator();
    m_pShapeGroup = new QActionGroup(this);
    m_pShapeGroup->setExclusive(true);
    for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        // No text: the shape buttons have neither a tool tip nor a prompt.
        QAction* shape = AddCommand(id, QString(), QString(), QString());
        shape->setCheckable(true);
        m_pShapeGroup->addAction(shape);
        m_pToolBar->addAction(shape);
        connect(shape, &QAction::triggered, this, [this, id] {
            m_doc.OnSelectRenderer(id);
            UpdateCommandUI();
        });
    }
    m_pToolBar->addSeparator();
    QAction* exportImage = GetCommand(kIdExportImage);
    m_pToolBar->addAction(exportImage);
    // The export button has no tool tip of its own, and Qt would otherwise
    // make one from the menu text.
    m_pToolBar->widgetForAction(exportImage)->installEventFilter(this);
    m_pToolBar->addAction(GetCommand(kIdExportImageSet));
    m_pToolBar->addSeparator();
    m_pToolBar->addAction(GetCommand(kIdAppAbout));
}

void CMainFrame::CreateStatusBar()
{
    m_pMessagePane = new QLabel(kIdleText, this);
    // A normal status widget: Qt hides it while a prompt is shown, so the
    // idle text returns by itself when the prompt goes.
    statusBar()->addWidget(m_pMessagePane, 1);
    m_pCanvasPane = new QLabel(kCanvasPanePlaceholder, this);
    constexpr int kPaneMargin = 8;
    m_pCanvasPane->setFixedWidth(m_pCanvasPane->fontMetrics().horizontalAdvance(kCanvasPanePlaceholder)
                                 + kPaneMargin);
    statusBar()->addPermanentWidget(m_pCanvasPane);
}

void CMainFrame::CreateControlBar()
{
    auto* dock = new QDockWidget(this);
    dock->setObjectName(QStringLiteral("ControlBar"));
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea);
    // An empty title bar that still reports a size, so that the dock's
    // minimum size stays valid.
    auto* noTitle = new QWidget(dock);
    auto* noTitleLayout = new QHBoxLayout(noTitle);
    noTitleLayout->setContentsMargins(0, 0, 0, 0);
    dock->setTitleBarWidget(noTitle);
    // The pages' templates, laid out in this system's fonts, can be taller
    // than the window leaves them: the panel then scrolls rather than
    // forcing the window past its size.
    auto* scroller = new QScrollArea(dock);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pControlDlg = new CControlDlg;
    scroller->setWidget(m_pControlDlg);
    dock->setWidget(scroller);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    m_pControlDlg->InitPages();
    // The panel keeps the width of its template (with room for the scroll
    // bar); only the preview grows.
    const int scrollBarWidth = scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller);
    scroller->setFixedWidth(m_pControlDlg->sizeHint().width() + scrollBarWidth);
}

void CMainFrame::CenterOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    QRect frame(QPoint(), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

QString CMainFrame::GetPaneText(int pane) const
{
    if (pane == 0)
        return statusBar()->currentMessage().isEmpty() ? m_pMessagePane->text()
                                                      : statusBar()->currentMessage();
    return m_pCanvasPane->text();
}

void CMainFrame::SetRecentFiles(const QStringList& paths)
{
    for (QAction* action : std::as_const(m_recentFileActions)) {
        m_pFileMenu->removeAction(action);
        delete action;
    }
    m_recentFileActions.clear();
    m_pRecentPlaceholder->setVisible(paths.isEmpty());
    for (int i = 0; i < paths.size(); ++i) {
        auto* action = new QAction(RecentFileText(i, paths[i], m_pFileMenu->fontMetrics()), this);
        action->setData(unsigned(kIdFileMruFirst + i));
        m_pFileMenu->insertAction(m_pRecentPlaceholder, action);
        connect(action, &QAction::triggered, this, [this, i] { emit RecentFileChosen(i); });
        m_recentFileActions.append(action);
    }
}

void CMainFrame::UpdateCommandUI()
{
    for (QAction* shape : m_pShapeGroup->actions())
        shape->setChecked(m_doc.IsRendererSelected(shape->data().toUInt()));
    GetCommand(kIdExportImage)->setEnabled(m_pView->CanExportImage());
    GetCommand(kIdExportImageSet)->setEnabled(m_pView->CanExportImage());
}

void CMainFrame::OnViewRendered()
{
    const QImage& display = m_pView->GetDisplayImage();
    if (!display.isNull())
        m_pCanvasPane->setText(QStringLiteral(" %1 × %2").arg(display.width()).arg(display.height()));
    // Without a word the empty preview would look like a fault of the program.
    m_pMessagePane->setText(display.isNull() ? kRenderFailedText : kIdleText);
    UpdateCommandUI();
}

void CMainFrame::RefreshPageStates()
{
    if (m_pControlDlg)
        m_pControlDlg->RefreshPageStates();
}

void CMainFrame::UpdatePreview(bool immediate)
{
    m_pView->UpdatePreview(immediate);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList paths = LocalFiles(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    emit FilesDropped(paths);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

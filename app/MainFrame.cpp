#include "app/MainFrame.h"

#include "app/CommandIds.h"
#include "app/EditHistory.h"
#include "app/ImageSetCommand.h"
#include "app/NacreformView.h"
#include "app/ToolBarIcons.h"
#include "design/NacreformDoc.h"
#include "panel/ControlDlg.h"
#include "panel/ControlShapeDlg.h"
#include "render/CaptionContrast.h"
#include "render/CaptionFit.h"
#include "render/ContentPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
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

// The toolbar's style without the grip handle: the bar keeps a slim edge by
// which it can still be dragged to another side or floated.
class CNoGripStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_IndicatorToolBarHandle)
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        constexpr int kDragEdge = 4;
        return metric == PM_ToolBarHandleExtent ? kDragEdge : QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// A menu text as a screen reader says it: without mnemonic, shortcut or
// ellipsis.
QString SpokenText(QString text)
{
    text = text.section(QLatin1Char('\t'), 0, 0);
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&(?!&)|\\.\\.\\.$")));
    return text.trimmed();
}

} // namespace

const QString CMainFrame::kTitle = QStringLiteral("Nacreform");
const QString CMainFrame::kIdleText = QStringLiteral("ﾚﾃﾞｨ");
const QString CMainFrame::kRenderFailedText =
    QStringLiteral("画像を作成できませんでした。サイズ・余白・影の位置が大きすぎます。");
const QString CMainFrame::kCanvasPanePlaceholder = QStringLiteral("  000 x 000    ");
const QString CMainFrame::kCaptionCutText = QStringLiteral("글자가 %1px 잘림");
const QString CMainFrame::kPictureCutText = QStringLiteral("그림이 %1px 잘림");
const QString CMainFrame::kContrastText = QStringLiteral("대비 %1:1");
const QString CMainFrame::kLowContrastText = QStringLiteral("대비 %1:1 (%2:1 미만)");
const QString CMainFrame::kFitFailedText = QStringLiteral("맞출 글자가 없거나 글자가 도형의 중심에서 너무 멉니다.");

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
    m_pHistory = new CEditHistory(doc, this);

    CreateMenu();
    CreateToolBar();
    CreateStatusBar();
    CreateControlBar();
    CenterOnScreen();
    setAcceptDrops(true);

    NameToolBarButtons();
    connect(m_pView, &CNacreformView::Rendered, this, &CMainFrame::OnViewRendered);
    connect(m_pHistory, &CEditHistory::Restored, this, &CMainFrame::OnDesignRestored);
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
    QAction* newDesign = AddCommand(kIdFileNew, QStringLiteral("새로 만들기(&N)"),
                                    QStringLiteral("プリセットから新しいﾄﾞｷｭﾒﾝﾄを作成"), QStringLiteral("新規作成"));
    newDesign->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* revert = AddCommand(kIdFileRevert, QStringLiteral("되돌리기(&R)"),
                                 QStringLiteral("保存されている内容に戻す"), QStringLiteral("元に戻す"));
    QAction* open = AddCommand(kIdFileOpen, QStringLiteral("열기(&O)..."),
                               QStringLiteral("既存のﾌｧｲﾙを開く"), QStringLiteral("開く"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction* save = AddCommand(kIdFileSave, QStringLiteral("저장(&S)"),
                               QStringLiteral("作業中のﾌｧｲﾙを上書きして保存"), QStringLiteral("上書き保存"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
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
    AddCommand(kIdAppAbout, QStringLiteral("Nacreform 정보(&A)..."),
               QStringLiteral("プログラムの情報、バージョンそして著作権を表示します。"),
               QStringLiteral("バージョン情報"));

    m_pFileMenu = menuBar()->addMenu(QStringLiteral("파일(&F)"));
    m_pFileMenu->addAction(newDesign);
    m_pFileMenu->addAction(open);
    m_pFileMenu->addAction(save);
    m_pFileMenu->addAction(saveAs);
    m_pFileMenu->addAction(revert);
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
    CreateEditMenu();
    CreateHelpMenu();
}

void CMainFrame::CreateEditMenu()
{
    QAction* undo = AddCommand(kIdEditUndo, QStringLiteral("실행 취소(&U)"), QStringLiteral("直前の操作を元に戻す"),
                               QStringLiteral("元に戻す"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = AddCommand(kIdEditRedo, QStringLiteral("다시 실행(&R)"),
                               QStringLiteral("元に戻した操作をやり直す"), QStringLiteral("やり直し"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    QAction* copy = AddCommand(kIdEditCopy, QStringLiteral("이미지 복사(&C)"),
                               QStringLiteral("画像をクリップボードにコピー"), QStringLiteral("コピー"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    // A text field of the panel keeps Ctrl+C and Ctrl+Z for its own text.
    for (QAction* action : {undo, redo, copy})
        action->setShortcutContext(Qt::WindowShortcut);
    undo->setEnabled(false);
    redo->setEnabled(false);
    QAction* fit = AddCommand(kIdEditFitToCaption, QStringLiteral("텍스트에 맞춤(&F)"),
                              QStringLiteral("도형 크기를 글자에 맞춥니다."), QStringLiteral("텍스트에 맞춤"));

    m_pEditMenu = menuBar()->addMenu(QStringLiteral("편집(&E)"));
    m_pEditMenu->addAction(undo);
    m_pEditMenu->addAction(redo);
    m_pEditMenu->addSeparator();
    m_pEditMenu->addAction(copy);
    m_pEditMenu->addSeparator();
    m_pEditMenu->addAction(fit);

    connect(undo, &QAction::triggered, m_pHistory, &CEditHistory::Undo);
    connect(redo, &QAction::triggered, m_pHistory, &CEditHistory::Redo);
    connect(m_pHistory, &CEditHistory::CanUndoChanged, undo, &QAction::setEnabled);
    connect(m_pHistory, &CEditHistory::CanRedoChanged, redo, &QAction::setEnabled);
    connect(copy, &QAction::triggered, m_pView, &CNacreformView::OnEditCopy);
    connect(fit, &QAction::triggered, this, &CMainFrame::OnFitToCaption);
}

void CMainFrame::CreateHelpMenu()
{
    QMenu* help = menuBar()->addMenu(QStringLiteral("도움말(&H)"));
    help->addAction(GetCommand(kIdAppAbout));
}

void CMainFrame::CreateToolBar()
{
    constexpr int kIconSide = 32;
    m_pToolBar = new QToolBar(QStringLiteral("Toolbar"), this);
    m_pToolBar->setObjectName(QStringLiteral("ToolBar"));
    m_pToolBar->setIconSize(QSize(kIconSide, kIconSide));
    m_pToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto* noGrip = new CNoGripStyle;
    noGrip->setParent(m_pToolBar);
    m_pToolBar->setStyle(noGrip);
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    m_pToolBar->addAction(GetCommand(kIdFileOpen));
    m_pToolBar->addAction(GetCommand(kIdFileSave));
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

void CMainFrame::NameToolBarButtons()
{
    // The shape buttons have neither tool tip nor menu text to speak.
    static const QHash<unsigned, QString> kShapeNames = {
        {kRenderCircle00, QStringLiteral("원")},
        {kRenderCircle01, QStringLiteral("두 색 원")},
        {kRenderRectangle, QStringLiteral("사각형")},
        {kRenderCapsule, QStringLiteral("캡슐")},
    };
    for (QAction* action : m_pToolBar->actions()) {
        QWidget* button = m_pToolBar->widgetForAction(action);
        if (!button || action->isSeparator())
            continue;
        const unsigned id = action->data().toUInt();
        const QString name = kShapeNames.contains(id) ? kShapeNames.value(id) : SpokenText(action->text());
        button->setAccessibleName(name.isEmpty() ? action->toolTip() : name);
    }
}

void CMainFrame::CreateStatusBar()
{
    m_pMessagePane = new QLabel(kIdleText, this);
    // A normal status widget: Qt hides it while a prompt is shown, so the
    // idle text returns by itself when the prompt goes.
    statusBar()->addWidget(m_pMessagePane, 1);
    m_pChecksPane = new QLabel(this);
    m_pChecksPane->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(m_pChecksPane);
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
    connect(m_pControlDlg->GetShapePage(), &CControlShapeDlg::FitToCaptionRequested, this,
            &CMainFrame::OnFitToCaption);
    // The design's undo, redo and copy keys win over a text field's own
    // (which would undo a single field's typing behind the history's back).
    for (QLineEdit* field : m_pControlDlg->findChildren<QLineEdit*>())
        field->installEventFilter(this);
    // The panel keeps the width of its template (with room for the scroll
    // bar); only the preview grows.
    const int scrollBarWidth = scroller->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, scroller);
    scroller->setFixedWidth(m_pControlDlg->sizeHint().width() + scrollBarWidth);
    // In a window too low for the pages the tabs stay at the top.
    connect(scroller->verticalScrollBar(), &QScrollBar::valueChanged, m_pControlDlg, &CControlDlg::KeepTabRowInView);
}

bool CMainFrame::IsDesignShortcut(QObject* field, QKeyEvent* key) const
{
    const QKeySequence pressed(key->keyCombination());
    for (unsigned id : {kIdEditUndo, kIdEditRedo, kIdEditCopy}) {
        const QAction* action = GetCommand(id);
        if (!action->shortcuts().contains(pressed))
            continue;
        // Copy is the field's own while it has a selection to copy.
        const auto* edit = qobject_cast<const QLineEdit*>(field);
        return id != kIdEditCopy || !edit || !edit->hasSelectedText();
    }
    return false;
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
    return pane == 1 ? m_pCanvasPane->text() : m_pChecksPane->text();
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
    GetCommand(kIdEditCopy)->setEnabled(m_pView->CanExportImage());
}

void CMainFrame::OnDesignRestored()
{
    if (m_pControlDlg)
        m_pControlDlg->LoadPagesFromDocument();
    m_pView->UpdatePreview(true);
    UpdateCommandUI();
}

void CMainFrame::OnViewRendered()
{
    const QImage& display = m_pView->GetDisplayImage();
    if (!display.isNull())
        m_pCanvasPane->setText(QStringLiteral(" %1 × %2").arg(display.width()).arg(display.height()));
    // Without a word the empty preview would look like a fault of the program.
    m_pMessagePane->setText(display.isNull() ? kRenderFailedText : kIdleText);
    ShowDesignChecks();
    UpdateCommandUI();
}

void CMainFrame::ShowDesignChecks()
{
    QStringList notes;
    const SContentCuts cuts = FindContentCuts(m_doc);
    bool warn = cuts.Any();
    if (cuts.caption > 0)
        notes.append(kCaptionCutText.arg(cuts.caption));
    if (cuts.picture > 0)
        notes.append(kPictureCutText.arg(cuts.picture));
    if (const auto contrast = MeasureCaptionContrast(m_doc)) {
        const QString ratio = QString::number(contrast->ratio, 'f', 1);
        if (contrast->IsSufficient()) {
            notes.append(kContrastText.arg(ratio));
        } else {
            notes.append(kLowContrastText.arg(ratio, QString::number(contrast->Required(), 'g', 2)));
            warn = true;
        }
    }
    m_pChecksPane->setText((warn ? QStringLiteral("⚠ ") : QString()) + notes.join(QStringLiteral(" · ")));
    m_pChecksPane->setForegroundRole(warn ? QPalette::Highlight : QPalette::WindowText);
}

void CMainFrame::OnFitToCaption()
{
    QString why;
    if (!FitShapeToCaption(m_doc, std::nullopt, &why)) {
        statusBar()->showMessage(kFitFailedText, kFitFailedShowMs);
        return;
    }
    m_pControlDlg->LoadPagesFromDocument();
    UpdatePreview(true);
}

void CMainFrame::RefreshPageStates()
{
    if (m_pControlDlg)
        m_pControlDlg->RefreshPageStates();
}

void CMainFrame::UpdatePreview(bool immediate)
{
    m_pHistory->RecordEdit(false);
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
    if (event->type() == QEvent::ShortcutOverride)
        return IsDesignShortcut(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::ToolTip)
        return true;
    return QMainWindow::eventFilter(watched, event);
}

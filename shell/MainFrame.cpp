#include "shell/MainFrame.h"

#include "shell/CommandIds.h"
#include "shell/ControlBarDock.h"
#include "shell/EditHistory.h"
#include "shell/FrameCommands.h"
#include "shell/NoGripStyle.h"
#include "shell/ImageSetCommand.h"
#include "shell/NacreformView.h"
#include "shell/ToolBarIcons.h"
#include "design/NacreformDoc.h"
#include "panel/ControlDlg.h"
#include "panel/ControlShapeDlg.h"
#include "render/CaptionContrast.h"
#include "render/CaptionFit.h"
#include "render/ContentPlacement.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include <functional>

namespace {

CMainFrame* s_pMainFrame = nullptr;
constexpr char kSpokenNameProperty[] = "spokenName";

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

    CreateCommands();
    CreateMenus();
    ConnectCommands();
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
    CNacreformAccessor::SetDesignHost(this);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame()
{
    m_doc.SetListener(nullptr);
    if (s_pMainFrame == this)
        s_pMainFrame = nullptr;
    if (CNacreformAccessor::GetDesignHost() == this)
        CNacreformAccessor::SetDesignHost(nullptr);
}

CMainFrame* CMainFrame::GetMainFrame()
{
    return s_pMainFrame;
}

void CMainFrame::CreateCommands()
{
    for (const SFrameCommand& command : FrameCommands()) {
        auto* action = new QAction(command.text, this);
        // Buttons without text are still named for screen readers.
        if (!command.spokenName.isEmpty())
            action->setProperty(kSpokenNameProperty, command.spokenName);
        action->setData(command.id);
        action->setStatusTip(command.prompt);
        action->setToolTip(command.tip);
        action->setIcon(CToolBarIcons::CommandIcon(command.id));
        action->setShortcuts(command.shortcuts);
        action->setCheckable(command.checkable);
        // A text field of the panel keeps Ctrl+C and Ctrl+Z for its own text.
        if (command.windowShortcut)
            action->setShortcutContext(Qt::WindowShortcut);
    }
}

QAction* CMainFrame::GetCommand(unsigned id) const
{
    for (QAction* action : findChildren<QAction*>()) {
        if (action->data().toUInt() == id && action != m_pRecentPlaceholder)
            return action;
    }
    return nullptr;
}

void CMainFrame::CreateMenus()
{
    for (const SFrameMenu& layout : FrameMenus()) {
        QMenu* menu = menuBar()->addMenu(layout.title);
        for (unsigned item : layout.items) {
            if (item == kPlaceSeparator) {
                menu->addSeparator();
            } else if (item == kPlaceRecentFiles) {
                m_pRecentFilesMenu = menu;
                m_pRecentPlaceholder = menu->addAction(QStringLiteral("최근 사용한 파일"));
                m_pRecentPlaceholder->setData(unsigned(kIdFileMruFirst));
                m_pRecentPlaceholder->setEnabled(false);
            } else {
                menu->addAction(GetCommand(item));
            }
        }
        m_menus.append(menu);
    }
}

void CMainFrame::ConnectCommands()
{
    const QHash<unsigned, std::function<void()>> handlers = {
        {kIdExportImage, [this] { m_pView->OnExportImage(); }},
        {kIdExportImageSet, [this] { m_pImageSetCommand->Run(this); }},
        {kIdAppExit, [this] { close(); }},
        {kIdEditUndo, [this] { m_pHistory->Undo(); }},
        {kIdEditRedo, [this] { m_pHistory->Redo(); }},
        {kIdEditCopy, [this] { m_pView->OnEditCopy(); }},
        {kIdEditFitToCaption, [this] { OnFitToCaption(); }},
        {kIdViewZoomIn, [this] { m_pView->ZoomIn(); }},
        {kIdViewZoomOut, [this] { m_pView->ZoomOut(); }},
        {kIdViewActualSize, [this] { m_pView->ZoomToActualSize(); }},
        {kIdViewZoomFit, [this] { m_pView->ZoomToFit(); }},
    };
    for (auto handler = handlers.begin(); handler != handlers.end(); ++handler)
        connect(GetCommand(handler.key()), &QAction::triggered, this, handler.value());

    QAction* undo = GetCommand(kIdEditUndo);
    QAction* redo = GetCommand(kIdEditRedo);
    undo->setEnabled(false);
    redo->setEnabled(false);
    connect(m_pHistory, &CEditHistory::CanUndoChanged, undo, &QAction::setEnabled);
    connect(m_pHistory, &CEditHistory::CanRedoChanged, redo, &QAction::setEnabled);
    // "실행 취소: 여백(&U)": the step's name goes before the mnemonic.
    const auto namesItsStep = [](QAction* action) {
        return [action, plain = action->text()](const QString& step) {
            const qsizetype mnemonic = plain.indexOf(QLatin1String("(&"));
            action->setText(step.isEmpty() ? plain : QString(plain).insert(mnemonic, QStringLiteral(": ") + step));
        };
    };
    connect(m_pHistory, &CEditHistory::UndoTextChanged, undo, namesItsStep(undo));
    connect(m_pHistory, &CEditHistory::RedoTextChanged, redo, namesItsStep(redo));

    m_pShapeGroup = new QActionGroup(this);
    m_pShapeGroup->setExclusive(true);
    for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule}) {
        QAction* shape = GetCommand(id);
        m_pShapeGroup->addAction(shape);
        connect(shape, &QAction::triggered, this, [this, id] {
            m_doc.OnSelectRenderer(id);
            UpdateCommandUI();
        });
    }
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
    for (unsigned item : FrameToolBar()) {
        if (item == kPlaceSeparator)
            m_pToolBar->addSeparator();
        else
            m_pToolBar->addAction(GetCommand(item));
    }
    // The export button has no tool tip of its own, and Qt would otherwise
    // make one from the menu text.
    m_pToolBar->widgetForAction(GetCommand(kIdExportImage))->installEventFilter(this);
}

void CMainFrame::NameToolBarButtons()
{
    for (QAction* action : m_pToolBar->actions()) {
        QWidget* button = m_pToolBar->widgetForAction(action);
        if (!button || action->isSeparator())
            continue;
        const QString spoken = action->property(kSpokenNameProperty).toString();
        const QString name = spoken.isEmpty() ? SpokenText(action->text()) : spoken;
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
    m_pChecksPane->setToolTip(QStringLiteral("글자와 그 뒤 도형 색의 대비 (WCAG 2): 4.5:1 이상, 24px 이상의 글자는 3:1 이상"));
    statusBar()->addPermanentWidget(m_pChecksPane);
    m_pCanvasPane = new QLabel(kCanvasPanePlaceholder, this);
    constexpr int kPaneMargin = 8;
    m_pCanvasPane->setFixedWidth(m_pCanvasPane->fontMetrics().horizontalAdvance(kCanvasPanePlaceholder)
                                 + kPaneMargin);
    statusBar()->addPermanentWidget(m_pCanvasPane);
    m_pZoomPane = new QLabel(m_pView->GetZoom().GetText(), this);
    m_pZoomPane->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pZoomPane->setMinimumWidth(m_pZoomPane->fontMetrics().horizontalAdvance(QStringLiteral("1600 %")) + kPaneMargin);
    statusBar()->addPermanentWidget(m_pZoomPane);
    connect(m_pView, &CNacreformView::ZoomChanged, m_pZoomPane,
            [this] { m_pZoomPane->setText(m_pView->GetZoom().GetText()); });
}

void CMainFrame::CreateControlBar()
{
    auto* dock = new CControlBarDock(this);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    dock->InitPages();
    m_pControlDlg = dock->GetControlDlg();
    connect(m_pControlDlg->GetShapePage(), &CControlShapeDlg::FitToCaptionRequested, this,
            &CMainFrame::OnFitToCaption);
    // The design's undo, redo and copy keys win over a text field's own
    // (which would undo a single field's typing behind the history's back).
    for (QLineEdit* field : m_pControlDlg->findChildren<QLineEdit*>())
        field->installEventFilter(this);
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
    return pane == 1 ? m_pCanvasPane->text() : pane == 2 ? m_pZoomPane->text() : m_pChecksPane->text();
}

void CMainFrame::SetRecentFiles(const QStringList& paths)
{
    for (QAction* action : std::as_const(m_recentFileActions)) {
        m_pRecentFilesMenu->removeAction(action);
        delete action;
    }
    m_recentFileActions.clear();
    m_pRecentPlaceholder->setVisible(paths.isEmpty());
    for (int i = 0; i < paths.size(); ++i) {
        auto* action = new QAction(RecentFileText(i, paths[i], m_pRecentFilesMenu->fontMetrics()), this);
        action->setData(unsigned(kIdFileMruFirst + i));
        m_pRecentFilesMenu->insertAction(m_pRecentPlaceholder, action);
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

void CMainFrame::OnDesignEdited(bool immediate)
{
    m_pHistory->RecordEdit(!immediate);
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

#include "QtTestRegistry.h"
#include "ShellHarness.h"
#include "shell/CommandIds.h"
#include "shell/EditHistory.h"
#include "shell/ToolBarIcons.h"
#include "panel/ControlDlg.h"

#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QMenuBar>
#include <QtTest>

// The main window as the user meets it: caption, menu, toolbar, status bar,
// the docked panel, the shape buttons and dropped files.
class MainFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensCentredWithFixedCaption();
    void fileMenuItemsInOrder();
    void editAndHelpMenusFollowTheFileMenu();
    void undoAndRedoNameTheirStep();
    void toolbarButtonsInOrder();
    void promptsAndToolTips_data();
    void promptsAndToolTips();
    void statusBarPanes();
    void shapeButtonsFollowTheDocument();
    void exportDisabledWithoutRenderedBitmap();
    void droppedFilesOpenOneAfterTheOther();
    void controlPanelDockedAtTheLeft();
    void tallPanelScrollsInsteadOfGrowingTheWindow();
    void windowIconIsRenderedAtEachSize();
};

namespace {

// One menu or toolbar entry: its command id, or 0 for a separator.
QList<unsigned> CommandIdsOf(const QList<QAction*>& actions)
{
    QList<unsigned> ids;
    for (const QAction* action : actions) {
        if (action->isVisible())
            ids.append(action->isSeparator() ? 0u : action->data().toUInt());
    }
    return ids;
}

} // namespace

void MainFrameTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void MainFrameTest::opensCentredWithFixedCaption()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    QCOMPARE(CMainFrame::GetMainFrame(), &frame);
    QCOMPARE(frame.size(), QSize(800, 600));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Nacreform"));
    const QPoint screenCentre = frame.screen()->availableGeometry().center();
    QVERIFY((frame.geometry().center() - screenCentre).manhattanLength() <= 2);

    shell.dialogs.fileAnswers = {shell.WriteDesign(QStringLiteral("a.nfd"), 9)};
    shell.docManager.OnFileOpen();
    shell.dialogs.fileAnswers = {shell.FilePath(QStringLiteral("b.nfd"))};
    shell.docManager.OnFileSaveAs();
    QCOMPARE(shell.Doc().GetTitle(), QStringLiteral("b.nfd"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Nacreform"));
}

void MainFrameTest::fileMenuItemsInOrder()
{
    SShellHarness shell;
    QMenu* menu = shell.Frame().GetFileMenu();
    QCOMPARE(menu->title(), QStringLiteral("파일(&F)"));
    const QList<unsigned> expected = {kIdFileNew, kIdFileOpen, kIdFileSave, kIdFileSaveAs, kIdFileRevert, 0,
                                      kIdExportImage, kIdExportImageSet, 0, kIdFileMruFirst, 0, kIdAppExit};
    QCOMPARE(CommandIdsOf(menu->actions()), expected);

    const QList<QAction*> items = menu->actions();
    QCOMPARE(items[0]->text(), QStringLiteral("새로 만들기(&N)"));
    QCOMPARE(items[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    QCOMPARE(items[1]->text(), QStringLiteral("열기(&O)..."));
    QCOMPARE(items[1]->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    QCOMPARE(items[2]->text(), QStringLiteral("저장(&S)"));
    QCOMPARE(items[2]->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QCOMPARE(items[3]->text(), QStringLiteral("새 이름으로 저장(&A)..."));
    QCOMPARE(items[3]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    QCOMPARE(items[4]->text(), QStringLiteral("되돌리기(&R)"));
    QCOMPARE(items[6]->text(), QStringLiteral("이미지 파일로 저장(&E)..."));
    QCOMPARE(items[7]->text(), QStringLiteral("이미지 세트로 저장(&T)..."));
    QCOMPARE(items[9]->text(), QStringLiteral("최근 사용한 파일"));
    QVERIFY(!items[9]->isEnabled());
    QCOMPARE(items[11]->text(), QStringLiteral("종료(&X)"));
}

void MainFrameTest::editAndHelpMenusFollowTheFileMenu()
{
    SShellHarness shell;
    const QList<QAction*> menus = shell.Frame().menuBar()->actions();
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus[1]->text(), QStringLiteral("편집(&E)"));
    QCOMPARE(menus[2]->text(), QStringLiteral("보기(&V)"));
    QCOMPARE(menus[3]->text(), QStringLiteral("도움말(&H)"));
    QCOMPARE(CommandIdsOf(menus[2]->menu()->actions()),
             (QList<unsigned>{kIdViewZoomIn, kIdViewZoomOut, kIdViewActualSize, kIdViewZoomFit}));

    QMenu* edit = shell.Frame().GetEditMenu();
    QCOMPARE(menus[1]->menu(), edit);
    QCOMPARE(CommandIdsOf(edit->actions()),
             (QList<unsigned>{kIdEditUndo, kIdEditRedo, 0, kIdEditCopy, 0, kIdEditFitToCaption}));
    const QList<QAction*> items = edit->actions();
    QCOMPARE(items[0]->text(), QStringLiteral("실행 취소(&U)"));
    QCOMPARE(items[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(items[1]->text(), QStringLiteral("다시 실행(&R)"));
    QCOMPARE(items[1]->shortcuts(),
             (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    QCOMPARE(items[3]->text(), QStringLiteral("이미지 복사(&C)"));
    QCOMPARE(items[3]->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    // Nothing to undo or redo in a design just opened.
    QVERIFY(!items[0]->isEnabled());
    QVERIFY(!items[1]->isEnabled());

    const QList<QAction*> help = menus[3]->menu()->actions();
    QCOMPARE(help.size(), 1);
    QCOMPARE(help[0], shell.Frame().GetCommand(kIdAppAbout));
    QCOMPARE(help[0]->text(), QStringLiteral("Nacreform 정보(&A)..."));
}

void MainFrameTest::undoAndRedoNameTheirStep()
{
    SShellHarness shell;
    QAction* undo = shell.Frame().GetCommand(kIdEditUndo);
    QAction* redo = shell.Frame().GetCommand(kIdEditRedo);
    shell.Doc().Margin = 9;
    shell.Frame().OnDesignEdited(false);
    QCOMPARE(undo->text(), QStringLiteral("실행 취소: 여백(&U)"));
    QCOMPARE(redo->text(), QStringLiteral("다시 실행(&R)"));
    shell.Doc().SelectRenderer(kRenderCapsule, false, true);
    QCOMPARE(undo->text(), QStringLiteral("실행 취소: 도형(&U)"));
    undo->trigger();
    undo->trigger();
    QCOMPARE(undo->text(), QStringLiteral("실행 취소(&U)"));
    QCOMPARE(redo->text(), QStringLiteral("다시 실행: 여백(&R)"));

    // Every field has a name of its own.
    QSet<QString> names;
    for (int field = 0; field < CNacreformDoc::DesignKeys().size(); ++field)
        names.insert(CEditHistory::StepName(field));
    names.remove(QString());
    QCOMPARE(names.size(), CNacreformDoc::DesignKeys().size());
}

void MainFrameTest::toolbarButtonsInOrder()
{
    SShellHarness shell;
    QToolBar* toolBar = shell.Frame().GetToolBar();
    const QList<unsigned> expected = {kIdFileOpen,    kIdFileSave,      kIdFileSaveAs,    0,
                                      kRenderCircle00, kRenderCircle01,  kRenderRectangle,
                                      kRenderCapsule,  0,                kIdExportImage,
                                      kIdExportImageSet, 0,              kIdAppAbout};
    QCOMPARE(CommandIdsOf(toolBar->actions()), expected);
    QCOMPARE(toolBar->iconSize(), QSize(32, 32));
    for (QAction* action : toolBar->actions()) {
        if (!action->isSeparator())
            QVERIFY2(!action->icon().isNull(), qPrintable(QString::number(action->data().toUInt())));
    }
}

void MainFrameTest::promptsAndToolTips_data()
{
    QTest::addColumn<unsigned>("id");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("tip");
    QTest::newRow("open") << unsigned(kIdFileOpen) << QStringLiteral("既存のﾌｧｲﾙを開く")
                          << QStringLiteral("開く");
    QTest::newRow("save as") << unsigned(kIdFileSaveAs) << QStringLiteral("作業中のﾌｧｲﾙを新しい名前で保存")
                             << QStringLiteral("名前をつけて保存");
    QTest::newRow("about") << unsigned(kIdAppAbout)
                           << QStringLiteral("プログラムの情報、バージョンそして著作権を表示します。")
                           << QStringLiteral("バージョン情報");
    QTest::newRow("exit") << unsigned(kIdAppExit) << QStringLiteral("アプリケーションを終了します。")
                          << QStringLiteral("終了");
    QTest::newRow("shape") << unsigned(kRenderCapsule) << QString() << QString();
    QTest::newRow("export") << unsigned(kIdExportImage) << QString() << QString();
    QTest::newRow("export set") << unsigned(kIdExportImageSet)
                                << QStringLiteral("여러 배율과 상태의 이미지를 한 번에 저장합니다.")
                                << QStringLiteral("이미지 세트로 저장");
}

void MainFrameTest::promptsAndToolTips()
{
    QFETCH(unsigned, id);
    QFETCH(QString, prompt);
    QFETCH(QString, tip);
    SShellHarness shell;
    QAction* action = shell.Frame().GetCommand(id);
    QVERIFY(action);
    QCOMPARE(action->statusTip(), prompt);
    if (id != kIdExportImage) // its button swallows the tip Qt derives from the menu text
        QCOMPARE(action->toolTip(), tip);
}

void MainFrameTest::statusBarPanes()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    QCOMPARE(frame.GetPaneText(0), QStringLiteral("ﾚﾃﾞｨ"));
    const QImage& display = shell.View().GetDisplayImage();
    QCOMPARE(frame.GetPaneText(1), QStringLiteral(" %1 × %2").arg(display.width()).arg(display.height()));
    QCOMPARE(display.size(), QSize(145, 148));

    // A prompt replaces the idle text while it is shown.
    frame.GetCommand(kIdFileOpen)->showStatusText(&frame);
    QCOMPARE(frame.GetPaneText(0), QStringLiteral("既存のﾌｧｲﾙを開く"));
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(&frame, &gone);
    QCOMPARE(frame.GetPaneText(0), QStringLiteral("ﾚﾃﾞｨ"));

    const QList<QLabel*> panes = frame.statusBar()->findChildren<QLabel*>();
    const auto canvasPane = std::find_if(panes.begin(), panes.end(), [&](QLabel* label) {
        return label->text() == frame.GetPaneText(1);
    });
    QVERIFY(canvasPane != panes.end());
    QVERIFY((*canvasPane)->width()
            >= (*canvasPane)->fontMetrics().horizontalAdvance(CMainFrame::kCanvasPanePlaceholder));
}

void MainFrameTest::shapeButtonsFollowTheDocument()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    QSignalSpy renders(&shell.View(), &CNacreformView::Rendered);
    auto checkedShapes = [&] {
        QList<unsigned> ids;
        for (unsigned id : {kRenderCircle00, kRenderCircle01, kRenderRectangle, kRenderCapsule})
            if (frame.GetCommand(id)->isChecked())
                ids.append(id);
        return ids;
    };
    QCOMPARE(checkedShapes(), QList<unsigned>{kRenderCircle00});

    const std::type_info& circle = typeid(*shell.Doc().Renderer);
    frame.GetCommand(kRenderRectangle)->trigger();
    QCOMPARE(shell.Doc().RenderID, unsigned(kRenderRectangle));
    QVERIFY(typeid(*shell.Doc().Renderer) != circle);
    QCOMPARE(renders.count(), 1);
    QCOMPARE(checkedShapes(), QList<unsigned>{kRenderRectangle});

    // The shape already selected: no new renderer, no render.
    const CRender* current = shell.Doc().Renderer.get();
    frame.GetCommand(kRenderRectangle)->trigger();
    QCOMPARE(shell.Doc().Renderer.get(), current);
    QCOMPARE(renders.count(), 1);
    QCOMPARE(checkedShapes(), QList<unsigned>{kRenderRectangle});

    // An opened design brings its own shape.
    QVERIFY(shell.docManager.OpenDocumentFile(shell.WriteDesign(QStringLiteral("capsule.nfd"), 5, kRenderCapsule)));
    QCOMPARE(checkedShapes(), QList<unsigned>{kRenderCapsule});
}

void MainFrameTest::exportDisabledWithoutRenderedBitmap()
{
    SShellHarness shell;
    QAction* exportImage = shell.Frame().GetCommand(kIdExportImage);
    QVERIFY(exportImage->isEnabled());

    shell.Doc().Renderer.reset();
    shell.View().UpdatePreview(true);
    QVERIFY(!exportImage->isEnabled());
    exportImage->trigger();
    shell.View().OnExportImage();
    QVERIFY(shell.dialogs.fileRequests.isEmpty());

    shell.Doc().SelectRenderer(kRenderCircle01, false, true);
    QVERIFY(exportImage->isEnabled());
}

void MainFrameTest::droppedFilesOpenOneAfterTheOther()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    const QString first = shell.WriteDesign(QStringLiteral("first.nfd"), 11);
    const QString second = shell.WriteDesign(QStringLiteral("second.nfd"), 22);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});

    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QSignalSpy renders(&shell.View(), &CNacreformView::Rendered);
    QApplication::sendEvent(&frame, &drop);

    QCOMPARE(shell.Doc().Margin, 22);
    QCOMPARE(renders.count(), 2);
    QCOMPARE(shell.recentFiles.GetPaths(), (QStringList{second, first}));
    QCOMPARE(shell.Doc().GetTitle(), QStringLiteral("second.nfd"));
}

void MainFrameTest::controlPanelDockedAtTheLeft()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    CControlDlg* panel = frame.GetControlDlg();
    QVERIFY(panel);
    QDockWidget* dock = nullptr;
    for (QWidget* up = panel->parentWidget(); up && !dock; up = up->parentWidget())
        dock = qobject_cast<QDockWidget*>(up);
    QVERIFY(dock);
    QCOMPARE(frame.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QCOMPARE(dock->features(), QDockWidget::NoDockWidgetFeatures);
    QVERIFY(dock->titleBarWidget());
    QVERIFY(panel->GetCurrentPage());
}

void MainFrameTest::tallPanelScrollsInsteadOfGrowingTheWindow()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    CControlDlg* panel = frame.GetControlDlg();
    QFont large = panel->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    panel->setFont(large);
    frame.show();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QVERIFY(panel->minimumSizeHint().height() > frame.height());
    QCOMPARE(frame.size(), QSize(800, 600));
    QTRY_VERIFY(panel->height() >= panel->minimumSizeHint().height());
}

NACREFORM_QTEST(MainFrameTest)
// Each size is its own render of the icon design, filling its square the way
// the installed icon set does (a shape shadow would make it taller).
void MainFrameTest::windowIconIsRenderedAtEachSize()
{
    SShellHarness shell;
    const QList<QSize> sizes = shell.Frame().windowIcon().availableSizes();
    for (int side : {16, 24, 32, 48, 64}) {
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
        const QImage icon = CToolBarIcons::DrawApplicationIcon(side);
        QCOMPARE(icon.size(), QSize(side, side));
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(side / 2, side / 2)), 255);
    }
}

#include "MainFrameTest.moc"

#include "shell/FrameCommands.h"

const std::vector<SFrameCommand>& FrameCommands()
{
    static const std::vector<SFrameCommand> commands = {
        {kIdFileNew, QStringLiteral("새로 만들기(&N)"), QStringLiteral("プリセットから新しいﾄﾞｷｭﾒﾝﾄを作成"),
         QStringLiteral("新規作成"), {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {kIdFileRevert, QStringLiteral("되돌리기(&R)"), QStringLiteral("保存されている内容に戻す"),
         QStringLiteral("保存時に戻す"), {}},
        {kIdFileOpen, QStringLiteral("열기(&O)..."), QStringLiteral("既存のﾌｧｲﾙを開く"), QStringLiteral("開く"),
         {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {kIdFileSave, QStringLiteral("저장(&S)"), QStringLiteral("作業中のﾌｧｲﾙを上書きして保存"),
         QStringLiteral("上書き保存"), {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {kIdFileSaveAs, QStringLiteral("새 이름으로 저장(&A)..."), QStringLiteral("作業中のﾌｧｲﾙを新しい名前で保存"),
         QStringLiteral("名前をつけて保存"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        // The export has neither prompt nor tool tip of its own.
        {kIdExportImage, QStringLiteral("이미지 파일로 저장(&E)..."), QString(), QString(), {}},
        {kIdExportImageSet, QStringLiteral("이미지 세트로 저장(&T)..."),
         QStringLiteral("여러 배율과 상태의 이미지를 한 번에 저장합니다."), QStringLiteral("이미지 세트로 저장"), {}},
        {kIdAppExit, QStringLiteral("종료(&X)"), QStringLiteral("アプリケーションを終了します。"),
         QStringLiteral("終了"), {}},
        {kIdAppAbout, QStringLiteral("Nacreform 정보(&A)..."),
         QStringLiteral("プログラムの情報、バージョンそして著作権を表示します。"), QStringLiteral("バージョン情報"), {}},
        {kIdEditUndo, QStringLiteral("실행 취소(&U)"), QStringLiteral("直前の操作を元に戻す"), QStringLiteral("元に戻す"),
         {QKeySequence(Qt::CTRL | Qt::Key_Z)}, true},
        {kIdEditRedo, QStringLiteral("다시 실행(&R)"), QStringLiteral("元に戻した操作をやり直す"),
         QStringLiteral("やり直し"),
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, true},
        {kIdEditCopy, QStringLiteral("이미지 복사(&C)"), QStringLiteral("画像をクリップボードにコピー"),
         QStringLiteral("コピー"), {QKeySequence(Qt::CTRL | Qt::Key_C)}, true},
        {kIdEditFitToCaption, QStringLiteral("텍스트에 맞춤(&F)"), QStringLiteral("도형 크기를 글자에 맞춥니다."),
         QStringLiteral("텍스트에 맞춤"), {}},
        {kIdViewZoomIn, QStringLiteral("확대(&I)"), QStringLiteral("미리 보기를 확대합니다."), QStringLiteral("확대"),
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {kIdViewZoomOut, QStringLiteral("축소(&O)"), QStringLiteral("미리 보기를 축소합니다."), QStringLiteral("축소"),
         {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
        {kIdViewActualSize, QStringLiteral("실제 크기(&A)"), QStringLiteral("미리 보기를 100 %로 표시합니다."),
         QStringLiteral("실제 크기"), {QKeySequence(Qt::CTRL | Qt::Key_0)}},
        {kIdViewZoomFit, QStringLiteral("창에 맞춤(&F)"), QStringLiteral("미리 보기 전체를 창에 맞춰 표시합니다."),
         QStringLiteral("창에 맞춤"), {}},
        // The shape buttons show no text at all (no tool tip, no prompt); only
        // screen readers name them.
        {kRenderCircle00, QString(), QString(), QString(), {}, false, true, QStringLiteral("원")},
        {kRenderCircle01, QString(), QString(), QString(), {}, false, true, QStringLiteral("두 색 원")},
        {kRenderRectangle, QString(), QString(), QString(), {}, false, true, QStringLiteral("사각형")},
        {kRenderCapsule, QString(), QString(), QString(), {}, false, true, QStringLiteral("캡슐")},
    };
    return commands;
}

const std::vector<SFrameMenu>& FrameMenus()
{
    static const std::vector<SFrameMenu> menus = {
        {QStringLiteral("파일(&F)"),
         {kIdFileNew, kIdFileOpen, kIdFileSave, kIdFileSaveAs, kIdFileRevert, kPlaceSeparator, kIdExportImage,
          kIdExportImageSet,
          kPlaceSeparator, kPlaceRecentFiles, kPlaceSeparator, kIdAppExit}},
        {QStringLiteral("편집(&E)"),
         {kIdEditUndo, kIdEditRedo, kPlaceSeparator, kIdEditCopy, kPlaceSeparator, kIdEditFitToCaption}},
        {QStringLiteral("보기(&V)"), {kIdViewZoomIn, kIdViewZoomOut, kIdViewActualSize, kIdViewZoomFit}},
        {QStringLiteral("도움말(&H)"), {kIdAppAbout}},
    };
    return menus;
}

const std::vector<unsigned>& FrameToolBar()
{
    static const std::vector<unsigned> toolBar = {
        kIdFileOpen,     kIdFileSave,      kIdFileSaveAs,   kPlaceSeparator, kRenderCircle00,
        kRenderCircle01, kRenderRectangle, kRenderCapsule,  kPlaceSeparator, kIdExportImage,
        kIdExportImageSet, kPlaceSeparator, kIdAppAbout,
    };
    return toolBar;
}

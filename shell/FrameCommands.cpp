#include "shell/FrameCommands.h"

// Each entry names only the fields its command has; the others keep their
// defaults, which GCC would report as missing.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
const std::vector<SFrameCommand>& FrameCommands()
{
    static const std::vector<SFrameCommand> commands = {
        {.id = kIdFileNew,
            .text = QStringLiteral("새로 만들기(&N)"),
            .prompt = QStringLiteral("プリセットから新しいﾄﾞｷｭﾒﾝﾄを作成"),
            .tip = QStringLiteral("新規作成"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_N)}},
        {.id = kIdFileRevert,
            .text = QStringLiteral("되돌리기(&R)"),
            .prompt = QStringLiteral("保存されている内容に戻す"),
            .tip = QStringLiteral("保存時に戻す")},
        {.id = kIdFileOpen,
            .text = QStringLiteral("열기(&O)..."),
            .prompt = QStringLiteral("既存のﾌｧｲﾙを開く"),
            .tip = QStringLiteral("開く"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_O)}},
        {.id = kIdFileSave,
            .text = QStringLiteral("저장(&S)"),
            .prompt = QStringLiteral("作業中のﾌｧｲﾙを上書きして保存"),
            .tip = QStringLiteral("上書き保存"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_S)}},
        {.id = kIdFileSaveAs,
            .text = QStringLiteral("새 이름으로 저장(&A)..."),
            .prompt = QStringLiteral("作業中のﾌｧｲﾙを新しい名前で保存"),
            .tip = QStringLiteral("名前をつけて保存"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)}},
        // The export has neither prompt nor tool tip of its own.
        {.id = kIdExportImage, .text = QStringLiteral("이미지 파일로 저장(&E)...")},
        {.id = kIdExportImageSet,
            .text = QStringLiteral("이미지 세트로 저장(&T)..."),
            .prompt = QStringLiteral("여러 배율과 상태의 이미지를 한 번에 저장합니다."),
            .tip = QStringLiteral("이미지 세트로 저장")},
        {.id = kIdAppExit,
            .text = QStringLiteral("종료(&X)"),
            .prompt = QStringLiteral("アプリケーションを終了します。"),
            .tip = QStringLiteral("終了")},
        {.id = kIdAppAbout,
            .text = QStringLiteral("Nacreform 정보(&A)..."),
            .prompt = QStringLiteral("プログラムの情報、バージョンそして著作権を表示します。"),
            .tip = QStringLiteral("バージョン情報")},
        {.id = kIdEditUndo,
            .text = QStringLiteral("실행 취소(&U)"),
            .prompt = QStringLiteral("直前の操作を元に戻す"),
            .tip = QStringLiteral("元に戻す"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Z)},
            .windowShortcut = true},
        {.id = kIdEditRedo,
            .text = QStringLiteral("다시 실행(&R)"),
            .prompt = QStringLiteral("元に戻した操作をやり直す"),
            .tip = QStringLiteral("やり直し"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
            .windowShortcut = true},
        {.id = kIdEditCopy,
            .text = QStringLiteral("이미지 복사(&C)"),
            .prompt = QStringLiteral("画像をクリップボードにコピー"),
            .tip = QStringLiteral("コピー"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_C)},
            .windowShortcut = true},
        {.id = kIdEditFitToCaption,
            .text = QStringLiteral("텍스트에 맞춤(&F)"),
            .prompt = QStringLiteral("도형 크기를 글자에 맞춥니다."),
            .tip = QStringLiteral("텍스트에 맞춤")},
        {.id = kIdViewZoomIn,
            .text = QStringLiteral("확대(&I)"),
            .prompt = QStringLiteral("미리 보기를 확대합니다."),
            .tip = QStringLiteral("확대"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}},
        {.id = kIdViewZoomOut,
            .text = QStringLiteral("축소(&O)"),
            .prompt = QStringLiteral("미리 보기를 축소합니다."),
            .tip = QStringLiteral("축소"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_Minus)}},
        {.id = kIdViewActualSize,
            .text = QStringLiteral("실제 크기(&A)"),
            .prompt = QStringLiteral("미리 보기를 100 %로 표시합니다."),
            .tip = QStringLiteral("실제 크기"),
            .shortcuts = {QKeySequence(Qt::CTRL | Qt::Key_0)}},
        {.id = kIdViewZoomFit,
            .text = QStringLiteral("창에 맞춤(&F)"),
            .prompt = QStringLiteral("미리 보기 전체를 창에 맞춰 표시합니다."),
            .tip = QStringLiteral("창에 맞춤")},
        // The shape buttons show no text at all (no tool tip, no prompt); only
        // screen readers name them.
        {.id = kRenderCircle00, .checkable = true, .spokenName = QStringLiteral("원")},
        {.id = kRenderCircle01, .checkable = true, .spokenName = QStringLiteral("두 색 원")},
        {.id = kRenderRectangle, .checkable = true, .spokenName = QStringLiteral("사각형")},
        {.id = kRenderCapsule, .checkable = true, .spokenName = QStringLiteral("캡슐")},
    };
    return commands;
}
#pragma GCC diagnostic pop

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

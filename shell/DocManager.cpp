#include "shell/DocManager.h"

#include "shell/CommandIds.h"
#include "shell/EditHistory.h"
#include "shell/MainFrame.h"
#include "shell/RecentFileList.h"
#include "shell/ShellDialogs.h"
#include "shell/SingleDocTemplate.h"
#include "design/IniFile.h"
#include "design/NacreformDoc.h"
#include "design/PresetLibrary.h"
#include "util/MessageSink.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>

const QString CDocManager::kOpenTitle = QStringLiteral("開く");
const QString CDocManager::kSaveAsTitle = QStringLiteral("名前を付けて保存");
const QString CDocManager::kDesignFilter = QStringLiteral("Nacreform Design(*.nfd)");
const QString CDocManager::kAllFilesFilter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)");
const QString CDocManager::kDesignExtension = QStringLiteral(".nfd");
const QString CDocManager::kSaveFailedMessage = QStringLiteral("ﾄﾞｷｭﾒﾝﾄを保存することに失敗しました。");
const QString CDocManager::kSaveChangesPrompt = QStringLiteral("%1 への変更を保存しますか?");
const QString CDocManager::kRevertPrompt =
    QStringLiteral("%1 への変更を破棄して、保存されている内容に戻しますか?");

CDocManager::CDocManager(CSingleDocTemplate& docTemplate, IShellDialogs& dialogs,
                         CRecentFileList& recentFiles, QObject* parent)
    : QObject(parent)
    , m_template(docTemplate)
    , m_dialogs(dialogs)
    , m_recentFiles(recentFiles)
{
    CMainFrame& frame = m_template.GetFrame();
    connect(frame.GetCommand(kIdFileNew), &QAction::triggered, this, &CDocManager::OnFileNew);
    connect(frame.GetCommand(kIdFileOpen), &QAction::triggered, this, &CDocManager::OnFileOpen);
    connect(frame.GetCommand(kIdFileRevert), &QAction::triggered, this, &CDocManager::OnFileRevert);
    // Whether there is a file to go back to changes with every save and open.
    connect(frame.GetFileMenu(), &QMenu::aboutToShow, this,
            [this] { m_template.GetFrame().GetCommand(kIdFileRevert)->setEnabled(CanRevert()); });
    connect(frame.GetCommand(kIdFileSave), &QAction::triggered, this, &CDocManager::OnFileSave);
    connect(frame.GetCommand(kIdFileSaveAs), &QAction::triggered, this, &CDocManager::OnFileSaveAs);
    frame.installEventFilter(this);
    connect(&frame, &CMainFrame::RecentFileChosen, this, &CDocManager::OnOpenRecentFile);
    connect(&frame, &CMainFrame::FilesDropped, this, &CDocManager::OnDropFiles);
    UpdateRecentFileMenu();
}

void CDocManager::UpdateRecentFileMenu()
{
    m_template.GetFrame().SetRecentFiles(m_recentFiles.GetPaths());
}

bool CDocManager::OpenDocumentFile(const QString& path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!m_template.OpenDocumentFile(full))
        return false;
    m_recentFiles.Add(full);
    UpdateRecentFileMenu();
    return true;
}

void CDocManager::OnFileNew()
{
    const std::optional<QString> preset = m_dialogs.ChoosePreset(&m_template.GetFrame());
    if (!preset || !SaveModified())
        return;
    const std::optional<CDesignValues> values = preset->isEmpty() ? CDesignValues(CNacreformDoc()) : LoadPreset(*preset);
    if (values)
        m_template.OpenNewDocument(*values);
}

bool CDocManager::CanRevert() const
{
    const QString& path = m_template.GetDocument().GetPathName();
    return !path.isEmpty() && IsDesignFile(path);
}

void CDocManager::OnFileRevert()
{
    if (!CanRevert())
        return;
    CNacreformDoc& doc = m_template.GetDocument();
    if (m_template.GetFrame().GetEditHistory()->IsModified()
        && !m_dialogs.AskYesNo(&m_template.GetFrame(), kRevertPrompt.arg(doc.GetTitle())))
        return;
    const QString path = doc.GetPathName();
    m_template.OpenDocumentFile(path);
}

void CDocManager::OnFileOpen()
{
    if (!SaveModified())
        return;
    SFileDialogRequest request;
    request.title = kOpenTitle;
    request.filters = QStringList{kDesignFilter, kAllFilesFilter};
    const QString path = m_dialogs.ChooseFile(&m_template.GetFrame(), request);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool CDocManager::SaveModified()
{
    CEditHistory* history = m_template.GetFrame().GetEditHistory();
    if (!history->IsModified())
        return true;
    const QString text = kSaveChangesPrompt.arg(m_template.GetDocument().GetTitle());
    switch (m_dialogs.AskSaveChanges(&m_template.GetFrame(), text)) {
    case ESaveChanges::Save:
        return OnFileSave();
    case ESaveChanges::Discard:
        return true;
    case ESaveChanges::Cancel:
        break;
    }
    return false;
}

bool CDocManager::IsDesignFile(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).size() > CIniFile::kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = file.readAll();
    if (text.contains('\0'))
        return false;
    for (const QByteArray& line : text.split('\n')) {
        if (line.trimmed().compare("[General]", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool CDocManager::OnFileSave()
{
    const QString path = m_template.GetDocument().GetPathName();
    if (path.isEmpty() || !IsDesignFile(path))
        return OnFileSaveAs();
    return SaveTo(path);
}

bool CDocManager::OnFileSaveAs()
{
    // The design keeps its file until a save under the new name succeeds:
    // a cancelled or failed Save As leaves Save writing where it did.
    SFileDialogRequest request;
    request.save = true;
    request.title = kSaveAsTitle;
    request.filters = QStringList{kDesignFilter, kAllFilesFilter};
    request.defaultSuffix = kDesignExtension.mid(1);
    request.proposedName = CNacreformDoc::kUntitled + kDesignExtension;
    const QString path = m_dialogs.ChooseFile(&m_template.GetFrame(), request);
    return !path.isEmpty() && SaveTo(path);
}

bool CDocManager::SaveTo(const QString& path)
{
    QString why;
    if (!m_template.GetDocument().DoSave(path, &why)) {
        m_dialogs.ShowMessage(&m_template.GetFrame(), FileFailureText(kSaveFailedMessage, path, why));
        return false;
    }
    m_template.GetFrame().GetEditHistory()->MarkSaved();
    m_recentFiles.Add(path);
    UpdateRecentFileMenu();
    return true;
}

void CDocManager::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.GetPaths().size() || !SaveModified())
        return;
    const QString path = m_recentFiles.GetPaths().at(index); // a copy: opening reorders the list
    if (!OpenDocumentFile(path)) {
        m_recentFiles.Remove(index);
        UpdateRecentFileMenu();
    }
}

void CDocManager::OnDropFiles(const QStringList& paths)
{
    if (!SaveModified())
        return;
    for (const QString& path : paths)
        OpenDocumentFile(path);
}

bool CDocManager::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == &m_template.GetFrame() && !SaveModified()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

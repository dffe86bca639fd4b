#include "app/DocManager.h"

#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "app/ShellDialogs.h"
#include "app/SingleDocTemplate.h"
#include "design/NacreformDoc.h"
#include "util/MessageSink.h"

#include <QAction>
#include <QFileInfo>

const QString CDocManager::kOpenTitle = QStringLiteral("開く");
const QString CDocManager::kSaveAsTitle = QStringLiteral("名前を付けて保存");
const QString CDocManager::kDesignFilter = QStringLiteral("Nacreform Design(*.nfd)");
const QString CDocManager::kAllFilesFilter = QStringLiteral("すべてのﾌｧｲﾙ (*.*)");
const QString CDocManager::kDesignExtension = QStringLiteral(".nfd");
const QString CDocManager::kSaveFailedMessage = QStringLiteral("ﾄﾞｷｭﾒﾝﾄを保存することに失敗しました。");

CDocManager::CDocManager(CSingleDocTemplate& docTemplate, IShellDialogs& dialogs,
                         CRecentFileList& recentFiles, QObject* parent)
    : QObject(parent)
    , m_template(docTemplate)
    , m_dialogs(dialogs)
    , m_recentFiles(recentFiles)
{
    CMainFrame& frame = m_template.GetFrame();
    connect(frame.GetCommand(kIdFileOpen), &QAction::triggered, this, &CDocManager::OnFileOpen);
    connect(frame.GetCommand(kIdFileSaveAs), &QAction::triggered, this, &CDocManager::OnFileSaveAs);
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

void CDocManager::OnFileOpen()
{
    SFileDialogRequest request;
    request.title = kOpenTitle;
    request.filters = QStringList{kDesignFilter, kAllFilesFilter};
    const QString path = m_dialogs.ChooseFile(&m_template.GetFrame(), request);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CDocManager::OnFileSaveAs()
{
    CNacreformDoc& doc = m_template.GetDocument();
    doc.SetPathName(QString());
    doc.SetTitle(CNacreformDoc::kUntitled);

    SFileDialogRequest request;
    request.save = true;
    request.title = kSaveAsTitle;
    request.filters = QStringList{kDesignFilter, kAllFilesFilter};
    request.defaultSuffix = kDesignExtension.mid(1);
    request.proposedName = doc.GetTitle() + kDesignExtension;
    const QString path = m_dialogs.ChooseFile(&m_template.GetFrame(), request);
    if (path.isEmpty())
        return;
    QString why;
    if (!doc.DoSave(path, &why)) {
        m_dialogs.ShowMessage(&m_template.GetFrame(), FileFailureText(kSaveFailedMessage, path, why));
        return;
    }
    m_recentFiles.Add(path);
    UpdateRecentFileMenu();
}

void CDocManager::OnOpenRecentFile(int index)
{
    if (index < 0 || index >= m_recentFiles.GetPaths().size())
        return;
    const QString path = m_recentFiles.GetPaths().at(index); // a copy: opening reorders the list
    if (!OpenDocumentFile(path)) {
        m_recentFiles.Remove(index);
        UpdateRecentFileMenu();
    }
}

void CDocManager::OnDropFiles(const QStringList& paths)
{
    for (const QString& path : paths)
        OpenDocumentFile(path);
}

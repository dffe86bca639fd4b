#include "shell/SingleDocTemplate.h"

#include "shell/EditHistory.h"
#include "shell/MainFrame.h"
#include "shell/NacreformView.h"
#include "shell/ShellDialogs.h"
#include "design/NacreformDoc.h"

#include <QFileInfo>

CSingleDocTemplate::CSingleDocTemplate(IShellDialogs& dialogs)
    : m_dialogs(dialogs)
    , m_messageSink(*this)
{
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    // The frame and its view refer to the document.
    m_pFrame.reset();
    m_pDoc.reset();
}

void CSingleDocTemplate::Create()
{
    if (m_pDoc)
        return;
    m_pDoc = std::make_unique<CNacreformDoc>();
    m_pDoc->SetMessageSink(&m_messageSink);
    m_pFrame = std::make_unique<CMainFrame>(*m_pDoc, m_dialogs);
}

CNacreformDoc& CSingleDocTemplate::GetDocument()
{
    Create();
    return *m_pDoc;
}

CMainFrame& CSingleDocTemplate::GetFrame()
{
    Create();
    return *m_pFrame;
}

void CSingleDocTemplate::InitialUpdateFrame()
{
    m_pFrame->GetEditHistory()->Reset();
    m_pFrame->GetActiveView()->OnInitialUpdate();
    m_pFrame->UpdateCommandUI();
}

bool CSingleDocTemplate::OpenNewDocument()
{
    Create();
    if (!m_pDoc->OnNewDocument())
        return false;
    m_pDoc->SetTitle(CNacreformDoc::kUntitled);
    InitialUpdateFrame();
    return true;
}

void CSingleDocTemplate::OpenNewDocument(const CDesignValues& values)
{
    Create();
    m_pDoc->ApplyValues(values);
    m_pDoc->OnNewDocument();
    m_pDoc->SetTitle(CNacreformDoc::kUntitled);
    InitialUpdateFrame();
}

bool CSingleDocTemplate::OpenDocumentFile(const QString& path)
{
    Create();
    if (!m_pDoc->OnOpenDocument(path))
        return false;
    // The design remembers its file, which Save writes back and the save
    // question names.
    m_pDoc->SetPathName(path);
    m_pDoc->SetTitle(QFileInfo(path).fileName());
    InitialUpdateFrame();
    return true;
}

void CSingleDocTemplate::CFrameMessageSink::ShowMessage(const QString& text)
{
    m_owner.m_dialogs.ShowMessage(m_owner.m_pFrame.get(), text);
}

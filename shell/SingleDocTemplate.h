#pragma once

#include "util/MessageSink.h"

#include <QString>

#include <memory>

struct CDesignValues;
class CMainFrame;
class CNacreformDoc;
class IShellDialogs;

// One document, one frame, one view: creates the document and its main frame
// (which makes the view) on first use and keeps them until it goes, the frame
// first. Every New and Open reuses the same document and ends with the view's
// initial update. Messages of the document go to a message box over the frame.
class CSingleDocTemplate
{
public:
    explicit CSingleDocTemplate(IShellDialogs& dialogs);
    ~CSingleDocTemplate();

    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // Creates the document and the frame the first time.
    CNacreformDoc& GetDocument();
    CMainFrame& GetFrame();

    // The design as it stands, untitled (only at start-up: the design keeps
    // the values it has).
    bool OpenNewDocument();
    // A new untitled design with values (the default design, a preset).
    void OpenNewDocument(const CDesignValues& values);
    // Reads the design at path into the document, which takes path and its
    // file name as its path and title. On failure the document has shown its
    // message and the design, path and title are unchanged. Either open
    // starts a new undo history.
    bool OpenDocumentFile(const QString& path);

private:
    class CFrameMessageSink : public IMessageSink
    {
    public:
        explicit CFrameMessageSink(CSingleDocTemplate& owner)
            : m_owner(owner)
        {
        }
        void ShowMessage(const QString& text) override;

    private:
        CSingleDocTemplate& m_owner;
    };

    void Create();
    void InitialUpdateFrame();

    IShellDialogs& m_dialogs;
    CFrameMessageSink m_messageSink;
    std::unique_ptr<CNacreformDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

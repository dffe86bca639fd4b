#pragma once

#include <QObject>
#include <QStringList>

class CRecentFileList;
class CSingleDocTemplate;
class IShellDialogs;

// The file commands around the one document: Open (with its dialog), Save As
// (the document's command), the recent-file entries and dropped files. Keeps
// the recent-file list: a design enters it when it was opened or saved.
class CDocManager : public QObject
{
    Q_OBJECT

public:
    static const QString kOpenTitle;
    static const QString kSaveAsTitle;
    static const QString kDesignFilter;
    static const QString kAllFilesFilter;
    static const QString kDesignExtension;
    static const QString kSaveFailedMessage;

    // Connects the frame's file commands. All three must outlive the manager.
    CDocManager(CSingleDocTemplate& docTemplate, IShellDialogs& dialogs, CRecentFileList& recentFiles,
                QObject* parent = nullptr);

    // Opens the design at path and records it as recent; false when it could
    // not be opened (the message has been shown).
    bool OpenDocumentFile(const QString& path);

    void OnFileOpen();
    void OnFileSaveAs();
    // A design that cannot be opened any more leaves the list.
    void OnOpenRecentFile(int index);
    // Opens every file in turn; the last one that opens stays shown.
    void OnDropFiles(const QStringList& paths);

    // Shows the recent-file list in the frame's menu.
    void UpdateRecentFileMenu();

private:
    CSingleDocTemplate& m_template;
    IShellDialogs& m_dialogs;
    CRecentFileList& m_recentFiles;
};

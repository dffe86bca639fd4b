#pragma once

#include <QObject>
#include <QStringList>

class CRecentFileList;
class CSingleDocTemplate;
class IShellDialogs;

// The file commands around the one document: New (from the preset
// gallery), Open (with its dialog), Save, Save As (the document's command),
// Revert, the recent-file entries and dropped files. Keeps the recent-file list: a design enters it when it was opened or
// saved. Before anything replaces a modified design (an open, a recent file,
// a drop, closing the window) it asks whether to save the changes.
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
    // %1: the design's title.
    static const QString kSaveChangesPrompt;
    static const QString kRevertPrompt;

    // Connects the frame's file commands. All three must outlive the manager.
    CDocManager(CSingleDocTemplate& docTemplate, IShellDialogs& dialogs, CRecentFileList& recentFiles,
                QObject* parent = nullptr);

    // Opens the design at path and records it as recent; false when it could
    // not be opened (the message has been shown).
    bool OpenDocumentFile(const QString& path);

    // Starts an untitled design from the plain default design or a preset
    // chosen in the gallery; the save question comes before a modified
    // design is replaced.
    void OnFileNew();
    void OnFileOpen();
    // Reads the design's file again, dropping the changes since it was
    // saved or opened, after asking when there are any. Only for a design
    // that has a design file (CanRevert).
    void OnFileRevert();
    bool CanRevert() const;
    // Writes the design to its file; Save As when it has none, or when that
    // file is no design file (a picture opened by mistake is never written
    // into). True when the design was saved.
    bool OnFileSave();
    // Asks for a name (proposing "無題") and saves there; the design takes
    // the new name only when that save succeeded.
    bool OnFileSaveAs();
    // Asks whether to save a modified design: true when the caller may go on
    // (saved, or the changes discarded), false when the user cancelled or the
    // save failed or was cancelled. True at once for an unmodified design.
    bool SaveModified();
    // A design that cannot be opened any more leaves the list.
    void OnOpenRecentFile(int index);
    // Opens every file in turn; the last one that opens stays shown.
    void OnDropFiles(const QStringList& paths);

    // Shows the recent-file list in the frame's menu.
    void UpdateRecentFileMenu();

    // A design file has a [General] section and is text; anything else the
    // open rules let in (a picture, say) is not one.
    static bool IsDesignFile(const QString& path);

protected:
    // Closing the frame asks first (SaveModified).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool SaveTo(const QString& path);

    CSingleDocTemplate& m_template;
    IShellDialogs& m_dialogs;
    CRecentFileList& m_recentFiles;
};

#pragma once

#include <QApplication>
#include <QTranslator>

#include <functional>
#include <memory>

class CDocManager;
class CQtShellDialogs;
class CRecentFileList;
class CSingleDocTemplate;
class IShellDialogs;

// The application object: Qt's Japanese texts for the framework's dialogs,
// the settings file with the recent-file list, the one document template,
// the design named on the command line, and the about command.
class CNacreformApp : public QApplication
{
    Q_OBJECT

public:
    static constexpr int kRecentFileCount = 4;

    CNacreformApp(int& argc, char** argv);
    ~CNacreformApp() override;

    static CNacreformApp* GetApp();

    // Dialogs to use instead of the real ones (tests); not owned.
    void SetShellDialogs(IShellDialogs* dialogs) { m_pDialogs = dialogs; }
    // Settings file to use instead of the one ChooseSettingsPath picks.
    void SetProfileName(const QString& path) { m_strProfileName = path; }
    const QString& GetProfileName() const { return m_strProfileName; }
    // The program's whole usage text, printed after a command line the
    // editor does not understand. The editor knows only its own arguments;
    // the option table belongs to the command line.
    void SetUsageText(std::function<QString()> usage) { m_usageText = std::move(usage); }

    // Start-up with the command line arguments after the program name: at
    // most one design path. Creates the document, frame and view, opens the
    // design (or takes the defaults) and shows the frame. False when the
    // program must end: the design could not be opened (its message has been
    // shown) or the command line was not understood (printed with the full
    // usage; HadUsageError then tells so).
    bool InitInstance(const QStringList& arguments);
    bool HadUsageError() const { return m_bUsageError; }
    // Writes the recent-file list back and closes the frame and document;
    // returns exitCode. A later InitInstance starts afresh.
    int ExitInstance(int exitCode);

    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate.get(); }
    CDocManager* GetDocManager() const { return m_pDocManager.get(); }
    CRecentFileList* GetRecentFileList() const { return m_pRecentFiles.get(); }

    void OnAppAbout();

private:
    void LoadQtTranslation();
    IShellDialogs& Dialogs() const;
    // Prints problem and the usage text; returns false for InitInstance.
    bool FailUsage(const QString& problem);

    QTranslator m_qtTranslator;
    std::unique_ptr<CQtShellDialogs> m_pQtDialogs;
    IShellDialogs* m_pDialogs = nullptr;
    QString m_strProfileName;
    std::unique_ptr<CRecentFileList> m_pRecentFiles;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::unique_ptr<CDocManager> m_pDocManager;
    bool m_bUsageError = false;
    std::function<QString()> m_usageText;
};

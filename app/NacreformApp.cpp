#include "app/NacreformApp.h"

#include "app/CommandIds.h"
#include "app/DocManager.h"
#include "app/MainFrame.h"
#include "app/QtShellDialogs.h"
#include "app/RecentFileList.h"
#include "app/SettingsLocation.h"
#include "app/SingleDocTemplate.h"
#include "app/ToolBarIcons.h"
#include "design/IniFile.h"
#include "util/Helpers.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>

#include <cstdio>

CNacreformApp::CNacreformApp(int& argc, char** argv)
    : QApplication(argc, argv)
    , m_pQtDialogs(std::make_unique<CQtShellDialogs>())
{
    setApplicationName(QStringLiteral("Nacreform"));
    setApplicationVersion(QStringLiteral("1.03"));
    // Ties the windows to the installed desktop entry and its icon (Wayland).
    setDesktopFileName(ApplicationId());
}

CNacreformApp::~CNacreformApp()
{
    m_pDocManager.reset();
    m_pDocTemplate.reset();
}

CNacreformApp* CNacreformApp::GetApp()
{
    return qobject_cast<CNacreformApp*>(QCoreApplication::instance());
}

IShellDialogs& CNacreformApp::Dialogs() const
{
    return m_pDialogs ? *m_pDialogs : *m_pQtDialogs;
}

void CNacreformApp::LoadQtTranslation()
{
    // The framework's own buttons and prompts (file dialogs, message boxes)
    // read in Japanese like the rest of its texts. Without the catalogue
    // they stay English.
    if (m_qtTranslator.isEmpty()
        && m_qtTranslator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(&m_qtTranslator);
}

bool CNacreformApp::InitInstance(const QStringList& arguments)
{
    LoadQtTranslation();
    setWindowIcon(CToolBarIcons::ApplicationIcon());

    QStringList designs;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            std::fprintf(stderr, "nacreform: unknown option %s\nusage: nacreform [design.nfd]\n",
                         qPrintable(argument));
            return false;
        }
        designs.append(argument);
    }
    if (designs.size() > 1) {
        std::fprintf(stderr, "nacreform: one design at a time\nusage: nacreform [design.nfd]\n");
        return false;
    }

    if (m_strProfileName.isEmpty())
        m_strProfileName = ChooseSettingsPath(GetModuleDirectory(), UserConfigDirectory());
    m_pRecentFiles = std::make_unique<CRecentFileList>(kRecentFileCount);
    CIniFile settings(m_strProfileName, false);
    m_pRecentFiles->ReadList(settings);

    m_pDocTemplate = std::make_unique<CSingleDocTemplate>(Dialogs());
    m_pDocManager = std::make_unique<CDocManager>(*m_pDocTemplate, Dialogs(), *m_pRecentFiles);
    CMainFrame& frame = m_pDocTemplate->GetFrame();
    connect(frame.GetCommand(kIdAppAbout), &QAction::triggered, this, &CNacreformApp::OnAppAbout);

    const bool opened = designs.isEmpty() ? m_pDocTemplate->OpenNewDocument()
                                          : m_pDocManager->OpenDocumentFile(designs.first());
    if (!opened) {
        m_pDocManager.reset();
        m_pDocTemplate.reset();
        return false;
    }
    frame.show();
    return true;
}

int CNacreformApp::ExitInstance(int exitCode)
{
    m_pDocManager.reset();
    m_pDocTemplate.reset();
    if (m_pRecentFiles) {
        QDir().mkpath(QFileInfo(m_strProfileName).absolutePath());
        CIniFile settings(m_strProfileName, false);
        m_pRecentFiles->WriteList(settings);
        settings.Flush();
    }
    return exitCode;
}

void CNacreformApp::OnAppAbout()
{
    Dialogs().ShowAbout(m_pDocTemplate ? &m_pDocTemplate->GetFrame() : nullptr);
}

#include "shell/NacreformApp.h"

#include "shell/CommandIds.h"
#include "shell/DocManager.h"
#include "shell/MainFrame.h"
#include "shell/QtShellDialogs.h"
#include "shell/RecentFileList.h"
#include "program/SettingsLocation.h"
#include "shell/SingleDocTemplate.h"
#include "shell/ToolBarIcons.h"
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

    m_bUsageError = false;
    QStringList designs;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true; // a design name may begin with a dash after it
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            return FailUsage(QStringLiteral("unknown option %1").arg(argument));
        designs.append(argument);
    }
    if (designs.size() > 1)
        return FailUsage(QStringLiteral("one design at a time"));

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

bool CNacreformApp::FailUsage(const QString& problem)
{
    const QString usage = m_usageText ? m_usageText() : QString();
    std::fprintf(stderr, "nacreform: %s\n\n%s", qPrintable(problem), qPrintable(usage));
    m_bUsageError = true;
    return false;
}

int CNacreformApp::ExitInstance(int exitCode)
{
    m_pDocManager.reset();
    m_pDocTemplate.reset();
    if (m_pRecentFiles) {
        QDir().mkpath(QFileInfo(m_strProfileName).absolutePath());
        CIniFile settings(m_strProfileName, false);
        m_pRecentFiles->WriteList(settings);
        // The window is gone by now; the terminal, if any, hears of it.
        QString why;
        if (!settings.Flush(&why))
            std::fprintf(stderr, "nacreform: cannot write the settings file %s: %s\n",
                         qPrintable(m_strProfileName), qPrintable(why));
    }
    return exitCode;
}

void CNacreformApp::OnAppAbout()
{
    Dialogs().ShowAbout(m_pDocTemplate ? &m_pDocTemplate->GetFrame() : nullptr);
}

#include "QtTestRegistry.h"
#include "ScriptedDialogs.h"
#include "shell/CommandIds.h"
#include "shell/DocManager.h"
#include "shell/MainFrame.h"
#include "shell/NacreformApp.h"
#include "shell/NacreformView.h"
#include "shell/QtShellDialogs.h"
#include "shell/RecentFileList.h"
#include "program/SettingsLocation.h"
#include "shell/SingleDocTemplate.h"
#include "design/IniFile.h"
#include "design/NacreformDoc.h"

#include <QAction>
#include <QFileDialog>
#include <QtTest>

// The application object from start to exit: command line, settings file,
// recent files across runs, Qt's Japanese texts and the real dialogs' set-up.
class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsWithTheDefaultDesignShown();
    void startsWithTheDesignNamedOnTheCommandLine();
    void unopenableDesignEndsTheStart_data();
    void unopenableDesignEndsTheStart();
    void recentFilesSurviveARestart();
    void longRecentPathSurvivesARestart();
    void aboutCommandShowsTheAboutBox();
    void settingsFileBesideExecutableOrPerUser_data();
    void settingsFileBesideExecutableOrPerUser();
    void frameworkTextsInJapanese();
    void realFileDialogSetUp();

private:
    CNacreformApp& App() { return *CNacreformApp::GetApp(); }
    QString WriteDesign(const QString& name, int margin) const;

    std::unique_ptr<QTemporaryDir> m_pDir;
    std::unique_ptr<CScriptedDialogs> m_pDialogs;
};

void StartupTest::init()
{
    m_pDir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_pDir->isValid());
    m_pDialogs = std::make_unique<CScriptedDialogs>();
    App().SetShellDialogs(m_pDialogs.get());
    App().SetProfileName(m_pDir->filePath(QStringLiteral("settings/Nacreform.ini")));
}

void StartupTest::cleanup()
{
    App().ExitInstance(0);
}

QString StartupTest::WriteDesign(const QString& name, int margin) const
{
    const QString path = m_pDir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(QStringLiteral("[General]\nMargin=%1\n").arg(margin).toUtf8());
    return path;
}

void StartupTest::startsWithTheDefaultDesignShown()
{
    QVERIFY(App().InitInstance({}));
    CMainFrame* frame = CMainFrame::GetMainFrame();
    QVERIFY(frame);
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->GetActiveView()->GetDisplayImage().size(), QSize(145, 148));
    QCOMPARE(frame->GetPaneText(1), QStringLiteral(" 145 × 148"));
    QCOMPARE(frame->GetActiveDocument()->GetTitle(), QStringLiteral("無題"));
    QCOMPARE(frame->GetActiveDocument()->RenderID, unsigned(kRenderCircle00));
    QVERIFY(m_pDialogs->messages.isEmpty());
}

void StartupTest::startsWithTheDesignNamedOnTheCommandLine()
{
    const QString path = WriteDesign(QStringLiteral("start.nfd"), 33);
    QVERIFY(App().InitInstance({path}));
    CNacreformDoc* doc = CMainFrame::GetMainFrame()->GetActiveDocument();
    QCOMPARE(doc->Margin, 33);
    QCOMPARE(doc->GetPathName(), path);
    QCOMPARE(App().GetRecentFileList()->GetPaths(), QStringList{path});
}

void StartupTest::unopenableDesignEndsTheStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("reported");
    QTest::newRow("missing design") << QStringList{QStringLiteral("/no/such/design.nfd")} << true;
    QTest::newRow("folder") << QStringList{QStringLiteral("/")} << true;
    QTest::newRow("missing dashed design") << QStringList{QStringLiteral("--"), QStringLiteral("-x.nfd")} << true;
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--colour")} << false;
    QTest::newRow("two designs") << QStringList{QStringLiteral("a.nfd"), QStringLiteral("b.nfd")} << false;
}

void StartupTest::unopenableDesignEndsTheStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, reported);
    QVERIFY(!App().InitInstance(arguments));
    QCOMPARE(CMainFrame::GetMainFrame(), nullptr);
    QCOMPARE(m_pDialogs->messages.size(), reported ? 1 : 0);
    if (reported)
        QVERIFY(m_pDialogs->messages.first().startsWith(CNacreformDoc::kOpenFailedMessage + "\n\n"));
    QCOMPARE(App().HadUsageError(), !reported); // the process then exits 2
}

void StartupTest::recentFilesSurviveARestart()
{
    QVERIFY(App().InitInstance({}));
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths.append(WriteDesign(QStringLiteral("r%1.nfd").arg(i), i));
        QVERIFY(App().GetDocManager()->OpenDocumentFile(paths.last()));
    }
    App().ExitInstance(0);

    CIniFile settings(App().GetProfileName(), false);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(settings.GetString(QStringLiteral("Recent File List"), QStringLiteral("File%1").arg(i + 1),
                                    QString(), false),
                 paths[4 - i]);
    QFile written(App().GetProfileName());
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll().count('['), 1); // nothing but the recent-file list

    QVERIFY(App().InitInstance({}));
    const QList<QAction*> entries = CMainFrame::GetMainFrame()->GetRecentFileActions();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries.first()->text(), QStringLiteral("&1 ") + paths[4]);
    QCOMPARE(entries.last()->text(), QStringLiteral("&4 ") + paths[1]);
}

void StartupTest::longRecentPathSurvivesARestart()
{
    // Longer than a value of a design file may be.
    const QString folder = QStringLiteral("folder-with-a-rather-long-name-").repeated(2) + QStringLiteral("/");
    const QString name = folder.repeated(5) + QStringLiteral("deep.nfd");
    QVERIFY(QDir(m_pDir->path()).mkpath(folder.repeated(5)));
    const QString path = WriteDesign(name, 77);
    QVERIFY(path.size() > CIniFile::kReadLimit);
    QVERIFY(App().InitInstance({}));
    QVERIFY(App().GetDocManager()->OpenDocumentFile(path));
    App().ExitInstance(0);

    QVERIFY(App().InitInstance({}));
    CMainFrame* frame = CMainFrame::GetMainFrame();
    frame->GetActiveDocument()->Margin = 5;
    const QList<QAction*> entries = frame->GetRecentFileActions();
    QCOMPARE(entries.size(), 1);
    entries.first()->trigger();
    QCOMPARE(m_pDialogs->messages, QStringList());
    QCOMPARE(frame->GetActiveDocument()->Margin, 77);
}

void StartupTest::aboutCommandShowsTheAboutBox()
{
    QVERIFY(App().InitInstance({}));
    CMainFrame::GetMainFrame()->GetCommand(kIdAppAbout)->trigger();
    QCOMPARE(m_pDialogs->aboutCount, 1);
}

void StartupTest::settingsFileBesideExecutableOrPerUser_data()
{
    QTest::addColumn<QFileDevice::Permissions>("folderPermissions");
    QTest::addColumn<bool>("existingReadOnlyFile");
    QTest::addColumn<bool>("installedLayout");
    QTest::addColumn<bool>("beside");
    const QFileDevice::Permissions readWrite = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ExeOwner;
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    QTest::newRow("portable copy") << readWrite << false << false << true;
    QTest::newRow("installed program") << readOnly << false << false << false;
    QTest::newRow("settings file read-only") << readWrite << true << false << false;
    // PREFIX/bin beside PREFIX/share/applications, writable as /usr/bin is for root.
    QTest::newRow("installed under a writable prefix") << readWrite << false << true << false;
}

void StartupTest::settingsFileBesideExecutableOrPerUser()
{
    QFETCH(QFileDevice::Permissions, folderPermissions);
    QFETCH(bool, existingReadOnlyFile);
    QFETCH(bool, installedLayout);
    QFETCH(bool, beside);
    const QString program = m_pDir->filePath(QStringLiteral("prefix/bin"));
    const QString user = m_pDir->filePath(QStringLiteral("user"));
    QVERIFY(QDir().mkpath(program));
    const QString applications = m_pDir->filePath(QStringLiteral("prefix/share/applications"));
    QVERIFY(QDir().mkpath(applications));
    if (installedLayout) {
        QFile entry(QDir(applications).filePath(ApplicationId() + QStringLiteral(".desktop")));
        QVERIFY(entry.open(QIODevice::WriteOnly));
    }
    QCOMPARE(IsInstalledProgramDirectory(program + QLatin1Char('/')), installedLayout);
    if (existingReadOnlyFile) {
        QFile settings(QDir(program).filePath(QStringLiteral("Nacreform.ini")));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.close();
        QVERIFY(settings.setPermissions(QFileDevice::ReadOwner));
    }
    QVERIFY(QFile::setPermissions(program, folderPermissions));
    const QString chosen = ChooseSettingsPath(program, user);
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(chosen, QDir(beside ? program : user).filePath(QStringLiteral("Nacreform.ini")));
    QCOMPARE(ChooseSettingsPath(QString(), user), QDir(user).filePath(QStringLiteral("Nacreform.ini")));
    QVERIFY(UserConfigDirectory().endsWith(QStringLiteral("/Nacreform")));
}

void StartupTest::frameworkTextsInJapanese()
{
    QVERIFY(App().InitInstance({}));
    if (!QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_ja.qm")))
        QSKIP("Qt's Japanese catalogue is not installed");
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

void StartupTest::realFileDialogSetUp()
{
    SFileDialogRequest request;
    request.save = true;
    request.title = CDocManager::kSaveAsTitle;
    request.filters = QStringList{CDocManager::kDesignFilter, CDocManager::kAllFilesFilter};
    request.defaultSuffix = QStringLiteral("nfd");
    request.proposedName = QStringLiteral("無題.nfd");
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    CQtShellDialogs::ConfigureFileDialog(dialog, request);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("名前を付けて保存"));
    QCOMPARE(dialog.nameFilters(), request.filters);
    QCOMPARE(dialog.selectedNameFilter(), CDocManager::kDesignFilter);
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("nfd"));
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QVERIFY(dialog.selectedFiles().value(0).endsWith(QStringLiteral("/無題.nfd")));

    request.save = false;
    request.defaultSuffix.clear();
    request.proposedName.clear();
    CQtShellDialogs::ConfigureFileDialog(dialog, request);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
}

// The application object is the test's QApplication, so that every start
// and exit runs as in the program.
static const SQtTestRegistration s_startupTest{SQtTestClass{
    "StartupTest",
    [](int& argc, char** argv) -> std::unique_ptr<QCoreApplication> {
        QStandardPaths::setTestModeEnabled(true);
        return std::make_unique<CNacreformApp>(argc, argv);
    },
    [] { return std::make_unique<StartupTest>(); }}};

#include "StartupTest.moc"

#include "QtTestRegistry.h"
#include "ShellHarness.h"
#include "shell/CommandIds.h"
#include "shell/ImageSetCommand.h"
#include "shell/ImageSetDlg.h"
#include "design/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

// Answers the set dialog and the replace question from a script.
class CScriptedSetDialogs : public IImageSetDialogs
{
public:
    bool accept = true;
    bool replace = true;
    SImageSetChoice answer;
    QList<SImageSetChoice> offered;
    QList<QStringList> replaceQuestions;

    bool EditImageSet(QWidget*, const CNacreformDoc&, SImageSetChoice& choice) override
    {
        offered.append(choice);
        if (accept)
            choice = answer;
        return accept;
    }
    bool ConfirmReplace(QWidget*, const QStringList& existing) override
    {
        replaceQuestions.append(existing);
        return replace;
    }
};

} // namespace

// The image-set command in the real main window, and its dialog.
class ImageSetCommandTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void writesTheChosenFilesAndRemembersTheChoice();
    void cancelAndRefusedReplaceWriteNothing();
    void dialogListsTheFilesAndRefusesUnusableSets();
};

void ImageSetCommandTest::writesTheChosenFilesAndRemembersTheChoice()
{
    SShellHarness shell;
    CScriptedSetDialogs dialogs;
    CImageSetCommand& command = *shell.Frame().GetImageSetCommand();
    command.SetDialogs(&dialogs);
    command.SetSettingsPath(shell.FilePath(QStringLiteral("Nacreform.ini")));
    dialogs.answer.folder = shell.FilePath(QStringLiteral("set"));
    dialogs.answer.options.name = QStringLiteral("ok");
    dialogs.answer.options.scales = {1, 2};
    dialogs.answer.options.states = {EButtonState::Normal, EButtonState::Pressed};

    shell.Frame().GetCommand(kIdExportImageSet)->trigger();
    QCOMPARE(dialogs.offered.size(), 1);
    QCOMPARE(dialogs.offered[0].options.name, QStringLiteral("button"));
    QStringList written = QDir(dialogs.answer.folder).entryList(QDir::Files);
    written.sort();
    QCOMPARE(written, QStringList({"ok-pressed.png", "ok-pressed@2x.png", "ok.png", "ok@2x.png"}));
    QCOMPARE(QImage(QDir(dialogs.answer.folder).filePath(QStringLiteral("ok@2x.png"))).size(),
             shell.View().GetRenderedImage().size() * 2);
    QVERIFY(shell.dialogs.messages.isEmpty());

    // The next time starts from these choices; the name is the design's.
    QVERIFY(shell.Doc().DoSave(shell.FilePath(QStringLiteral("Launch.nfd"))));
    shell.Frame().GetCommand(kIdExportImageSet)->trigger();
    QCOMPARE(dialogs.offered.size(), 2);
    QCOMPARE(dialogs.offered[1].folder, dialogs.answer.folder);
    QCOMPARE(dialogs.offered[1].options.scales, dialogs.answer.options.scales);
    QCOMPARE(dialogs.offered[1].options.states, dialogs.answer.options.states);
    QCOMPARE(dialogs.offered[1].options.name, QStringLiteral("Launch"));
    QCOMPARE(dialogs.replaceQuestions.size(), 1);
    QCOMPARE(dialogs.replaceQuestions[0].size(), 4);
}

void ImageSetCommandTest::cancelAndRefusedReplaceWriteNothing()
{
    SShellHarness shell;
    CScriptedSetDialogs dialogs;
    CImageSetCommand& command = *shell.Frame().GetImageSetCommand();
    command.SetDialogs(&dialogs);
    const QString settings = shell.FilePath(QStringLiteral("Nacreform.ini"));
    command.SetSettingsPath(settings);
    dialogs.answer.folder = shell.dir.path();
    dialogs.answer.options.scales = {1};

    dialogs.accept = false;
    command.Run(&shell.Frame());
    QCOMPARE(QDir(shell.dir.path()).entryList(QDir::Files), QStringList());

    QFile existing(shell.FilePath(QStringLiteral("button-hover.png")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("mine");
    existing.close();
    dialogs.accept = true;
    dialogs.replace = false;
    command.Run(&shell.Frame());
    QCOMPARE(dialogs.replaceQuestions, QList<QStringList>({{"button-hover.png"}}));
    QCOMPARE(QDir(shell.dir.path()).entryList({"*.png"}, QDir::Files), QStringList({"button-hover.png"}));
    QVERIFY(existing.open(QIODevice::ReadOnly));
    QCOMPARE(existing.readAll(), QByteArray("mine"));
    QCOMPARE(CQtImageSetDialogs::ReplaceQuestion({"button-hover.png"}),
             QStringLiteral("button-hover.png は既に存在します。\n置き換えますか?"));
}

void ImageSetCommandTest::dialogListsTheFilesAndRefusesUnusableSets()
{
    CNacreformDoc doc;
    SImageSetChoice choice;
    choice.options.name = QStringLiteral("ok");
    choice.options.scales = {1};
    choice.folder = QStringLiteral("/tmp");
    CImageSetDlg dialog(doc, choice);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("이미지 세트로 저장"));
    QCOMPARE(dialog.GetListedFiles(),
             QStringList({"ok.png", "ok-hover.png", "ok-pressed.png", "ok-disabled.png"}));
    for (QLabel* preview : dialog.GetStatePreviews())
        QVERIFY(!preview->pixmap().isNull());
    // Previews differ from one another: they show the states.
    QVERIFY(dialog.GetStatePreviews()[0]->pixmap().toImage() != dialog.GetStatePreviews()[3]->pixmap().toImage());

    dialog.GetScaleBoxes()[2]->setChecked(true); // 2x
    dialog.GetStateBoxes()[1]->setChecked(false);
    dialog.GetStateBoxes()[3]->setChecked(false);
    dialog.GetSpriteBox()->setChecked(true);
    QCOMPARE(dialog.GetListedFiles(), QStringList({"ok.png", "ok@2x.png", "ok.css"}));
    QVERIFY(dialog.CanAccept());
    const SImageSetChoice chosen = dialog.GetChoice();
    QCOMPARE(chosen.options.scales, QList<double>({1, 2}));
    QCOMPARE(chosen.options.states, QList<EButtonState>({EButtonState::Normal, EButtonState::Pressed}));
    QVERIFY(chosen.options.sprite);

    dialog.GetSpriteBox()->setChecked(false);
    dialog.GetPatternEdit()->setText(QStringLiteral("{name}.png"));
    QVERIFY(!dialog.CanAccept());
    QVERIFY(dialog.GetListedFiles().isEmpty());
    dialog.GetPatternEdit()->setText(QStringLiteral("{name}{-state}{@scale}.png"));
    dialog.GetFolderEdit()->clear();
    QVERIFY(!dialog.CanAccept());
}

NACREFORM_QTEST(ImageSetCommandTest)
#include "ImageSetCommandTest.moc"

#include "QtTestRegistry.h"
#include "ShellHarness.h"
#include "shell/CommandIds.h"
#include "shell/DesktopServices.h"
#include "shell/ImageSetCommand.h"
#include "shell/ImageSetDlg.h"
#include "design/IniFile.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

// Answers the set dialog, the replace question and the report from a
// script: the dialog offers answer, then each of the retries while the
// command refuses them, and is cancelled when they run out.
class CScriptedSetDialogs : public IImageSetDialogs
{
public:
    bool accept = true;
    bool replace = true;
    bool openFolder = false;
    SImageSetChoice answer;
    QList<SImageSetChoice> retries;
    QList<SImageSetChoice> offered;
    QList<QStringList> replaceQuestions;
    QList<QPair<QString, QStringList>> reports;

    bool EditImageSet(QWidget*, const CNacreformDoc&, SImageSetChoice& choice, const AcceptCheck& check) override
    {
        offered.append(choice);
        if (!accept)
            return false;
        for (const SImageSetChoice& tried : QList<SImageSetChoice>{answer} + retries) {
            if (check(nullptr, tried)) {
                choice = tried;
                return true;
            }
        }
        return false;
    }
    bool ConfirmReplace(QWidget*, const QStringList& existing) override
    {
        replaceQuestions.append(existing);
        return replace;
    }
    bool ReportWritten(QWidget*, const QString& folder, const QStringList& files) override
    {
        reports.append({folder, files});
        return openFolder;
    }
};

class CRecordingDesktop : public IDesktopServices
{
public:
    QStringList opened;
    bool OpenFolder(const QString& folder) override
    {
        opened.append(folder);
        return true;
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
    void refusedReplaceReturnsToTheDialog();
    void dialogStaysOpenWhileRefusedAndShowsReadablePreviews();
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
    dialogs.answer.options.formats = {EImageFormat::Png, EImageFormat::Webp};
    dialogs.openFolder = true;
    CRecordingDesktop desktop;
    command.SetDesktop(&desktop);

    shell.Frame().GetCommand(kIdExportImageSet)->trigger();
    QCOMPARE(dialogs.offered.size(), 1);
    QCOMPARE(dialogs.offered[0].options.name, QStringLiteral("button"));
    QStringList written = QDir(dialogs.answer.folder).entryList(QDir::Files);
    written.sort();
    QCOMPARE(written, QStringList({"ok-pressed.png", "ok-pressed.webp", "ok-pressed@2x.png", "ok-pressed@2x.webp",
                                   "ok.png", "ok.webp", "ok@2x.png", "ok@2x.webp"}));
    QCOMPARE(QImage(QDir(dialogs.answer.folder).filePath(QStringLiteral("ok@2x.png"))).size(),
             shell.View().GetRenderedImage().size() * 2);
    QVERIFY(shell.dialogs.messages.isEmpty());
    // It says what it wrote, and the folder opens when asked.
    QCOMPARE(dialogs.reports.size(), 1);
    QCOMPARE(dialogs.reports[0].first, dialogs.answer.folder);
    QCOMPARE(dialogs.reports[0].second, QStringList({"ok.png", "ok-pressed.png", "ok@2x.png", "ok-pressed@2x.png",
                                                      "ok.webp", "ok-pressed.webp", "ok@2x.webp", "ok-pressed@2x.webp"}));
    QCOMPARE(desktop.opened, QStringList{dialogs.answer.folder});
    QCOMPARE(CQtImageSetDialogs::WrittenText(dialogs.reports[0].second), QStringLiteral("파일 8개를 저장했습니다."));

    // The next time starts from these choices; the name is the design's.
    QVERIFY(shell.Doc().DoSave(shell.FilePath(QStringLiteral("Launch.nfd"))));
    shell.Frame().GetCommand(kIdExportImageSet)->trigger();
    QCOMPARE(dialogs.offered.size(), 2);
    QCOMPARE(dialogs.offered[1].folder, dialogs.answer.folder);
    QCOMPARE(dialogs.offered[1].options.scales, dialogs.answer.options.scales);
    QCOMPARE(dialogs.offered[1].options.states, dialogs.answer.options.states);
    QCOMPARE(dialogs.offered[1].options.formats, dialogs.answer.options.formats);
    QCOMPARE(dialogs.offered[1].options.name, QStringLiteral("Launch"));
    QCOMPARE(dialogs.replaceQuestions.size(), 1);
    QCOMPARE(dialogs.replaceQuestions[0].size(), 8);
}

void ImageSetCommandTest::refusedReplaceReturnsToTheDialog()
{
    SShellHarness shell;
    CScriptedSetDialogs dialogs;
    CImageSetCommand& command = *shell.Frame().GetImageSetCommand();
    command.SetDialogs(&dialogs);
    command.SetSettingsPath(shell.FilePath(QStringLiteral("Nacreform.ini")));
    dialogs.answer.folder = shell.dir.path();
    dialogs.answer.options.scales = {1};

    dialogs.accept = false;
    command.Run(&shell.Frame());
    QCOMPARE(QDir(shell.dir.path()).entryList({"*.png"}, QDir::Files), QStringList());

    QFile existing(shell.FilePath(QStringLiteral("button-hover.png")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("mine");
    existing.close();
    dialogs.accept = true;
    dialogs.replace = false;
    // "いいえ" keeps the dialog open; the user then picks another name.
    dialogs.retries = {dialogs.answer};
    dialogs.retries[0].options.name = QStringLiteral("other");
    command.Run(&shell.Frame());
    QCOMPARE(dialogs.replaceQuestions, QList<QStringList>({{"button-hover.png"}}));
    QStringList written = QDir(shell.dir.path()).entryList({"*.png"}, QDir::Files);
    written.sort();
    QCOMPARE(written, QStringList({"button-hover.png", "other-disabled.png", "other-hover.png", "other-pressed.png",
                                   "other.png"}));
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
    QCOMPARE(dialog.GetListedFiles(), QStringList({"ok.png", "ok@2x.png", "ok.css", "ok.html"}));
    // The formats: PNG ticked for the pattern's extension; SVG once per state.
    QCOMPARE(dialog.GetFormatBoxes().size(), 4);
    QVERIFY(dialog.GetFormatBoxes()[0]->isChecked());
    dialog.GetFormatBoxes()[1]->setChecked(true);
    QCOMPARE(dialog.GetListedFiles(),
             QStringList({"ok.png", "ok@2x.png", "ok.svg", "ok-pressed.svg", "ok.css", "ok.html"}));
    QVERIFY(dialog.CanAccept());
    const SImageSetChoice chosen = dialog.GetChoice();
    QCOMPARE(chosen.options.scales, QList<double>({1, 2}));
    QCOMPARE(chosen.options.states, QList<EButtonState>({EButtonState::Normal, EButtonState::Pressed}));
    QCOMPARE(chosen.options.formats, QList<EImageFormat>({EImageFormat::Png, EImageFormat::Svg}));
    QVERIFY(chosen.options.sprite);
    for (QCheckBox* box : dialog.GetFormatBoxes())
        box->setChecked(false);
    QVERIFY(!dialog.CanAccept());
    dialog.GetFormatBoxes()[0]->setChecked(true);

    dialog.GetSpriteBox()->setChecked(false);
    dialog.GetPatternEdit()->setText(QStringLiteral("{name}.png"));
    QVERIFY(!dialog.CanAccept());
    QVERIFY(dialog.GetListedFiles().isEmpty());
    dialog.GetPatternEdit()->setText(QStringLiteral("{name}{-state}{@scale}.png"));
    dialog.GetFolderEdit()->clear();
    QVERIFY(!dialog.CanAccept());
}

void ImageSetCommandTest::dialogStaysOpenWhileRefusedAndShowsReadablePreviews()
{
    CNacreformDoc doc;
    SImageSetChoice choice;
    choice.options.scales = {1};
    choice.folder = QStringLiteral("/tmp");
    CImageSetDlg dialog(doc, choice);
    bool acceptable = false;
    QList<SImageSetChoice> asked;
    dialog.SetAcceptCheck([&](QWidget* parent, const SImageSetChoice& chosen) {
        asked.append(chosen);
        return parent == &dialog && acceptable;
    });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    dialog.GetStateBoxes()[2]->setChecked(false);
    const auto okButton = [&] {
        for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
            if (button->text() == QStringLiteral("저장(&S)"))
                return button;
        }
        return static_cast<QPushButton*>(nullptr);
    };
    QVERIFY(okButton());
    QTest::mouseClick(okButton(), Qt::LeftButton);
    QCOMPARE(asked.size(), 1);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.GetChoice().options.states, asked[0].options.states);
    QVERIFY(!dialog.GetStateBoxes()[2]->isChecked());
    acceptable = true;
    QTest::mouseClick(okButton(), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The default design shows at its own size, caption and all; the
    // state names are not cut.
    for (QLabel* preview : dialog.GetStatePreviews()) {
        QVERIFY(preview->width() >= 120);
        QCOMPARE(preview->pixmap().deviceIndependentSize().toSize(), QSize(145, 148));
    }
    for (QCheckBox* box : dialog.GetStateBoxes())
        QVERIFY(box->width() >= box->sizeHint().width());
    // A wide design is reduced into the box, keeping its proportions.
    doc.ShapeSize = {590, 128};
    doc.SelectRenderer(kRenderCapsule, false, false);
    CImageSetDlg wide(doc, choice);
    const QSize shown = wide.GetStatePreviews()[0]->pixmap().deviceIndependentSize().toSize();
    QCOMPARE(shown.width(), CImageSetDlg::kPreviewBox.width());
    QVERIFY(shown.height() >= 40 && shown.height() < CImageSetDlg::kPreviewBox.height());
}

NACREFORM_QTEST(ImageSetCommandTest)
#include "ImageSetCommandTest.moc"

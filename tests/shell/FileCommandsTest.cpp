#include "QtTestRegistry.h"
#include "ShellHarness.h"
#include "export/SvgExport.h"
#include "shell/CommandIds.h"
#include "util/AtomicFileWrite.h"

#include <QAction>
#include <QImageReader>
#include <QtTest>

#include <cerrno>
#include <cstring>

#include <unistd.h>

// Open, Save As, the recent-file entries and the PNG export, each driven
// through its command with scripted dialog answers.
class FileCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void openAsksForADesignAndShowsItUnderItsName();
    void openCancelledOrFailingKeepsTheDesign();
    void saveAsProposesUntitledAndKeepsTheName();
    void failedSaveIsReportedAndChangesNothing();
    void cancelledOrFailedSaveAsKeepsTheDesignsFile();
    void saveAsShortcutOpensTheSaveDialog();
    void recentFilesNewestFirstAtMostFour();
    void missingRecentFileIsReportedAndDropped();
    void longRecentPathKeepsItsFileName();
    void exportKeepsAlphaOfTransparentDesign();
    void exportFlattensOpaqueDesignOntoBackground();
    void exportTakesTheLastRenderAsItIs();
    void exportCancelledWritesNothing();
    void failedExportIsReported();
    void exportWritesTheFormatTheNameNames();
};

void FileCommandsTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void FileCommandsTest::openAsksForADesignAndShowsItUnderItsName()
{
    SShellHarness shell;
    const QString path = shell.WriteDesign(QStringLiteral("open.nfd"), 42, kRenderRectangle);
    shell.dialogs.fileAnswers = {path};
    QSignalSpy renders(&shell.View(), &CNacreformView::Rendered);
    shell.Frame().GetCommand(kIdFileOpen)->trigger();

    QCOMPARE(shell.dialogs.fileRequests.size(), 1);
    const SFileDialogRequest& request = shell.dialogs.fileRequests.first();
    QVERIFY(!request.save);
    QCOMPARE(request.title, QStringLiteral("開く"));
    QCOMPARE(request.filters,
             (QStringList{QStringLiteral("Nacreform Design(*.nfd)"), QStringLiteral("すべてのﾌｧｲﾙ (*.*)")}));

    QCOMPARE(shell.Doc().Margin, 42);
    QCOMPARE(shell.Doc().RenderID, unsigned(kRenderRectangle));
    QCOMPARE(shell.Doc().GetPathName(), path);
    QCOMPARE(shell.Doc().GetTitle(), QStringLiteral("open.nfd"));
    QCOMPARE(renders.count(), 1);
    QCOMPARE(shell.recentFiles.GetPaths(), QStringList{path});
    QCOMPARE(shell.Frame().GetRecentFileActions().size(), 1);
    QCOMPARE(shell.Frame().GetRecentFileActions().first()->text(), QStringLiteral("&1 ") + path);
    QVERIFY(shell.dialogs.messages.isEmpty());
}

void FileCommandsTest::openCancelledOrFailingKeepsTheDesign()
{
    SShellHarness shell;
    shell.Doc().Margin = 7;
    shell.dialogs.saveAnswers = {ESaveChanges::Discard, ESaveChanges::Discard};
    const QString missing = shell.FilePath(QStringLiteral("missing.nfd"));
    shell.dialogs.fileAnswers = {QString(), missing};
    shell.docManager.OnFileOpen();
    QVERIFY(shell.dialogs.messages.isEmpty());
    shell.docManager.OnFileOpen();
    QCOMPARE(shell.dialogs.messages,
             QStringList{CNacreformDoc::kOpenFailedMessage + "\n\n" + missing + "\n" + strerror(ENOENT)});
    QCOMPARE(shell.Doc().Margin, 7);
    QVERIFY(shell.recentFiles.GetPaths().isEmpty());
}

void FileCommandsTest::saveAsProposesUntitledAndKeepsTheName()
{
    SShellHarness shell;
    shell.dialogs.fileAnswers = {shell.WriteDesign(QStringLiteral("opened.nfd"), 12)};
    shell.docManager.OnFileOpen();
    const QString target = shell.FilePath(QStringLiteral("saved.nfd"));
    shell.dialogs.fileAnswers = {target};
    shell.Frame().GetCommand(kIdFileSaveAs)->trigger();

    const SFileDialogRequest& request = shell.dialogs.fileRequests.last();
    QVERIFY(request.save);
    QCOMPARE(request.title, QStringLiteral("名前を付けて保存"));
    QCOMPARE(request.proposedName, QStringLiteral("無題.nfd"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("nfd"));
    QCOMPARE(request.filters.first(), QStringLiteral("Nacreform Design(*.nfd)"));

    QVERIFY(QFileInfo::exists(target));
    QCOMPARE(shell.Doc().GetPathName(), target);
    QCOMPARE(shell.Doc().GetTitle(), QStringLiteral("saved.nfd"));
    QCOMPARE(shell.recentFiles.GetPaths().first(), target);
    CNacreformDoc reread;
    QVERIFY(reread.OnOpenDocument(target));
    QCOMPARE(reread.Margin, 12);

    // The next Save As starts from "無題" again, not from the saved name.
    shell.dialogs.fileAnswers = {QString()};
    shell.docManager.OnFileSaveAs();
    QCOMPARE(shell.dialogs.fileRequests.last().proposedName, QStringLiteral("無題.nfd"));
}

void FileCommandsTest::failedSaveIsReportedAndChangesNothing()
{
    SShellHarness shell;
    const QString unwritable = shell.FilePath(QStringLiteral("no-such-folder/design.nfd"));
    shell.dialogs.fileAnswers = {unwritable};
    shell.docManager.OnFileSaveAs();
    QCOMPARE(shell.dialogs.messages, QStringList{QStringLiteral("ﾄﾞｷｭﾒﾝﾄを保存することに失敗しました。\n\n")
                                                 + unwritable + "\n" + strerror(ENOENT)});
    QCOMPARE(shell.Doc().GetPathName(), QString());
    QCOMPARE(shell.Doc().GetTitle(), QStringLiteral("無題"));
    QVERIFY(shell.recentFiles.GetPaths().isEmpty());
    QVERIFY(!QFileInfo::exists(unwritable));

    // A full disk part way through a save over an existing design.
    const QString existing = shell.WriteDesign(QStringLiteral("existing.nfd"), 3);
    QFile file(existing);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const FileWriteFunction previous = SetFileWriteFunction([](int fd, const void* data, size_t size) -> ssize_t {
        if (size > 1)
            return ::write(fd, data, size / 2);
        errno = ENOSPC;
        return -1;
    });
    shell.dialogs.fileAnswers = {existing};
    shell.docManager.OnFileSaveAs();
    SetFileWriteFunction(previous);
    QCOMPARE(shell.dialogs.messages.last(), QStringLiteral("ﾄﾞｷｭﾒﾝﾄを保存することに失敗しました。\n\n")
                                                + existing + "\n" + strerror(ENOSPC));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    QCOMPARE(QDir(shell.dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"existing.nfd"});
}

void FileCommandsTest::cancelledOrFailedSaveAsKeepsTheDesignsFile()
{
    SShellHarness shell;
    const QString opened = shell.WriteDesign(QStringLiteral("opened.nfd"), 12);
    QVERIFY(shell.docManager.OpenDocumentFile(opened));
    const QString unwritable = shell.FilePath(QStringLiteral("no-such-folder/design.nfd"));
    for (const QString& answer : {QString(), unwritable}) {
        shell.dialogs.fileAnswers = {answer};
        QVERIFY(!shell.docManager.OnFileSaveAs());
        QCOMPARE(shell.Doc().GetPathName(), opened);
        QCOMPARE(shell.Doc().GetTitle(), QStringLiteral("opened.nfd"));
    }
    // Save writes the design back without asking for a name.
    shell.Doc().Margin = 21;
    const qsizetype asked = shell.dialogs.fileRequests.size();
    QVERIFY(shell.docManager.OnFileSave());
    QCOMPARE(shell.dialogs.fileRequests.size(), asked);
    CNacreformDoc reread;
    QVERIFY(reread.OnOpenDocument(opened));
    QCOMPARE(reread.Margin, 21);
}

void FileCommandsTest::saveAsShortcutOpensTheSaveDialog()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(shell.dialogs.fileRequests.size(), 1);
    QCOMPARE(shell.dialogs.fileRequests.first().proposedName, QStringLiteral("無題.nfd"));
    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(shell.dialogs.fileRequests.size(), 2);
    QVERIFY(!shell.dialogs.fileRequests.last().save);
}

void FileCommandsTest::recentFilesNewestFirstAtMostFour()
{
    SShellHarness shell;
    QStringList paths;
    for (int i = 1; i <= 5; ++i) {
        paths.append(shell.WriteDesign(QStringLiteral("d%1.nfd").arg(i), i));
        QVERIFY(shell.docManager.OpenDocumentFile(paths.last()));
    }
    // Opening one already listed moves it to the front.
    QVERIFY(shell.docManager.OpenDocumentFile(paths[2]));
    const QStringList expected = {paths[2], paths[4], paths[3], paths[1]};
    QCOMPARE(shell.recentFiles.GetPaths(), expected);

    const QList<QAction*> entries = shell.Frame().GetRecentFileActions();
    QCOMPARE(entries.size(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(entries[i]->text(), QStringLiteral("&%1 %2").arg(i + 1).arg(expected[i]));

    entries[3]->trigger();
    QCOMPARE(shell.Doc().Margin, 2);
    QCOMPARE(shell.recentFiles.GetPaths().first(), paths[1]);
}

void FileCommandsTest::missingRecentFileIsReportedAndDropped()
{
    SShellHarness shell;
    const QString gone = shell.WriteDesign(QStringLiteral("gone.nfd"), 3);
    const QString kept = shell.WriteDesign(QStringLiteral("kept.nfd"), 4);
    QVERIFY(shell.docManager.OpenDocumentFile(gone));
    QVERIFY(shell.docManager.OpenDocumentFile(kept));
    QVERIFY(QFile::remove(gone));
    shell.Doc().Margin = 30;
    shell.dialogs.saveAnswers = {ESaveChanges::Discard};

    shell.Frame().GetRecentFileActions().at(1)->trigger();
    QCOMPARE(shell.dialogs.messages.size(), 1);
    QVERIFY(shell.dialogs.messages.first().startsWith(CNacreformDoc::kOpenFailedMessage + "\n\n" + gone));
    QCOMPARE(shell.Doc().Margin, 30);
    QCOMPARE(shell.recentFiles.GetPaths(), QStringList{kept});
    QCOMPARE(shell.Frame().GetRecentFileActions().size(), 1);
}

void FileCommandsTest::longRecentPathKeepsItsFileName()
{
    SShellHarness shell;
    const QString folder = QStringLiteral("a-folder-name-long-enough-to-fill-a-menu/").repeated(6);
    QVERIFY(QDir(shell.dir.path()).mkpath(folder));
    const QString path = shell.WriteDesign(folder + QStringLiteral("R&D.nfd"), 8);
    QVERIFY(shell.docManager.OpenDocumentFile(path));
    const QString text = shell.Frame().GetRecentFileActions().first()->text();
    QVERIFY(text.startsWith(QStringLiteral("&1 ")));
    QVERIFY(text.endsWith(QStringLiteral("/R&&D.nfd")));
    QVERIFY(text.contains(QChar(0x2026)));
    QVERIFY(text.size() < path.size());
}

void FileCommandsTest::exportKeepsAlphaOfTransparentDesign()
{
    SShellHarness shell;
    const QString target = shell.FilePath(QStringLiteral("button.png"));
    shell.dialogs.fileAnswers = {target};
    shell.Frame().GetCommand(kIdExportImage)->trigger();

    const SFileDialogRequest& request = shell.dialogs.fileRequests.first();
    QVERIFY(request.save);
    QCOMPARE(request.filters, (QStringList{QStringLiteral("PNGファイル(*.png)"), QStringLiteral("SVGファイル(*.svg)"),
                                           QStringLiteral("JPEGファイル(*.jpg *.jpeg)"),
                                           QStringLiteral("WebPファイル(*.webp)")}));
    QCOMPARE(request.defaultSuffix, QStringLiteral("png"));
    QCOMPARE(request.proposedName, QString());

    const QImage png(target);
    QVERIFY(!png.isNull());
    QVERIFY(png.hasAlphaChannel());
    QCOMPARE(QStringLiteral(" %1 × %2").arg(png.width()).arg(png.height()), shell.Frame().GetPaneText(1));
    for (const QPoint corner : {QPoint(0, 0), QPoint(png.width() - 1, 0), QPoint(0, png.height() - 1),
                                QPoint(png.width() - 1, png.height() - 1)})
        QCOMPARE(qAlpha(png.pixel(corner)), 0);
    const QPoint centre(png.width() / 2, png.height() / 2);
    QCOMPARE(qAlpha(png.pixel(centre)), 255);
}

void FileCommandsTest::exportFlattensOpaqueDesignOntoBackground()
{
    SShellHarness shell;
    shell.Doc().BGTrans = false;
    shell.Doc().BGColor = 0x0000C0FF; // orange: red 0xFF, green 0xC0, blue 0
    shell.View().UpdatePreview(true);
    const QString target = shell.FilePath(QStringLiteral("flat.png"));
    shell.dialogs.fileAnswers = {target};
    shell.View().OnExportImage();

    const QImage png(target);
    QVERIFY(!png.isNull());
    QVERIFY(!png.hasAlphaChannel());
    QCOMPARE(png.size(), shell.View().GetDisplayImage().size());
    QCOMPARE(png.pixel(0, 0), qRgb(0xFF, 0xC0, 0x00));
    QCOMPARE(png.pixel(png.width() - 1, png.height() - 1), qRgb(0xFF, 0xC0, 0x00));
}

void FileCommandsTest::exportTakesTheLastRenderAsItIs()
{
    SShellHarness shell;
    const QSize rendered = shell.View().GetRenderedImage().size();
    shell.Doc().ShapeSize = {300, 300}; // not rendered yet
    const QString target = shell.FilePath(QStringLiteral("last.png"));
    shell.dialogs.fileAnswers = {target};
    shell.View().OnExportImage();
    QCOMPARE(QImageReader(target).size(), rendered);
}

void FileCommandsTest::exportCancelledWritesNothing()
{
    SShellHarness shell;
    shell.dialogs.fileAnswers = {QString()};
    shell.View().OnExportImage();
    QCOMPARE(shell.dialogs.fileRequests.size(), 1);
    QVERIFY(QDir(shell.dir.path()).isEmpty());
    QVERIFY(shell.dialogs.messages.isEmpty());
}

void FileCommandsTest::failedExportIsReported()
{
    SShellHarness shell;
    const QString target = shell.FilePath(QStringLiteral("no-such-folder/button.png"));
    shell.dialogs.fileAnswers = {target};
    shell.View().OnExportImage();
    QCOMPARE(shell.dialogs.messages,
             QStringList{QStringLiteral("画像の保存に失敗しました。\n\n") + target + "\n" + strerror(ENOENT)});
    QVERIFY(!QFileInfo::exists(target));
}

void FileCommandsTest::exportWritesTheFormatTheNameNames()
{
    SShellHarness shell;
    const QString jpeg = shell.FilePath(QStringLiteral("button.jpeg"));
    const QString svg = shell.FilePath(QStringLiteral("button.svg"));
    const QString gif = shell.FilePath(QStringLiteral("button.gif"));
    shell.dialogs.fileAnswers = {jpeg, svg, gif};
    for (int i = 0; i < 3; ++i)
        shell.View().OnExportImage();
    // JPEG has no alpha: the transparent design over its background colour.
    const QImage photo(jpeg);
    QCOMPARE(QImageReader(jpeg).format(), QByteArray("jpeg"));
    QVERIFY(!photo.hasAlphaChannel());
    QVERIFY(qGray(photo.pixel(0, 0)) > 245);
    QFile vector(svg);
    QVERIFY(vector.open(QIODevice::ReadOnly));
    QCOMPARE(vector.readAll(), EncodeButtonSvg(shell.Doc(), EButtonState::Normal));
    // Another extension is refused, not written as something it is not.
    QVERIFY(!QFileInfo::exists(gif));
    QCOMPARE(shell.dialogs.messages.size(), 1);
    QVERIFY(shell.dialogs.messages.first().contains(QStringLiteral("png, svg, jpeg")));
}

NACREFORM_QTEST(FileCommandsTest)
#include "FileCommandsTest.moc"

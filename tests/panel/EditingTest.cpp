#include "QtTestRegistry.h"
#include "PanelHarness.h"

#include "shell/CommandIds.h"
#include "shell/EditHistory.h"
#include "res/layouts/ImagePageTemplate.h"
#include "res/layouts/ShapePageTemplate.h"

#include <QAction>
#include <QClipboard>
#include <QMimeData>

// Editing in the real main window: the save question before anything
// replaces a modified design, Save, undo and redo through panel and toolbar,
// and the copy to the clipboard.
class EditingTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_harness.reset(); }

    void exitAsksAndCancelKeepsWindowAndEdits();
    void yesOnUntitledDesignSavesAsAndACancelledSaveCancels();
    void replacingAModifiedDesignAsksFirst_data();
    void replacingAModifiedDesignAsksFirst();
    void undoAndRedoRestorePanelAndBitmap_data();
    void undoAndRedoRestorePanelAndBitmap();
    void burstOfTypingIsOneStep();
    void saveWritesTheOpenedFileAndUndoToItIsUnmodified();
    void saveNeverWritesIntoAPicture();
    void copyPutsTheBitmapWithItsAlphaOnTheClipboard();

private:
    QLineEdit* MarginField() { return Item<QLineEdit>(m_harness->ShapePage(), ShapePageTemplate::IDC_MARGIN); }
    void TypeMargin(const QString& text) { TypeInto(MarginField(), text); }
    QString WritePicture(const QString& name);
    void Trigger(unsigned id) { m_harness->Frame().GetCommand(id)->trigger(); }
    // Keys go where the user has the focus, usually the field just typed in.
    static void PressKeys(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : QApplication::activeWindow(), key, modifiers);
    }

    std::unique_ptr<SPanelHarness> m_harness;
};

void EditingTest::init()
{
    m_harness = std::make_unique<SPanelHarness>();
    m_harness->Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_harness->Frame()));
}

QString EditingTest::WritePicture(const QString& name)
{
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::green);
    const QString path = m_harness->FilePath(name);
    return picture.save(path) ? path : QString();
}

void EditingTest::exitAsksAndCancelKeepsWindowAndEdits()
{
    CMainFrame& frame = m_harness->Frame();
    QVERIFY(!frame.GetEditHistory()->IsModified());
    TypeMargin(QStringLiteral("12"));
    QVERIFY(frame.GetEditHistory()->IsModified());

    m_harness->dialogs.saveAnswers = {ESaveChanges::Cancel};
    Trigger(kIdAppExit);
    QCOMPARE(m_harness->dialogs.saveQuestions, QStringList{QStringLiteral("無題 への変更を保存しますか?")});
    QVERIFY(frame.isVisible());
    QCOMPARE(m_harness->Doc().Margin, 12);
    QCOMPARE(MarginField()->text(), QStringLiteral("12"));

    m_harness->dialogs.saveAnswers = {ESaveChanges::Discard};
    Trigger(kIdAppExit);
    QVERIFY(!frame.isVisible());
    QVERIFY(m_harness->dialogs.fileRequests.isEmpty());
}

void EditingTest::yesOnUntitledDesignSavesAsAndACancelledSaveCancels()
{
    CMainFrame& frame = m_harness->Frame();
    TypeMargin(QStringLiteral("21"));
    m_harness->dialogs.saveAnswers = {ESaveChanges::Save};
    m_harness->dialogs.fileAnswers = {QString()};
    QVERIFY(!frame.close());
    QCOMPARE(m_harness->dialogs.fileRequests.size(), 1);
    QCOMPARE(m_harness->dialogs.fileRequests.first().proposedName, QStringLiteral("無題.nfd"));
    QVERIFY(frame.isVisible());

    const QString target = m_harness->FilePath(QStringLiteral("saved.nfd"));
    m_harness->dialogs.saveAnswers = {ESaveChanges::Save};
    m_harness->dialogs.fileAnswers = {target};
    QVERIFY(frame.close());
    CNacreformDoc reread;
    QVERIFY(reread.OnOpenDocument(target));
    QCOMPARE(reread.Margin, 21);
}

void EditingTest::replacingAModifiedDesignAsksFirst_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("open") << QStringLiteral("open");
    QTest::newRow("recent file") << QStringLiteral("recent");
    QTest::newRow("drop") << QStringLiteral("drop");
}

void EditingTest::replacingAModifiedDesignAsksFirst()
{
    QFETCH(QString, entry);
    const QString other = m_harness->WriteDesign(QStringLiteral("other.nfd"), 40);
    m_harness->recentFiles.Add(other);
    m_harness->docManager.UpdateRecentFileMenu();
    const auto replace = [&] {
        if (entry == QLatin1String("open")) {
            m_harness->dialogs.fileAnswers = {other};
            Trigger(kIdFileOpen);
        } else if (entry == QLatin1String("recent")) {
            m_harness->Frame().GetRecentFileActions().first()->trigger();
        } else {
            emit m_harness->Frame().FilesDropped({other});
        }
    };
    TypeMargin(QStringLiteral("8"));

    m_harness->dialogs.saveAnswers = {ESaveChanges::Cancel};
    replace();
    QCOMPARE(m_harness->dialogs.saveQuestions.size(), 1);
    QVERIFY(m_harness->dialogs.fileRequests.isEmpty());
    QCOMPARE(m_harness->Doc().Margin, 8);

    m_harness->dialogs.saveAnswers = {ESaveChanges::Discard};
    replace();
    QCOMPARE(m_harness->Doc().Margin, 40);
    QCOMPARE(MarginField()->text(), QStringLiteral("40"));
    // The opened design starts a history of its own, unmodified.
    QVERIFY(!m_harness->Frame().GetEditHistory()->IsModified());
    QVERIFY(!m_harness->Frame().GetCommand(kIdEditUndo)->isEnabled());
}

void EditingTest::undoAndRedoRestorePanelAndBitmap_data()
{
    QTest::addColumn<QString>("edit");
    QTest::newRow("typed field") << QStringLiteral("field");
    QTest::newRow("shape button") << QStringLiteral("shape");
    QTest::newRow("picture deleted") << QStringLiteral("picture");
}

void EditingTest::undoAndRedoRestorePanelAndBitmap()
{
    QFETCH(QString, edit);
    QLineEdit* pictureName = Item<QLineEdit>(m_harness->ImagePage(), ImagePageTemplate::IDC_FILE_NAME);
    QWidget* height = GetDlgItem(&m_harness->ShapePage(), ShapePageTemplate::IDC_HEIGHT);
    if (edit == QLatin1String("picture")) {
        m_harness->pictureAnswers = {WritePicture(QStringLiteral("logo.png"))};
        Item<QAbstractButton>(m_harness->ImagePage(), ImagePageTemplate::IDC_CHOOSE)->click();
    }
    const auto panel = [&] { return QStringList{MarginField()->text(), pictureName->text(),
                                                height->isEnabled() ? "height" : "square"}; };
    const QStringList panelBefore = panel();
    const QImage bitmapBefore = m_harness->View().GetRenderedImage();

    if (edit == QLatin1String("field"))
        TypeMargin(QStringLiteral("30"));
    else if (edit == QLatin1String("shape"))
        Trigger(kRenderCapsule);
    else
        Item<QAbstractButton>(m_harness->ImagePage(), ImagePageTemplate::IDC_DELETE)->click();
    m_harness->View().UpdatePreview(true);
    const QStringList panelAfter = panel();
    const QImage bitmapAfter = m_harness->View().GetRenderedImage();
    QVERIFY(panelAfter != panelBefore);
    QVERIFY(bitmapAfter != bitmapBefore);

    PressKeys(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(panel(), panelBefore);
    QCOMPARE(m_harness->View().GetRenderedImage(), bitmapBefore);
    QVERIFY(!m_harness->View().IsRenderPending());

    PressKeys(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(panel(), panelAfter);
    QCOMPARE(m_harness->View().GetRenderedImage(), bitmapAfter);
    PressKeys(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(panel(), panelAfter); // nothing left to redo
}

void EditingTest::burstOfTypingIsOneStep()
{
    TypeMargin(QStringLiteral("123"));
    const QUndoStack& stack = m_harness->Frame().GetEditHistory()->GetStack();
    QCOMPARE(stack.count(), 1);
    Trigger(kIdEditUndo);
    QCOMPARE(m_harness->Doc().Margin, 5);
    QCOMPARE(MarginField()->text(), QStringLiteral("5"));
    QVERIFY(!m_harness->Frame().GetEditHistory()->IsModified());
}

void EditingTest::saveWritesTheOpenedFileAndUndoToItIsUnmodified()
{
    const QString path = m_harness->WriteDesign(QStringLiteral("design.nfd"), 9);
    QVERIFY(m_harness->docManager.OpenDocumentFile(path));
    TypeMargin(QStringLiteral("14"));
    PressKeys(Qt::Key_S, Qt::ControlModifier);
    QVERIFY(m_harness->dialogs.fileRequests.isEmpty());
    CNacreformDoc reread;
    QVERIFY(reread.OnOpenDocument(path));
    QCOMPARE(reread.Margin, 14);

    CEditHistory& history = *m_harness->Frame().GetEditHistory();
    QVERIFY(!history.IsModified());
    Trigger(kRenderRectangle);
    QVERIFY(history.IsModified());
    Trigger(kIdEditUndo);
    QVERIFY(!history.IsModified());
    Trigger(kIdEditUndo);
    QCOMPARE(m_harness->Doc().Margin, 9);
    QVERIFY(history.IsModified());
}

void EditingTest::saveNeverWritesIntoAPicture()
{
    const QString picture = WritePicture(QStringLiteral("dropped.png"));
    QFile file(picture);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    emit m_harness->Frame().FilesDropped({picture});
    QCOMPARE(m_harness->Doc().GetPathName(), picture);

    m_harness->dialogs.fileAnswers = {QString()};
    Trigger(kIdFileSave);
    QCOMPARE(m_harness->dialogs.fileRequests.size(), 1);
    QVERIFY(m_harness->dialogs.fileRequests.first().save);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

void EditingTest::copyPutsTheBitmapWithItsAlphaOnTheClipboard()
{
    QAction* copy = m_harness->Frame().GetCommand(kIdEditCopy);
    QVERIFY(copy->isEnabled());
    PressKeys(Qt::Key_C, Qt::ControlModifier);
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    QVERIFY(mime);
    const QImage copied = qvariant_cast<QImage>(mime->imageData());
    const QImage& rendered = m_harness->View().GetRenderedImage();
    QCOMPARE(copied.size(), rendered.size());
    QVERIFY(copied.hasAlphaChannel());
    QCOMPARE(qAlpha(copied.pixel(0, 0)), 0);
    QImage fromPng;
    QVERIFY(fromPng.loadFromData(mime->data(QStringLiteral("image/png")), "PNG"));
    QCOMPARE(fromPng.convertToFormat(QImage::Format_ARGB32), rendered.convertToFormat(QImage::Format_ARGB32));

    // A design that gives no picture leaves nothing to copy.
    m_harness->Doc().ShapeSize = {100000, 100000};
    m_harness->View().UpdatePreview(true);
    QVERIFY(!copy->isEnabled());
}

NACREFORM_QTEST(EditingTest)
#include "EditingTest.moc"

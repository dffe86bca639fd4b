#include "QtTestRegistry.h"
#include "PanelHarness.h"

#include "shell/CommandIds.h"
#include "shell/EditHistory.h"
#include "shell/PresetGalleryDlg.h"
#include "design/PresetLibrary.h"
#include "res/layouts/ShapePageTemplate.h"
#include "res/layouts/TextPageTemplate.h"

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>

// The commands that start, restore and fit a design: New from the preset
// gallery, Revert, and fitting the shape to its caption, with the status
// bar's checks of the design.
class DesignCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_harness.reset(); }

    void newStartsAnUntitledDesignFromTheChosenPreset();
    void revertReadsTheFileAgainAfterAsking();
    void fitIsOneUndoStepFromMenuOrPage();
    void statusBarShowsCutsAndContrast();
    void galleryOffersTheDefaultThenEveryPreset();

private:
    QLineEdit* Field(QWidget& page, int id) { return Item<QLineEdit>(page, id); }
    void Trigger(unsigned id) { m_harness->Frame().GetCommand(id)->trigger(); }
    void TypeMargin(const QString& text) { TypeInto(Field(m_harness->ShapePage(), ShapePageTemplate::IDC_MARGIN), text); }
    void TypeCaption(const QString& text)
    {
        m_harness->SelectTab(CControlDlg::kTextTab);
        QLineEdit* field = Field(m_harness->TextPage(), TextPageTemplate::IDC_STRING);
        TypeInto(field, text);
        if (text.isEmpty())
            QTest::keyClick(field, Qt::Key_Backspace);
        m_harness->View().UpdatePreview(true); // as if the typing had rested
    }
    CEditHistory& History() { return *m_harness->Frame().GetEditHistory(); }

    std::unique_ptr<SPanelHarness> m_harness;
};

void DesignCommandsTest::init()
{
    m_harness = std::make_unique<SPanelHarness>();
    m_harness->Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_harness->Frame()));
}

void DesignCommandsTest::newStartsAnUntitledDesignFromTheChosenPreset()
{
    QAction* newDesign = m_harness->Frame().GetCommand(kIdFileNew);
    QCOMPARE(m_harness->Frame().GetFileMenu()->actions().first(), newDesign);
    QCOMPARE(newDesign->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));

    TypeMargin(QStringLiteral("8"));
    Trigger(kIdFileNew); // the gallery cancelled: nothing asked, nothing changed
    QCOMPARE(m_harness->dialogs.presetGalleries, 1);
    QVERIFY(m_harness->dialogs.saveQuestions.isEmpty());
    m_harness->dialogs.presetAnswers = {QStringLiteral("danger")};
    m_harness->dialogs.saveAnswers = {ESaveChanges::Cancel};
    Trigger(kIdFileNew);
    QCOMPARE(m_harness->dialogs.saveQuestions.size(), 1);
    QCOMPARE(m_harness->Doc().Margin, 8);

    m_harness->dialogs.presetAnswers = {QStringLiteral("danger")};
    m_harness->dialogs.saveAnswers = {ESaveChanges::Discard};
    Trigger(kIdFileNew);
    const CDesignValues danger = *LoadPreset(QStringLiteral("danger"));
    QCOMPARE(FirstDifferentField(m_harness->Doc(), danger), -1);
    QCOMPARE(m_harness->Doc().GetTitle(), CNacreformDoc::kUntitled);
    QVERIFY(m_harness->Doc().GetPathName().isEmpty());
    QVERIFY(!History().IsModified());
    QCOMPARE(Field(m_harness->ShapePage(), ShapePageTemplate::IDC_MARGIN)->text(), QString::number(danger.Margin));
    QVERIFY(m_harness->Frame().GetCommand(kRenderRectangle)->isChecked());

    m_harness->dialogs.presetAnswers = {QString()}; // the plain default design
    Trigger(kIdFileNew);
    QCOMPARE(FirstDifferentField(m_harness->Doc(), CNacreformDoc()), -1);
    QCOMPARE(m_harness->dialogs.saveQuestions.size(), 2);
}

void DesignCommandsTest::revertReadsTheFileAgainAfterAsking()
{
    QAction* revert = m_harness->Frame().GetCommand(kIdFileRevert);
    emit m_harness->Frame().GetFileMenu()->aboutToShow();
    QVERIFY(!revert->isEnabled()); // an untitled design has no file to go back to
    revert->trigger();
    QVERIFY(m_harness->dialogs.yesNoQuestions.isEmpty());

    const QString path = m_harness->WriteDesign(QStringLiteral("saved.nfd"), 40);
    QVERIFY(m_harness->docManager.OpenDocumentFile(path));
    emit m_harness->Frame().GetFileMenu()->aboutToShow();
    QVERIFY(revert->isEnabled());
    TypeMargin(QStringLiteral("8"));
    revert->trigger(); // answered いいえ
    QCOMPARE(m_harness->dialogs.yesNoQuestions,
             QStringList{QStringLiteral("saved.nfd への変更を破棄して、保存されている内容に戻しますか?")});
    QCOMPARE(m_harness->Doc().Margin, 8);

    m_harness->dialogs.yesNoAnswers = {true};
    revert->trigger();
    QCOMPARE(m_harness->Doc().Margin, 40);
    QCOMPARE(Field(m_harness->ShapePage(), ShapePageTemplate::IDC_MARGIN)->text(), QStringLiteral("40"));
    QVERIFY(!History().IsModified());
    QCOMPARE(m_harness->Doc().GetPathName(), path);
}

void DesignCommandsTest::fitIsOneUndoStepFromMenuOrPage()
{
    TypeCaption(QStringLiteral("Download now"));
    const CDesignValues before = m_harness->Doc();
    const int steps = History().GetStack().count();

    auto* button = Item<QPushButton>(m_harness->ShapePage(), ShapePageTemplate::IDC_FIT_TO_CAPTION);
    m_harness->SelectTab(CControlDlg::kShapeTab);
    QTest::mouseClick(button, Qt::LeftButton);
    const CDesignValues fitted = m_harness->Doc();
    QVERIFY(fitted.ShapeSize.cx > before.ShapeSize.cx);
    QVERIFY(fitted.FontSize < before.FontSize); // a circle keeps its caption's size
    QCOMPARE(Field(m_harness->ShapePage(), ShapePageTemplate::IDC_WIDTH)->text(), QString::number(fitted.ShapeSize.cx));
    QCOMPARE(History().GetStack().count(), steps + 1);

    Trigger(kIdEditUndo);
    QCOMPARE(FirstDifferentField(m_harness->Doc(), before), -1);
    QCOMPARE(Field(m_harness->ShapePage(), ShapePageTemplate::IDC_WIDTH)->text(), QString::number(before.ShapeSize.cx));
    Trigger(kIdEditFitToCaption);
    QCOMPARE(FirstDifferentField(m_harness->Doc(), fitted), -1);
    QCOMPARE(History().GetStack().count(), steps + 1); // the redo step was replaced by the same edit

    TypeCaption(QString());
    const int withoutCaption = History().GetStack().count();
    Trigger(kIdEditFitToCaption);
    QCOMPARE(History().GetStack().count(), withoutCaption);
    QCOMPARE(m_harness->Frame().statusBar()->currentMessage(), CMainFrame::kFitFailedText);
}

void DesignCommandsTest::statusBarShowsCutsAndContrast()
{
    // The default design's white caption on the light centre of its circle,
    // a caption of 34 pixels.
    QVERIFY2(m_harness->Frame().GetPaneText(3).startsWith(QStringLiteral("⚠ 대비 "))
                 && m_harness->Frame().GetPaneText(3).endsWith(QStringLiteral(":1 (3:1 미만)")),
             qPrintable(m_harness->Frame().GetPaneText(3)));
    m_harness->Doc().TextColor = 0x3A1F0B; // a dark navy caption
    m_harness->View().UpdatePreview(true);
    QVERIFY(m_harness->Frame().GetPaneText(3).startsWith(QStringLiteral("대비 ")));

    TypeCaption(QStringLiteral("Download"));
    QVERIFY(m_harness->Frame().GetPaneText(3).startsWith(QStringLiteral("⚠ 글자가 ")));
    Trigger(kIdEditFitToCaption);
    QVERIFY(!m_harness->Frame().GetPaneText(3).contains(QStringLiteral("잘림")));
}

void DesignCommandsTest::galleryOffersTheDefaultThenEveryPreset()
{
    CPresetGalleryDlg gallery(&m_harness->Frame());
    QListWidget* list = gallery.GetList();
    QCOMPARE(list->count(), BuiltInPresets().size() + 1);
    QCOMPARE(list->item(0)->text(), CPresetGalleryDlg::kDefaultDesignTitle);
    QCOMPARE(gallery.SelectedPreset(), QString());
    for (int i = 0; i < list->count(); ++i) {
        const QPixmap thumbnail = list->item(i)->icon().pixmap(list->iconSize());
        QVERIFY(!thumbnail.isNull());
        QVERIFY(thumbnail.width() <= CPresetGalleryDlg::kThumbnailWidth * thumbnail.devicePixelRatio());
    }
    gallery.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gallery));
    list->setFocus();
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(gallery.result(), int(QDialog::Accepted));
    QCOMPARE(gallery.SelectedPreset(), BuiltInPresets().at(1).name);
}

NACREFORM_QTEST(DesignCommandsTest)
#include "DesignCommandsTest.moc"

#include "QtTestRegistry.h"
#include "PanelHarness.h"

#include "shell/CommandIds.h"
#include "res/layouts/ImagePageTemplate.h"
#include "res/layouts/ShapePageTemplate.h"
#include "res/layouts/TextPageTemplate.h"
#include "widgets/FlatButton.h"
#include "widgets/FontComboBox.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

// From the default design, a user sets every design parameter through the
// panel (and the shape through the toolbar), saves, and opens the file in a
// fresh window: the same design, drawn with the same pixels.
class EndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void everyParameterSurvivesSaveAndReopen();

private:
    static void EditShapePage(SPanelHarness& session);
    static void EditTextPage(SPanelHarness& session);
    static void EditImagePage(SPanelHarness& session, const QString& picturePath);
    static void Type(QWidget& page, int id, const QString& text) { TypeInto(Item<QLineEdit>(page, id), text); }
    static void Click(QWidget& page, int id) { ClickButton(Item<QAbstractButton>(page, id)); }
    static void Pick(SPanelHarness& session, QWidget& page, int id, QColor color)
    {
        session.colors.answers = {color};
        QTest::mouseClick(Item<QPushButton>(page, id), Qt::LeftButton);
    }
};

void EndToEndTest::EditShapePage(SPanelHarness& session)
{
    using namespace ShapePageTemplate;
    using namespace ShadowBlock;
    CControlShapeDlg& page = session.ShapePage();
    session.SelectTab(CControlDlg::kShapeTab);
    session.Frame().GetCommand(kRenderRectangle)->trigger();
    Click(page, IDC_BG_USE_COLOR);
    Pick(session, page, IDC_BG_PICK, QColor(250, 240, 200));
    Type(page, IDC_MARGIN, QStringLiteral("12"));
    Type(page, IDC_WIDTH, QStringLiteral("150"));
    Type(page, IDC_HEIGHT, QStringLiteral("90"));
    Pick(session, page, IDC_COLOR1_PICK, QColor(200, 30, 40));
    Pick(session, page, IDC_COLOR2_PICK, QColor(250, 160, 60));
    Type(page, IDC_SHADOW_X, QStringLiteral("3.5"));
    Type(page, IDC_SHADOW_Y, QStringLiteral("-7.25"));
    Type(page, IDC_SHADOW_ALPHA, QStringLiteral("120"));
    Click(page, IDC_SHADOW);
}

void EndToEndTest::EditTextPage(SPanelHarness& session)
{
    using namespace TextPageTemplate;
    using namespace ShadowBlock;
    CControlTextDlg& page = session.TextPage();
    session.SelectTab(CControlDlg::kTextTab);
    Type(page, IDC_STRING, QStringLiteral("Go 가자"));
    auto* fonts = Item<CFontComboBox>(page, IDC_FONT);
    fonts->setFocus();
    QTest::keyClick(fonts, fonts->currentIndex() + 1 < fonts->count() ? Qt::Key_Down : Qt::Key_Up);
    QTest::mouseClick(Item<CFlatButton>(page, IDC_BOLD), Qt::LeftButton);
    Type(page, IDC_FONT_SIZE, QStringLiteral("35.5"));
    Type(page, IDC_TEXT_X, QStringLiteral("4"));
    Type(page, IDC_TEXT_Y, QStringLiteral("-6"));
    Pick(session, page, IDC_TEXT_PICK, QColor(255, 255, 0));
    Type(page, IDC_TEXT_ALPHA, QStringLiteral("200"));
    Click(page, IDC_SHADOW_SAME_AS_TEXT);
    Pick(session, page, IDC_SHADOW_PICK, QColor(0, 0, 90));
    Type(page, IDC_SHADOW_X, QStringLiteral("2"));
    Type(page, IDC_SHADOW_Y, QStringLiteral("9"));
    Type(page, IDC_SHADOW_ALPHA, QStringLiteral("90"));
    Click(page, IDC_SHADOW);
}

void EndToEndTest::EditImagePage(SPanelHarness& session, const QString& picturePath)
{
    using namespace ImagePageTemplate;
    using namespace ShadowBlock;
    CControlImageDlg& page = session.ImagePage();
    session.SelectTab(CControlDlg::kImageTab);
    session.pictureAnswers = {picturePath};
    QTest::mouseClick(Item<QPushButton>(page, IDC_CHOOSE), Qt::LeftButton);
    Type(page, IDC_SIZE, QStringLiteral("60"));
    Type(page, IDC_IMAGE_X, QStringLiteral("10"));
    Type(page, IDC_IMAGE_Y, QStringLiteral("-10"));
    Type(page, IDC_IMAGE_ALPHA, QStringLiteral("180"));
    Type(page, IDC_SHADOW_X, QStringLiteral("5"));
    Type(page, IDC_SHADOW_Y, QStringLiteral("6"));
    Type(page, IDC_SHADOW_ALPHA, QStringLiteral("100"));
    Click(page, IDC_SHADOW);
}

void EndToEndTest::everyParameterSurvivesSaveAndReopen()
{
    QTemporaryDir dir;
    const QString designPath = dir.filePath(QStringLiteral("button.nfd"));
    const QString picturePath = dir.filePath(QStringLiteral("mark.png"));
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(QColor(20, 160, 60, 220));
    QVERIFY(picture.save(picturePath));

    auto session = std::make_unique<SPanelHarness>();
    const auto defaults = DesignOf(session->Doc(), dir.filePath(QStringLiteral("defaults.nfd")));
    QCOMPARE(defaults.size(), CNacreformDoc::DesignKeys().size());

    EditShapePage(*session);
    EditTextPage(*session);
    EditImagePage(*session, picturePath);
    QTRY_VERIFY(!session->View().IsRenderPending());
    const auto edited = DesignOf(session->Doc(), dir.filePath(QStringLiteral("edited.nfd")));
    for (const QString& key : CNacreformDoc::DesignKeys())
        QVERIFY2(edited.value(key) != defaults.value(key), qPrintable(key));

    session->dialogs.fileAnswers = {designPath};
    session->Frame().GetCommand(kIdFileSaveAs)->trigger();
    QVERIFY(QFileInfo::exists(designPath));
    const QImage rendered = session->View().GetRenderedImage();
    QVERIFY(!rendered.isNull());
    session.reset();

    auto fresh = std::make_unique<SPanelHarness>();
    QVERIFY(fresh->docManager.OpenDocumentFile(designPath));
    QCOMPARE(DesignOf(fresh->Doc(), dir.filePath(QStringLiteral("reopened.nfd"))), edited);
    QCOMPARE(fresh->View().GetRenderedImage(), rendered);
    QCOMPARE(Item<QLineEdit>(fresh->ShapePage(), ShapePageTemplate::IDC_MARGIN)->text(), QStringLiteral("12"));
    QCOMPARE(Item<QLineEdit>(fresh->TextPage(), TextPageTemplate::IDC_STRING)->text(), QStringLiteral("Go 가자"));
    QCOMPARE(Item<QLineEdit>(fresh->ImagePage(), ImagePageTemplate::IDC_FILE_NAME)->text(), QStringLiteral("mark.png"));
}

NACREFORM_QTEST(EndToEndTest)
#include "EndToEndTest.moc"

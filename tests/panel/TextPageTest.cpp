#include "QtTestRegistry.h"
#include "PanelHarness.h"

#include "res/layouts/TextPageTemplate.h"
#include "widgets/EditDouble.h"
#include "widgets/EditText.h"
#include "widgets/FlatButton.h"
#include "widgets/FontComboBox.h"

#include <QCheckBox>

using namespace TextPageTemplate;
using namespace ShadowBlock;

// The text tab in the real main window.
class TextPageTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_harness = std::make_unique<SPanelHarness>();
        m_harness->SelectTab(CControlDlg::kTextTab);
    }
    void cleanup() { m_harness.reset(); }

    void boldClickedTwiceReturnsAndRendersEachTime();
    void boldDoubleClickCountsTwice();
    void pickingAFontRendersAtOnceWithIt();
    void typedCaptionCommitsEveryChangeAndRendersOnce();
    void shadowColourFollowsMatchBox();
    void shadowCheckBoxDisablesEveryShadowControl();
    void emptiedFontSizeCommitsMinimum();

private:
    CControlTextDlg& Page() { return m_harness->TextPage(); }
    CNacreformDoc& Doc() { return m_harness->Doc(); }

    std::unique_ptr<SPanelHarness> m_harness;
};

void TextPageTest::boldClickedTwiceReturnsAndRendersEachTime()
{
    auto* bold = Item<CFlatButton>(Page(), IDC_BOLD);
    QVERIFY(!Doc().Bold);
    QTest::mouseClick(bold, Qt::LeftButton);
    QVERIFY(Doc().Bold);
    QVERIFY(bold->IsChecked());
    QCOMPARE(m_harness->RenderCount(), 1);
    QTest::mouseClick(bold, Qt::LeftButton);
    QVERIFY(!Doc().Bold);
    QVERIFY(!bold->IsChecked());
    QCOMPARE(m_harness->RenderCount(), 2);
}

void TextPageTest::boldDoubleClickCountsTwice()
{
    // A double click arrives as press, release, double-click press, release.
    auto* bold = Item<CFlatButton>(Page(), IDC_BOLD);
    QTest::mouseClick(bold, Qt::LeftButton);
    QTest::mouseDClick(bold, Qt::LeftButton);
    QTest::mouseRelease(bold, Qt::LeftButton);
    QVERIFY(!Doc().Bold);
    QCOMPARE(m_harness->RenderCount(), 2);
}

void TextPageTest::pickingAFontRendersAtOnceWithIt()
{
    auto* fonts = Item<CFontComboBox>(Page(), IDC_FONT);
    QVERIFY(fonts->count() > 1);
    fonts->setFocus();
    const int before = fonts->currentIndex();
    QTest::keyClick(fonts, before + 1 < fonts->count() ? Qt::Key_Down : Qt::Key_Up);
    QVERIFY(fonts->currentIndex() != before);
    QCOMPARE(Doc().FontName, fonts->currentText());
    QCOMPARE(m_harness->RenderCount(), 1);
    // Text typed into the box is no choice.
    fonts->lineEdit()->selectAll();
    QTest::keyClicks(fonts->lineEdit(), QStringLiteral("NoSuchFace"));
    QCOMPARE(Doc().FontName, fonts->itemText(fonts->currentIndex()));
    QCOMPARE(m_harness->RenderCount(), 1);
}

void TextPageTest::typedCaptionCommitsEveryChangeAndRendersOnce()
{
    auto* caption = Item<CEditText>(Page(), IDC_STRING);
    QCOMPARE(caption->text(), QStringLiteral("NACRE"));
    caption->setFocus();
    caption->selectAll();
    QTest::keyClick(caption, Qt::Key_Delete);
    QCOMPARE(Doc().String, QString());
    TypeText(caption, QStringLiteral("Ｇｏ ok"));
    QCOMPARE(Doc().String, QStringLiteral("Ｇｏ ok"));
    QCOMPARE(m_harness->RenderCount(), 0);
    QVERIFY(m_harness->renders->wait(2000));
    QCOMPARE(m_harness->RenderCount(), 1);
    QVERIFY(!m_harness->View().IsRenderPending());
}

void TextPageTest::shadowColourFollowsMatchBox()
{
    auto* match = Item<QCheckBox>(Page(), IDC_SHADOW_SAME_AS_TEXT);
    QWidget* pick = GetDlgItem(&Page(), IDC_SHADOW_PICK);
    CColorWnd* swatch = SwatchAt(Page(), IDC_SHADOW_SWATCH);
    QVERIFY(match->isChecked());
    QVERIFY(!pick->isEnabled());
    QVERIFY(!swatch->isEnabled());
    ClickButton(match);
    QVERIFY(!Doc().TextShadowColorSameAsText);
    QVERIFY(pick->isEnabled());
    QVERIFY(swatch->isEnabled());
    QCOMPARE(m_harness->RenderCount(), 1);

    m_harness->colors.answers = {QColor(255, 0, 0)};
    QTest::mouseClick(Item<QAbstractButton>(Page(), IDC_SHADOW_PICK), Qt::LeftButton);
    QCOMPARE(Doc().TextShadowColor, COLORREF(0x000000FF));
    QCOMPARE(Doc().GetTextShadowColor(), COLORREF(0x000000FF));
    QCOMPARE(m_harness->RenderCount(), 2);
}

void TextPageTest::shadowCheckBoxDisablesEveryShadowControl()
{
    ClickButton(Item<QCheckBox>(Page(), IDC_SHADOW_SAME_AS_TEXT));
    ClickButton(Item<QCheckBox>(Page(), IDC_SHADOW));
    QVERIFY(!Doc().EnableTextShadow);
    const QList<int> shadowIds{IDC_SHADOW_POS_LABEL, IDC_SHADOW_X, IDC_SHADOW_X_SPIN, IDC_SHADOW_SEPARATOR,
                               IDC_SHADOW_Y, IDC_SHADOW_Y_SPIN, IDC_SHADOW_UNIT, IDC_SHADOW_COLOR_LABEL,
                               IDC_SHADOW_PICK, IDC_SHADOW_SAME_AS_TEXT, IDC_SHADOW_ALPHA_LABEL,
                               IDC_SHADOW_ALPHA, IDC_SHADOW_ALPHA_SPIN};
    for (QWidget* control : Page().findChildren<QWidget*>()) {
        const int id = GetDlgCtrlId(control);
        if (id > 0 && control->isVisibleTo(&Page()))
            QVERIFY2(control->isEnabled() != shadowIds.contains(id), qPrintable(QString::number(id)));
    }
    QVERIFY(!SwatchAt(Page(), IDC_SHADOW_SWATCH)->isEnabled());
    QVERIFY(SwatchAt(Page(), IDC_TEXT_SWATCH)->isEnabled());
    QCOMPARE(Doc().TextShadowAlpha, 60);
}

void TextPageTest::emptiedFontSizeCommitsMinimum()
{
    auto* size = Item<CEditDouble>(Page(), IDC_FONT_SIZE);
    size->setFocus();
    size->selectAll();
    QTest::keyClick(size, Qt::Key_Backspace);
    QCOMPARE(size->text(), QStringLiteral("1.00"));
    QCOMPARE(size->selectedText(), QStringLiteral("1.00"));
    QCOMPARE(Doc().FontSize, 1.0f);
}

NACREFORM_QTEST(TextPageTest)
#include "TextPageTest.moc"

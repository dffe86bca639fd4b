#include "QtTestRegistry.h"
#include "PanelHarness.h"

#include "shell/CommandIds.h"
#include "render/Render.h"
#include "res/layouts/ShapePageTemplate.h"
#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"
#include "widgets/SpinButtonCtrl.h"

#include <QAction>
#include <QElapsedTimer>
#include <QRadioButton>

using namespace ShapePageTemplate;
using namespace ShadowBlock;

// The shape tab in the real main window: what each control writes, when it
// renders and which controls apply.
class ShapePageTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_harness = std::make_unique<SPanelHarness>(); }
    void cleanup() { m_harness.reset(); }

    void typedWidthOfSquareShapeSetsBothAndRendersOnceLater();
    void widthIsClamped_data();
    void widthIsClamped();
    void freeShapeWidthLeavesHeight();
    void backgroundChoiceEnablesSwatchAndRendersAtOnce();
    void rendererDecidesHeightAndSecondColour_data();
    void rendererDecidesHeightAndSecondColour();
    void shadowCheckBoxDisablesExactlyItsControls();
    void colourPickWritesOnlyAChangedColour();
    void rightDoubleClickOnMarginCommitsResetValue();
    void negativeShadowOffsetIsCommitted();
    void spinArrowsStepTheirFieldsAndCommit();

private:
    CControlShapeDlg& Page() { return m_harness->ShapePage(); }
    CNacreformDoc& Doc() { return m_harness->Doc(); }
    void SelectShape(unsigned id) { m_harness->Frame().GetCommand(id)->trigger(); }

    std::unique_ptr<SPanelHarness> m_harness;
};

void ShapePageTest::typedWidthOfSquareShapeSetsBothAndRendersOnceLater()
{
    QVERIFY(Doc().Renderer->IsSquareShape());
    auto* width = Item<CEditInt>(Page(), IDC_WIDTH);
    auto* height = Item<CEditInt>(Page(), IDC_HEIGHT);
    QElapsedTimer sinceLastDigit;
    TypeInto(width, QStringLiteral("200"));
    sinceLastDigit.start();
    QCOMPARE(Doc().ShapeSize, (DesignSize{200, 200}));
    QCOMPARE(height->text(), QStringLiteral("200"));
    QVERIFY(!height->isEnabled());
    QCOMPARE(m_harness->RenderCount(), 0);
    QVERIFY(m_harness->renders->wait(2000));
    QVERIFY(sinceLastDigit.elapsed() >= 250);
    QCOMPARE(m_harness->RenderCount(), 1);
    QVERIFY(!m_harness->View().IsRenderPending());
    // The canvas holds the shape, its shadow and the margin on both sides.
    QVERIFY(m_harness->View().GetRenderedImage().width() > 200 + 2 * Doc().Margin);
}

void ShapePageTest::widthIsClamped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("committed");
    QTest::newRow("zero") << "0" << 1;
    QTest::newRow("too large") << "2000" << 1000;
}

void ShapePageTest::widthIsClamped()
{
    QFETCH(QString, typed);
    QFETCH(int, committed);
    auto* width = Item<CEditInt>(Page(), IDC_WIDTH);
    TypeInto(width, typed);
    QCOMPARE(width->text(), QString::number(committed));
    QCOMPARE(Doc().ShapeSize.cx, committed);
}

void ShapePageTest::freeShapeWidthLeavesHeight()
{
    SelectShape(kRenderRectangle);
    TypeInto(Item<CEditInt>(Page(), IDC_WIDTH), QStringLiteral("300"));
    QCOMPARE(Doc().ShapeSize, (DesignSize{300, 128}));
    TypeInto(Item<CEditInt>(Page(), IDC_HEIGHT), QStringLiteral("40"));
    QCOMPARE(Doc().ShapeSize, (DesignSize{300, 40}));
}

void ShapePageTest::backgroundChoiceEnablesSwatchAndRendersAtOnce()
{
    auto* transparent = Item<QRadioButton>(Page(), IDC_BG_TRANSPARENT);
    auto* useColor = Item<QRadioButton>(Page(), IDC_BG_USE_COLOR);
    CColorWnd* swatch = SwatchAt(Page(), IDC_BG_SWATCH);
    QWidget* pick = GetDlgItem(&Page(), IDC_BG_PICK);
    QVERIFY(transparent->isChecked());
    QVERIFY(!swatch->isEnabled());
    QVERIFY(!pick->isEnabled());

    ClickButton(useColor);
    QVERIFY(!Doc().BGTrans);
    QVERIFY(swatch->isEnabled());
    QVERIFY(pick->isEnabled());
    QCOMPARE(m_harness->RenderCount(), 1);
    // Over the white background colour the preview has no checkerboard.
    QCOMPARE(m_harness->View().GetDisplayImage().pixel(16, 0), qRgb(255, 255, 255));

    ClickButton(transparent);
    QVERIFY(Doc().BGTrans);
    QVERIFY(!swatch->isEnabled());
    QVERIFY(!pick->isEnabled());
    QCOMPARE(m_harness->RenderCount(), 2);
}

void ShapePageTest::rendererDecidesHeightAndSecondColour_data()
{
    QTest::addColumn<unsigned>("shape");
    QTest::newRow("circle 00") << unsigned(kRenderCircle00);
    QTest::newRow("circle 01") << unsigned(kRenderCircle01);
    QTest::newRow("rectangle") << unsigned(kRenderRectangle);
    QTest::newRow("capsule") << unsigned(kRenderCapsule);
}

void ShapePageTest::rendererDecidesHeightAndSecondColour()
{
    QFETCH(unsigned, shape);
    // Start from another shape so that every row switches.
    SelectShape(shape == kRenderCapsule ? kRenderCircle00 : kRenderCapsule);
    SelectShape(shape);
    const CRender& renderer = *Doc().Renderer;
    QCOMPARE(GetDlgItem(&Page(), IDC_HEIGHT)->isEnabled(), !renderer.IsSquareShape());
    QCOMPARE(GetDlgItem(&Page(), IDC_HEIGHT_SPIN)->isEnabled(), !renderer.IsSquareShape());
    QCOMPARE(GetDlgItem(&Page(), IDC_COLOR2_PICK)->isEnabled(), renderer.UsesSecondColor());
    QCOMPARE(SwatchAt(Page(), IDC_COLOR2_SWATCH)->isEnabled(), renderer.UsesSecondColor());
    QCOMPARE(renderer.IsSquareShape(), shape == kRenderCircle00 || shape == kRenderCircle01);
    QCOMPARE(renderer.UsesSecondColor(), shape != kRenderCircle00);
}

void ShapePageTest::shadowCheckBoxDisablesExactlyItsControls()
{
    SelectShape(kRenderRectangle);  // every other control enabled
    ClickButton(Item<QRadioButton>(Page(), IDC_BG_USE_COLOR));
    const QList<int> shadowIds{IDC_SHADOW_POS_LABEL, IDC_SHADOW_X, IDC_SHADOW_X_SPIN, IDC_SHADOW_SEPARATOR,
                               IDC_SHADOW_Y, IDC_SHADOW_Y_SPIN, IDC_SHADOW_UNIT, IDC_SHADOW_ALPHA_LABEL,
                               IDC_SHADOW_ALPHA, IDC_SHADOW_ALPHA_SPIN};
    const int rendersBefore = m_harness->RenderCount();
    ClickButton(Item<QAbstractButton>(Page(), IDC_SHADOW));
    QVERIFY(!Doc().EnableShapeShadow);
    QCOMPARE(m_harness->RenderCount(), rendersBefore + 1);
    for (QWidget* control : Page().findChildren<QWidget*>()) {
        const int id = GetDlgCtrlId(control);
        if (id > 0 && control->isVisibleTo(&Page()))
            QVERIFY2(control->isEnabled() != shadowIds.contains(id), qPrintable(QString::number(id)));
    }
    QCOMPARE(Doc().ShapeShadowAlpha, 200);
    ClickButton(Item<QAbstractButton>(Page(), IDC_SHADOW));
    QVERIFY(Doc().EnableShapeShadow);
    for (int id : shadowIds)
        QVERIFY(GetDlgItem(&Page(), id)->isEnabled());
}

void ShapePageTest::colourPickWritesOnlyAChangedColour()
{
    auto* pick = Item<QAbstractButton>(Page(), IDC_COLOR1_PICK);
    m_harness->colors.answers = {QColor(0x12, 0x34, 0x56), QColor(0x12, 0x34, 0x56)};
    QTest::mouseClick(pick, Qt::LeftButton);
    QCOMPARE(Doc().Color1, COLORREF(0x00563412));
    QCOMPARE(SwatchAt(Page(), IDC_COLOR1_SWATCH)->GetColor(), COLORREF(0x00563412));
    QCOMPARE(m_harness->RenderCount(), 1);
    // The same colour again, then a cancel: neither writes nor renders.
    QTest::mouseClick(pick, Qt::LeftButton);
    QTest::mouseClick(pick, Qt::LeftButton);
    QCOMPARE(m_harness->colors.asked, 3);
    QCOMPARE(m_harness->RenderCount(), 1);
}

void ShapePageTest::rightDoubleClickOnMarginCommitsResetValue()
{
    auto* margin = Item<CEditInt>(Page(), IDC_MARGIN);
    QCOMPARE(margin->text(), QStringLiteral("5"));
    const int widthBefore = m_harness->View().GetRenderedImage().width();
    QTest::mouseDClick(margin, Qt::RightButton);
    QCOMPARE(margin->text(), QStringLiteral("2"));
    QCOMPARE(Doc().Margin, 2);
    QVERIFY(m_harness->renders->wait(2000));
    QCOMPARE(m_harness->View().GetRenderedImage().width(), widthBefore - 2 * (5 - 2));
}

void ShapePageTest::negativeShadowOffsetIsCommitted()
{
    TypeInto(Item<CEditDouble>(Page(), IDC_SHADOW_X), QStringLiteral("-5"));
    QCOMPARE(Doc().ShapeShadowPos.x, -5.0f);
    TypeInto(Item<CEditInt>(Page(), IDC_SHADOW_ALPHA), QStringLiteral("90"));
    QCOMPARE(Doc().ShapeShadowAlpha, 90);
}

void ShapePageTest::spinArrowsStepTheirFieldsAndCommit()
{
    const auto clickUp = [this](int spinId) {
        auto* spin = Item<CSpinButtonCtrl>(Page(), spinId);
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() / 2, spin->height() / 4));
    };
    clickUp(IDC_MARGIN_SPIN);
    QCOMPARE(Item<CEditInt>(Page(), IDC_MARGIN)->text(), QStringLiteral("6"));
    QCOMPARE(Doc().Margin, 6);
    TypeInto(Item<CEditDouble>(Page(), IDC_SHADOW_Y), QStringLiteral("5.25"));
    clickUp(IDC_SHADOW_Y_SPIN);
    QCOMPARE(Item<CEditDouble>(Page(), IDC_SHADOW_Y)->text(), QStringLiteral("6.25"));
    QCOMPARE(Doc().ShapeShadowPos.y, 6.25f);
    QVERIFY(m_harness->renders->wait(2000));
    QCOMPARE(m_harness->RenderCount(), 1);
}

NACREFORM_QTEST(ShapePageTest)
#include "ShapePageTest.moc"

#include "QtTestRegistry.h"
#include "PagePlacement.h"
#include "PanelHarness.h"

#include "render/RendererTable.h"
#include "res/layouts/ImagePageTemplate.h"
#include "res/layouts/ShapePageTemplate.h"
#include "res/layouts/TextPageTemplate.h"
#include "widgets/FlatButton.h"

#include <QCheckBox>
#include <QDockWidget>
#include <QTabBar>
#include <QToolBar>
#include "shell/CommandIds.h"
#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionButton>

// The panel in the main window: docked at the left with the shape tab up;
// opening a design brings all three pages in line with it, before the
// preview renders, and writes nothing back.
class PanelInMainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_harness.reset(); }

    void startUpShowsShapeTabAndSwitchesPages();
    void openedDesignReachesEveryPageBeforeTheRender();
    void loadingWritesNothingBack();
    void shapeSwitchRefreshesStatesOnAllPages();
    void everyPageFitsTheDefaultWindowUnclipped();
    void everyFieldAndToolbarButtonHasAName();
    void inALowWindowThePanelScrollsUnderItsTabs();

private:
    // What the pages show, one text per control of interest.
    QStringList PageTexts();

    std::unique_ptr<SPanelHarness> m_harness;
    QString m_designPath;
};

void PanelInMainWindowTest::init()
{
    m_harness = std::make_unique<SPanelHarness>();
    // A design unlike the defaults, with values outside the fields' ranges,
    // which the fields show as they are.
    CNacreformDoc design;
    design.BGTrans = false;
    design.Margin = 7;
    design.ShapeSize = {300, 77};
    design.ShapeShadowAlpha = 300;
    design.EnableShapeShadow = false;
    design.String = QStringLiteral("버튼");
    design.Bold = true;
    design.FontSize = 250.0f;
    design.TextShadowColorSameAsText = false;
    design.ImagePath = QStringLiteral("/nowhere/logo.png");
    design.ImageShadowPos = {-3.5f, 7.25f};
    design.EnableImageShadow = false;
    design.RenderID = kRenderCapsule;
    m_designPath = m_harness->FilePath(QStringLiteral("design.nfd"));
    QVERIFY(design.OnSaveDocument(m_designPath));
}

QStringList PanelInMainWindowTest::PageTexts()
{
    using namespace ShadowBlock;
    CControlShapeDlg& shape = m_harness->ShapePage();
    CControlTextDlg& text = m_harness->TextPage();
    CControlImageDlg& image = m_harness->ImagePage();
    const auto flag = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    return {
        flag(Item<QRadioButton>(shape, ShapePageTemplate::IDC_BG_USE_COLOR)->isChecked()),
        Item<QLineEdit>(shape, ShapePageTemplate::IDC_MARGIN)->text(),
        Item<QLineEdit>(shape, ShapePageTemplate::IDC_WIDTH)->text(),
        Item<QLineEdit>(shape, ShapePageTemplate::IDC_HEIGHT)->text(),
        Item<QLineEdit>(shape, ShapePageTemplate::IDC_SHADOW_ALPHA)->text(),
        flag(Item<QCheckBox>(shape, IDC_SHADOW)->isChecked()),
        Item<QLineEdit>(text, TextPageTemplate::IDC_STRING)->text(),
        flag(Item<CFlatButton>(text, TextPageTemplate::IDC_BOLD)->IsChecked()),
        Item<QLineEdit>(text, TextPageTemplate::IDC_FONT_SIZE)->text(),
        flag(Item<QCheckBox>(text, TextPageTemplate::IDC_SHADOW_SAME_AS_TEXT)->isChecked()),
        Item<QLineEdit>(image, ImagePageTemplate::IDC_FILE_NAME)->text(),
        Item<QLineEdit>(image, IDC_SHADOW_X)->text(),
        Item<QLineEdit>(image, IDC_SHADOW_Y)->text(),
        flag(Item<QCheckBox>(image, IDC_SHADOW)->isChecked()),
        flag(GetDlgItem(&image, ImagePageTemplate::IDC_DELETE)->isEnabled()),
    };
}

void PanelInMainWindowTest::startUpShowsShapeTabAndSwitchesPages()
{
    CControlDlg& bar = m_harness->Bar();
    QVERIFY(QTest::qWaitForWindowExposed(&m_harness->Frame()));
    QWidget* dockOrInner = bar.parentWidget();
    while (dockOrInner && !qobject_cast<QDockWidget*>(dockOrInner))
        dockOrInner = dockOrInner->parentWidget();
    auto* dock = qobject_cast<QDockWidget*>(dockOrInner);
    QVERIFY(dock);
    QCOMPARE(m_harness->Frame().dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    QCOMPARE(bar.GetTabCtrl()->GetCurSel(), int(CControlDlg::kShapeTab));
    QVERIFY(m_harness->ShapePage().isVisible());
    QVERIFY(!m_harness->TextPage().isVisible());
    QVERIFY(!m_harness->ImagePage().isVisible());
    VerifyPageInsideDisplayArea(bar, &m_harness->ShapePage());

    // A click on the tab, as the user does.
    QTabBar* tabs = bar.GetTabCtrl()->GetTabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(CControlDlg::kImageTab).center());
    QVERIFY(m_harness->ImagePage().isVisible());
    QVERIFY(!m_harness->ShapePage().isVisible());
    VerifyPageInsideDisplayArea(bar, &m_harness->ImagePage());
}

void PanelInMainWindowTest::openedDesignReachesEveryPageBeforeTheRender()
{
    QStringList shownAtRender;
    connect(&m_harness->View(), &CNacreformView::Rendered, this, [&] {
        if (shownAtRender.isEmpty())
            shownAtRender = PageTexts();
    });
    QVERIFY(m_harness->docManager.OpenDocumentFile(m_designPath));
    const QStringList expected{"on", "7", "300", "77", "300", "off", "버튼", "on", "250.00", "off",
                               "logo.png", "-3.50", "7.25", "off", "on"};
    QCOMPARE(shownAtRender, expected);
    QVERIFY(!m_harness->TextPage().isVisible());
    QVERIFY(!m_harness->ImagePage().isVisible());
}

void PanelInMainWindowTest::loadingWritesNothingBack()
{
    CNacreformDoc design;
    QVERIFY(design.OnOpenDocument(m_designPath));
    const auto expected = DesignOf(design, m_harness->FilePath(QStringLiteral("expected.nfd")));
    QVERIFY(m_harness->docManager.OpenDocumentFile(m_designPath));
    QVERIFY(!m_harness->View().IsRenderPending());
    QCOMPARE(DesignOf(m_harness->Doc(), m_harness->FilePath(QStringLiteral("after.nfd"))), expected);
    QCOMPARE(m_harness->RenderCount(), 1);
}

void PanelInMainWindowTest::shapeSwitchRefreshesStatesOnAllPages()
{
    CControlShapeDlg& shape = m_harness->ShapePage();
    QWidget* height = GetDlgItem(&shape, ShapePageTemplate::IDC_HEIGHT);
    QVERIFY(!height->isEnabled());
    m_harness->SelectTab(CControlDlg::kImageTab);
    m_harness->Frame().GetCommand(kRenderCapsule)->trigger();
    QVERIFY(height->isEnabled());
    QVERIFY(GetDlgItem(&shape, ShapePageTemplate::IDC_COLOR2_PICK)->isEnabled());
    QCOMPARE(m_harness->RenderCount(), 1);
}

void PanelInMainWindowTest::everyPageFitsTheDefaultWindowUnclipped()
{
    CMainFrame& frame = m_harness->Frame();
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    QCOMPARE(frame.size(), QSize(800, 600));
    QScrollArea* scroller = nullptr;
    for (QWidget* w = &m_harness->Bar(); w && !scroller; w = w->parentWidget())
        scroller = qobject_cast<QScrollArea*>(w);
    QVERIFY(scroller);
    for (CControlDlg::Tab tab : {CControlDlg::kShapeTab, CControlDlg::kTextTab, CControlDlg::kImageTab}) {
        m_harness->SelectTab(tab);
        QApplication::processEvents();
        CControlPage* page = m_harness->Bar().GetCurrentPage();
        QVERIFY2(!scroller->verticalScrollBar()->isVisible(), qPrintable(QString::number(tab)));
        const QRect visible(page->mapFrom(scroller->viewport(), QPoint()), scroller->viewport()->size());
        QVERIFY(visible.contains(page->rect()));

        QList<QWidget*> controls;
        for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isVisibleTo(page))
                controls.append(control);
        }
        for (QWidget* control : std::as_const(controls)) {
            const QByteArray name = QByteArray::number(tab) + ' ' + control->metaObject()->className() + ' '
                                    + QByteArray::number(GetDlgCtrlId(control)) + ' '
                                    + QDebug::toString(control->geometry()).toUtf8() + ' '
                                    + QDebug::toString(control->sizeHint()).toUtf8();
            QVERIFY2(page->rect().contains(control->geometry()), name);
            if (auto* label = qobject_cast<QLabel*>(control)) {
                const QFontMetrics metrics = label->fontMetrics();
                QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->contentsRect().width(), name);
                QVERIFY2(metrics.height() <= label->contentsRect().height(), name);
            } else if (auto* box = qobject_cast<QAbstractButton*>(control);
                       qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control)) {
                // The caption's room: what the style leaves beside the indicator.
                QStyleOptionButton option;
                option.initFrom(box);
                option.text = box->text();
                const bool radio = qobject_cast<QRadioButton*>(box);
                const QRect room = box->style()->subElementRect(
                    radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, box);
                const QFontMetrics metrics = box->fontMetrics();
                QVERIFY2(room.left() + metrics.horizontalAdvance(box->text()) <= box->width(), name);
                QVERIFY2(metrics.height() <= box->height(), name);
            } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                // A line of text, the frame and the field's one-pixel margins.
                const int frameWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit);
                QVERIFY2(edit->fontMetrics().height() + 2 * frameWidth + 2 <= edit->height(), name);
            }
            for (QWidget* other : std::as_const(controls)) {
                if (other != control)
                    QVERIFY2(!control->geometry().intersects(other->geometry()),
                             name + " overlaps " + other->metaObject()->className() + ' '
                                 + QByteArray::number(GetDlgCtrlId(other)));
            }
        }
    }
}

void PanelInMainWindowTest::everyFieldAndToolbarButtonHasAName()
{
    for (CControlPage* page : std::initializer_list<CControlPage*>{&m_harness->ShapePage(), &m_harness->TextPage(),
                                                                    &m_harness->ImagePage()}) {
        for (QWidget* control : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->isVisibleTo(page) || qobject_cast<QLabel*>(control) || qobject_cast<QFrame*>(control))
                continue;
            const auto* button = qobject_cast<QAbstractButton*>(control);
            const bool spoken = !control->accessibleName().isEmpty()
                                || (button && !button->text().isEmpty() && button->text().front().isLetter());
            QVERIFY2(spoken, qPrintable(QStringLiteral("%1 %2").arg(control->metaObject()->className())
                                            .arg(GetDlgCtrlId(control))));
        }
    }
    QCOMPARE(GetDlgItem(&m_harness->ShapePage(), ShapePageTemplate::IDC_MARGIN)->accessibleName(), QStringLiteral("여백"));
    QCOMPARE(GetDlgItem(&m_harness->ShapePage(), ShapePageTemplate::IDC_HEIGHT)->accessibleName(),
             QStringLiteral("도형 사이즈 2"));
    QCOMPARE(GetDlgItem(&m_harness->ShapePage(), ShapePageTemplate::IDC_BG_PICK)->accessibleName(),
             QStringLiteral("배경색 선택"));

    QToolBar* toolBar = m_harness->Frame().GetToolBar();
    for (QAction* action : toolBar->actions()) {
        if (!action->isSeparator())
            QVERIFY2(!toolBar->widgetForAction(action)->accessibleName().isEmpty(),
                     qPrintable(QString::number(action->data().toUInt())));
    }
    QCOMPARE(toolBar->widgetForAction(m_harness->Frame().GetCommand(kIdFileOpen))->accessibleName(), QStringLiteral("열기"));
}

void PanelInMainWindowTest::inALowWindowThePanelScrollsUnderItsTabs()
{
    CMainFrame& frame = m_harness->Frame();
    frame.resize(800, 380);
    QVERIFY(QTest::qWaitForWindowExposed(&frame));
    m_harness->SelectTab(CControlDlg::kTextTab);
    QScrollArea* scroller = nullptr;
    for (QWidget* w = &m_harness->Bar(); w && !scroller; w = w->parentWidget())
        scroller = qobject_cast<QScrollArea*>(w);
    QVERIFY(scroller);
    QScrollBar* bar = scroller->verticalScrollBar();
    QTRY_VERIFY(bar->isVisible());
    bar->setValue(bar->maximum());
    QVERIFY(bar->value() > 0);

    QTabBar* tabs = m_harness->Bar().GetTabCtrl()->GetTabBar();
    const QPoint inViewport = tabs->mapTo(scroller->viewport(), QPoint());
    QVERIFY(inViewport.y() >= 0 && inViewport.y() < 10);
    // The tab is reached there, above the page that scrolled under it.
    const QPoint imageTab = tabs->tabRect(CControlDlg::kImageTab).center();
    QCOMPARE(QApplication::widgetAt(tabs->mapToGlobal(imageTab)), tabs);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, imageTab);
    QVERIFY(m_harness->ImagePage().isVisible());
    VerifyPageInsideDisplayArea(m_harness->Bar(), &m_harness->ImagePage());

    bar->setValue(0);
    QCOMPARE(tabs->mapTo(&m_harness->Bar(), QPoint()).y(), CControlDlg::kTabMargin);
    QVERIFY(m_harness->ImagePage().mask().isEmpty());
}

NACREFORM_QTEST(PanelInMainWindowTest)
#include "PanelInMainWindowTest.moc"

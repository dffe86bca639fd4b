#include "QtTestRegistry.h"
#include "panel/ControlDlg.h"
#include "panel/ControlImageDlg.h"
#include "panel/ControlShapeDlg.h"
#include "panel/ControlTextDlg.h"
#include "panel/DialogUnits.h"
#include "res/layouts/ImagePageTemplate.h"
#include "res/layouts/ShapePageTemplate.h"
#include "res/layouts/TextPageTemplate.h"
#include "util/DlgItems.h"
#include "widgets/ColorWnd.h"
#include "widgets/SpinButtonCtrl.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

// Every control of every page template is on its page, with its id, its
// caption and its place converted from dialog units.
class PageLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTemplateControlIsPlaced_data();
    void everyTemplateControlIsPlaced();
    void spinsSitAtTheRightEdgeOfTheirFields();
    void swatchesReplaceTheirPlaceholders();
    void dialogUnitsFollowTheFont_data();
    void dialogUnitsFollowTheFont();

private:
    std::unique_ptr<CControlDlg> m_bar;
};

void PageLayoutTest::initTestCase()
{
    m_bar = std::make_unique<CControlDlg>();
    m_bar->InitPages();
}

namespace {

const DlgTemplate& TemplateOf(int templateId)
{
    switch (templateId) {
    case 132:
        return ShapePageTemplate::kTemplate;
    case 134:
        return TextPageTemplate::kTemplate;
    default:
        return ImagePageTemplate::kTemplate;
    }
}

CControlPage* PageOf(const CControlDlg& bar, int templateId)
{
    switch (templateId) {
    case 132:
        return bar.GetShapePage();
    case 134:
        return bar.GetTextPage();
    default:
        return bar.GetImagePage();
    }
}

}

void PageLayoutTest::everyTemplateControlIsPlaced_data()
{
    QTest::addColumn<int>("templateId");
    QTest::addColumn<int>("index");
    for (const DlgTemplate* page : {&ShapePageTemplate::kTemplate, &TextPageTemplate::kTemplate, &ImagePageTemplate::kTemplate}) {
        for (int i = 0; i < int(page->items.size()); ++i) {
            const DlgItemTemplate& item = page->items[i];
            QTest::addRow("%d/%d %s", page->id, item.id, item.caption) << page->id << i;
        }
    }
}

void PageLayoutTest::everyTemplateControlIsPlaced()
{
    QFETCH(int, templateId);
    QFETCH(int, index);
    const DlgItemTemplate& item = TemplateOf(templateId).items[index];
    CControlPage* page = PageOf(*m_bar, templateId);
    const CDialogUnits units(page->font());
    const QRect expected = units.MapDialogRect(item.x, item.y, item.cx, item.cy);
    const QString caption = QString::fromUtf8(item.caption);

    QWidget* control = nullptr;
    if (item.id == kStaticId) {
        // Unnumbered controls are found by their place.
        for (QWidget* child : page->findChildren<QWidget*>()) {
            if (GetDlgCtrlId(child) == 0 && child->geometry() == expected && !qobject_cast<CColorWnd*>(child))
                control = child;
        }
    } else {
        control = GetDlgItem(page, item.id);
    }
    QVERIFY(control);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), caption);
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && !caption.isEmpty() && caption != "B")
        QCOMPARE(button->text(), caption);
    switch (item.kind) {
    case DlgItemKind::ComboBox:
        QCOMPARE(control->geometry().topLeft(), expected.topLeft());
        QCOMPARE(control->width(), expected.width());
        break;
    case DlgItemKind::Edit:
        // A field with a spin gives up the spin's width.
        QCOMPARE(control->geometry().topLeft(), expected.topLeft());
        QVERIFY(control->width() <= expected.width());
        QCOMPARE(control->height(), expected.height());
        break;
    case DlgItemKind::UpDown:
        break;  // placed by its buddy
    case DlgItemKind::Label:
    case DlgItemKind::CheckBox:
    case DlgItemKind::RadioButton:
        // A caption wider than the template widens its control.
        QCOMPARE(control->geometry().topLeft(), expected.topLeft());
        QCOMPARE(control->height(), expected.height());
        QVERIFY(control->width() >= expected.width());
        break;
    default:
        QCOMPARE(control->geometry(), expected);
        break;
    }
}

void PageLayoutTest::spinsSitAtTheRightEdgeOfTheirFields()
{
    for (CControlPage* page : {PageOf(*m_bar, 132), PageOf(*m_bar, 134), PageOf(*m_bar, 135)}) {
        const QList<CSpinButtonCtrl*> spins = page->findChildren<CSpinButtonCtrl*>();
        QVERIFY(!spins.isEmpty());
        for (const CSpinButtonCtrl* spin : spins) {
            const QLineEdit* buddy = spin->GetBuddy();
            QVERIFY2(buddy, qPrintable(QString::number(GetDlgCtrlId(spin))));
            QCOMPARE(spin->geometry().top(), buddy->geometry().top());
            QCOMPARE(spin->geometry().left(), buddy->geometry().right() + 1);
        }
    }
}

void PageLayoutTest::swatchesReplaceTheirPlaceholders()
{
    const QList<std::pair<int, int>> placeholders{{132, ShapePageTemplate::IDC_BG_SWATCH},
                                                  {132, ShapePageTemplate::IDC_COLOR1_SWATCH},
                                                  {132, ShapePageTemplate::IDC_COLOR2_SWATCH},
                                                  {134, TextPageTemplate::IDC_TEXT_SWATCH},
                                                  {134, TextPageTemplate::IDC_SHADOW_SWATCH}};
    for (const auto& [templateId, id] : placeholders) {
        CControlPage* page = PageOf(*m_bar, templateId);
        QWidget* placeholder = GetDlgItem(page, id);
        QVERIFY(placeholder->isHidden());
        int swatches = 0;
        for (const CColorWnd* swatch : page->findChildren<CColorWnd*>())
            swatches += swatch->geometry() == placeholder->geometry();
        QCOMPARE(swatches, 1);
    }
}

void PageLayoutTest::dialogUnitsFollowTheFont_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<QSize>("baseUnits");
    // The 8-point font at 96 dpi (11 pixels), then at 144 dpi: the units keep
    // the 6 x 13 proportions whatever the face's line metrics.
    QTest::newRow("8 pt at 96 dpi") << 11 << QSize(6, 13);
    QTest::newRow("8 pt at 144 dpi") << 16 << QSize(9, 20);
}

void PageLayoutTest::dialogUnitsFollowTheFont()
{
    QFETCH(int, pixelSize);
    QFETCH(QSize, baseUnits);
    QFont font = CDialogUnits::DialogFont();
    font.setPixelSize(pixelSize);
    const CDialogUnits units(font);
    QCOMPARE(QSize(units.GetBaseX(), units.GetBaseY()), baseUnits);
    QCOMPARE(units.MapDialogRect(4, 8, 4, 8), QRect(units.GetBaseX(), units.GetBaseY(), units.GetBaseX(), units.GetBaseY()));
    QCOMPARE(CDialogUnits(CDialogUnits::DialogFont()).GetBaseY(), 13);
}

NACREFORM_QTEST(PageLayoutTest)
#include "PageLayoutTest.moc"

#include "QtTestRegistry.h"
#include "util/DlgItems.h"
#include "widgets/ColorChooser.h"
#include "widgets/ColorWnd.h"

#include <QColor>
#include <QColorDialog>
#include <QLineEdit>
#include <QLabel>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

// Answers the chooser as a user would, remembering what it was shown.
class CScriptedChooser : public IColorChooser
{
public:
    bool confirm = true;
    QColor answer;
    QColor shown;
    QWidget* owner = nullptr;
    int runs = 0;

    bool ChooseColor(QWidget* ownerWindow, QColor& color) override
    {
        ++runs;
        owner = ownerWindow;
        shown = color;
        if (confirm)
            color = answer;
        return confirm;
    }
};

// Counts the paint events a widget receives.
class CPaintCounter : public QObject
{
public:
    int paints = 0;

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QRgb CentrePixel(QWidget& widget)
{
    return widget.grab().toImage().pixel(widget.width() / 2, widget.height() / 2);
}

} // namespace

class ColorWndTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void takesThePlaceOfItsPlaceholder();
    void missingPlaceholderCreatesNothing();
    void pickingReportsOnlyAChangedColour();
    void enablingWithTheCurrentStateDoesNotRepaint();
    void disabledSwatchKeepsItsColour();
    void standardChooserTakesTheColourAsTypedForTheWeb();
};

void ColorWndTest::initTestCase()
{
    // The colour dialog reads and writes Qt's own settings.
    QStandardPaths::setTestModeEnabled(true);
}

void ColorWndTest::takesThePlaceOfItsPlaceholder()
{
    QWidget page;
    auto* group = new QWidget(&page);
    group->setGeometry(10, 20, 150, 100);
    auto* placeholder = new QLabel(group);
    placeholder->setGeometry(5, 6, 40, 14);
    SetDlgCtrlId(placeholder, 1028);
    page.show();

    CColorWnd swatch;
    QVERIFY(swatch.CreateAtItem(1028, &page));
    QCOMPARE(swatch.parentWidget(), &page);
    QCOMPARE(swatch.geometry(), QRect(15, 26, 40, 14));
    QVERIFY(swatch.isVisible());
    QVERIFY(placeholder->isHidden());
}

void ColorWndTest::missingPlaceholderCreatesNothing()
{
    QWidget page;
    CColorWnd swatch;
    QVERIFY(!swatch.CreateAtItem(1013, &page));
    QVERIFY(!swatch.CreateAtItem(0, &page));
    QCOMPARE(swatch.parentWidget(), nullptr);
}

void ColorWndTest::pickingReportsOnlyAChangedColour()
{
    QWidget window;
    auto* swatch = new CColorWnd(&window);
    CScriptedChooser chooser;
    swatch->SetColorChooser(&chooser);
    swatch->SetColor(0x00BF6900); // blue 0xBF, green 0x69, red 0

    chooser.answer = QColor(0, 0x69, 0xBF);
    QVERIFY(!swatch->PickColor());
    QCOMPARE(chooser.shown, QColor(0, 0x69, 0xBF));
    QCOMPARE(chooser.owner, &window);

    chooser.answer = QColor(0x12, 0x34, 0x56);
    QVERIFY(swatch->PickColor());
    QCOMPARE(swatch->GetColor(), COLORREF(0x00563412));

    chooser.confirm = false;
    chooser.answer = Qt::red;
    QVERIFY(!swatch->PickColor());
    QCOMPARE(swatch->GetColor(), COLORREF(0x00563412));
    QCOMPARE(chooser.runs, 3);
}

void ColorWndTest::enablingWithTheCurrentStateDoesNotRepaint()
{
    CColorWnd swatch;
    swatch.resize(40, 14);
    swatch.show();
    QVERIFY(QTest::qWaitForWindowExposed(&swatch));
    CPaintCounter counter;
    swatch.installEventFilter(&counter);

    swatch.EnableSwatch(true);
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);

    swatch.EnableSwatch(false);
    QTRY_COMPARE(counter.paints, 1);
    swatch.EnableSwatch(false);
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 1);
}

void ColorWndTest::disabledSwatchKeepsItsColour()
{
    CColorWnd swatch;
    swatch.resize(40, 14);
    swatch.SetColor(0x000000FF); // red
    QCOMPARE(CentrePixel(swatch), qRgb(255, 0, 0));

    swatch.EnableSwatch(false);
    QCOMPARE(CentrePixel(swatch), swatch.palette().color(QPalette::Disabled, QPalette::Button).rgb());
    QCOMPARE(swatch.GetColor(), COLORREF(0x000000FF));

    swatch.EnableSwatch(true);
    QCOMPARE(CentrePixel(swatch), qRgb(255, 0, 0));
}

void ColorWndTest::standardChooserTakesTheColourAsTypedForTheWeb()
{
    CColorWnd swatch;
    swatch.SetColor(0x00FFFFFF);
    QColor offered;
    QTimer::singleShot(0, [&offered] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        offered = dialog->currentColor();
        // The colour as a web page writes it, typed into the dialog's field.
        QLineEdit* html = nullptr;
        for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
            if (field->text() == QLatin1String("#ffffff"))
                html = field;
        }
        QVERIFY(html && html->isVisible());
        html->selectAll();
        QTest::keyClicks(html, QStringLiteral("#C0392B"));
        dialog->accept();
    });
    QVERIFY(swatch.PickColor());
    QCOMPARE(offered, QColor(Qt::white));
    QCOMPARE(swatch.GetColor(), COLORREF(0x002B39C0));
}

NACREFORM_QTEST(ColorWndTest)
#include "ColorWndTest.moc"

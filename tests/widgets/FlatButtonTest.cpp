#include "QtTestRegistry.h"
#include "widgets/FlatButton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kFace(200, 200, 200);
const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);
const QColor kCheckedFace(227, 227, 227); // (200 + 255) / 2
const QColor kInk(0, 0, 0);
constexpr int kSize = 24;
// The image's dark block spans x 4..11, y 3..12 of the 16 x 16 image, which
// sits at (24 / 2 - 8, 24 / 2 - 7) = (4, 5) at rest.
const QPoint kBlockCorner(4 + 4, 5 + 3);

// One 16 x 16 image on the mask colour, with a dark block.
QImage BoldImage()
{
    QImage strip(32, 16, QImage::Format_RGB32);
    strip.fill(QColor(192, 192, 192));
    QPainter painter(&strip);
    painter.fillRect(4, 3, 8, 10, kInk);
    painter.fillRect(16 + 2, 2, 4, 4, Qt::red); // a second image, not shown
    return strip;
}

struct Looks
{
    QColor topLeft, bottomRight, face, blockCorner, beforeBlock;
};

Looks LooksOf(CFlatButton& button)
{
    const QImage image = button.grab().toImage();
    return {image.pixelColor(0, 0), image.pixelColor(kSize - 1, kSize - 1), image.pixelColor(2, kSize / 2),
            image.pixelColor(kBlockCorner), image.pixelColor(kBlockCorner - QPoint(1, 1))};
}

// A free mouse move (no button held), as the pointer passing over it.
void Hover(QWidget& widget, QPoint pos, Qt::MouseButtons held = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, pos, widget.mapToGlobal(pos), Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &move);
}

} // namespace

class FlatButtonTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void looks_data();
    void looks();
    void checkedButtonShowsNoHoverBorder();
    void hoverEndsWhenThePointerLeaves();
    void holdingAndLeavingRemovesTheHoverBorder();
    void doubleClickGivesTwoClicks();
    void missingImageStillClicks();

private:
    CFlatButton* m_button = nullptr;
};

void FlatButtonTest::init()
{
    m_button = new CFlatButton;
    QPalette colors = m_button->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colors.setColor(group, QPalette::Button, kFace);
        colors.setColor(group, QPalette::Light, kHighlight);
        colors.setColor(group, QPalette::Dark, kShadow);
    }
    m_button->setPalette(colors);
    m_button->resize(kSize, kSize);
    QVERIFY(m_button->SetupImageButton(BoldImage(), 0));
    m_button->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_button));
}

void FlatButtonTest::cleanup()
{
    delete m_button;
}

void FlatButtonTest::looks_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QColor>("topLeft");
    QTest::addColumn<QColor>("bottomRight");
    QTest::addColumn<QColor>("face");
    QTest::addColumn<QColor>("blockCorner"); // image pixel at rest
    QTest::addColumn<QColor>("beforeBlock"); // one pixel up-left of it

    QTest::newRow("flat") << "rest" << kFace << kFace << kFace << kInk << kFace;
    QTest::newRow("raised") << "hover" << kHighlight << kShadow << kFace << kInk << kFace;
    QTest::newRow("sunken, image moved") << "pressed" << kShadow << kHighlight << kFace << kFace << kFace;
    QTest::newRow("sunken, lighter face, image moved")
        << "checked" << kShadow << kHighlight << kCheckedFace << kCheckedFace << kCheckedFace;
    QTest::newRow("disabled image embossed") << "disabled" << kFace << kFace << kFace << kShadow << kFace;
}

void FlatButtonTest::looks()
{
    QFETCH(QString, state);
    QFETCH(QColor, topLeft);
    QFETCH(QColor, bottomRight);
    QFETCH(QColor, face);
    QFETCH(QColor, blockCorner);
    QFETCH(QColor, beforeBlock);

    const QPoint centre(kSize / 2, kSize / 2);
    if (state == "hover")
        Hover(*m_button, centre);
    else if (state == "pressed")
        QTest::mousePress(m_button, Qt::LeftButton, Qt::NoModifier, centre);
    else if (state == "checked")
        m_button->SetChecked(true);
    else if (state == "disabled")
        m_button->setEnabled(false);

    const Looks looks = LooksOf(*m_button);
    QCOMPARE(looks.topLeft, topLeft);
    QCOMPARE(looks.bottomRight, bottomRight);
    QCOMPARE(looks.face, face);
    QCOMPARE(looks.blockCorner, blockCorner);
    QCOMPARE(looks.beforeBlock, beforeBlock);
    if (state == "pressed" || state == "checked") // the block now starts one pixel further
        QCOMPARE(m_button->grab().toImage().pixelColor(kBlockCorner + QPoint(1, 1)), kInk);
    if (state == "disabled") // embossed: the highlight copy shows below right
        QCOMPARE(m_button->grab().toImage().pixelColor(QPoint(4 + 12, 5 + 13)), kHighlight);
    if (state == "pressed")
        QTest::mouseRelease(m_button, Qt::LeftButton, Qt::NoModifier, centre);
}

void FlatButtonTest::checkedButtonShowsNoHoverBorder()
{
    m_button->SetChecked(true);
    Hover(*m_button, QPoint(5, 5));
    m_button->SetChecked(false);
    const Looks looks = LooksOf(*m_button);
    QCOMPARE(looks.topLeft, kFace);
    QCOMPARE(looks.bottomRight, kFace);
}

void FlatButtonTest::hoverEndsWhenThePointerLeaves()
{
    Hover(*m_button, QPoint(5, 5));
    QCOMPARE(LooksOf(*m_button).topLeft, kHighlight);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(m_button, &leave);
    QCOMPARE(LooksOf(*m_button).topLeft, kFace);

    Hover(*m_button, QPoint(5, 5));
    Hover(*m_button, QPoint(kSize + 5, 5)); // a move reported outside
    QCOMPARE(LooksOf(*m_button).topLeft, kFace);
}

void FlatButtonTest::holdingAndLeavingRemovesTheHoverBorder()
{
    const QPoint inside(5, 5);
    const QPoint outside(kSize + 10, 5);
    Hover(*m_button, inside);
    QTest::mousePress(m_button, Qt::LeftButton, Qt::NoModifier, inside);
    QTest::mouseEvent(QTest::MouseMove, m_button, Qt::NoButton, Qt::NoModifier, outside);
    QCOMPARE(LooksOf(*m_button).topLeft, kFace); // neither raised nor sunken
    QTest::mouseEvent(QTest::MouseMove, m_button, Qt::NoButton, Qt::NoModifier, inside);
    QCOMPARE(LooksOf(*m_button).topLeft, kShadow); // pressed again, no hover border
    QSignalSpy clicked(m_button, &QAbstractButton::clicked);
    QTest::mouseRelease(m_button, Qt::LeftButton, Qt::NoModifier, inside);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(LooksOf(*m_button).topLeft, kFace);
}

void FlatButtonTest::doubleClickGivesTwoClicks()
{
    QSignalSpy clicked(m_button, &QAbstractButton::clicked);
    // The button never toggles itself: the host flips its flag on each click.
    connect(m_button, &QAbstractButton::clicked, m_button, [this] { m_button->SetChecked(!m_button->IsChecked()); });
    const QPoint centre(kSize / 2, kSize / 2);
    QTest::mouseClick(m_button, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(m_button, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(m_button, Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(clicked.size(), 2);
    QVERIFY(!m_button->IsChecked());
    QVERIFY(!m_button->isChecked());
}

void FlatButtonTest::missingImageStillClicks()
{
    QVERIFY(!m_button->SetupImageButton(QImage(), 0));
    QVERIFY(!m_button->SetupImageButton(BoldImage(), 2));
    QCOMPARE(LooksOf(*m_button).blockCorner, kFace);
    QSignalSpy clicked(m_button, &QAbstractButton::clicked);
    QTest::mouseClick(m_button, Qt::LeftButton);
    QCOMPARE(clicked.size(), 1);
    QCOMPARE(m_button->focusPolicy(), Qt::NoFocus);
}

NACREFORM_QTEST(FlatButtonTest)
#include "FlatButtonTest.moc"

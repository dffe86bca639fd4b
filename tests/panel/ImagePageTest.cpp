#include "QtTestRegistry.h"
#include "PanelHarness.h"

#include "res/layouts/ImagePageTemplate.h"
#include "widgets/EditDouble.h"
#include "widgets/EditInt.h"

#include <QCheckBox>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>

using namespace ImagePageTemplate;
using namespace ShadowBlock;

// The picture tab in the real main window: choosing, reloading and removing
// the picture, and the shadow controls.
class ImagePageTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_harness.reset(); }

    void withoutPictureReloadAndDeleteAreDisabled();
    void choosingAPictureShowsItsNameAndDrawsIt();
    void cancelledChooserChangesNothing();
    void deleteRemovesThePicture();
    void reloadShowsTheFileChangedOnDisk();
    void shadowCheckBoxDisablesExactlyItsControls();
    void emptiedSizeCommitsMinimum();
    void fileNamePartTakesEitherSeparator_data();
    void fileNamePartTakesEitherSeparator();
    void filterOffersTheFormatsThisMachineReads();

private:
    CControlImageDlg& Page() { return m_harness->ImagePage(); }
    CNacreformDoc& Doc() { return m_harness->Doc(); }
    QString WritePicture(const QString& name, QColor color) const;
    // Colour in the middle of the last render, where the picture sits.
    QRgb CentreOfRender() const;

    std::unique_ptr<SPanelHarness> m_harness;
};

void ImagePageTest::init()
{
    m_harness = std::make_unique<SPanelHarness>();
    m_harness->SelectTab(CControlDlg::kImageTab);
    // No caption over the picture's middle.
    Doc().String.clear();
}

QString ImagePageTest::WritePicture(const QString& name, QColor color) const
{
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(color);
    const QString path = m_harness->FilePath(name);
    return picture.save(path) ? path : QString();
}

QRgb ImagePageTest::CentreOfRender() const
{
    const QImage& rendered = m_harness->View().GetRenderedImage();
    return rendered.pixel(rendered.width() / 2, rendered.height() / 2);
}

void ImagePageTest::withoutPictureReloadAndDeleteAreDisabled()
{
    QVERIFY(Doc().ImagePath.isEmpty());
    QVERIFY(!GetDlgItem(&Page(), IDC_RELOAD)->isEnabled());
    QVERIFY(!GetDlgItem(&Page(), IDC_DELETE)->isEnabled());
    QVERIFY(GetDlgItem(&Page(), IDC_CHOOSE)->isEnabled());
    QVERIFY(Item<QLineEdit>(Page(), IDC_FILE_NAME)->text().isEmpty());
}

void ImagePageTest::choosingAPictureShowsItsNameAndDrawsIt()
{
    const QString path = WritePicture(QStringLiteral("star.png"), Qt::green);
    m_harness->pictureAnswers = {path};
    QTest::mouseClick(Item<QPushButton>(Page(), IDC_CHOOSE), Qt::LeftButton);
    QCOMPARE(Doc().ImagePath, path);
    QCOMPARE(Item<QLineEdit>(Page(), IDC_FILE_NAME)->text(), QStringLiteral("star.png"));
    QVERIFY(GetDlgItem(&Page(), IDC_RELOAD)->isEnabled());
    QVERIFY(GetDlgItem(&Page(), IDC_DELETE)->isEnabled());
    QCOMPARE(m_harness->RenderCount(), 1);
    const QRgb centre = CentreOfRender();
    QVERIFY2(qGreen(centre) > 200 && qRed(centre) < 60 && qBlue(centre) < 60, qPrintable(QString::number(centre, 16)));
}

void ImagePageTest::cancelledChooserChangesNothing()
{
    QTest::mouseClick(Item<QPushButton>(Page(), IDC_CHOOSE), Qt::LeftButton);
    QVERIFY(Doc().ImagePath.isEmpty());
    QCOMPARE(m_harness->RenderCount(), 0);
}

void ImagePageTest::deleteRemovesThePicture()
{
    m_harness->pictureAnswers = {WritePicture(QStringLiteral("star.png"), Qt::green)};
    QTest::mouseClick(Item<QPushButton>(Page(), IDC_CHOOSE), Qt::LeftButton);
    QTest::mouseClick(Item<QPushButton>(Page(), IDC_DELETE), Qt::LeftButton);
    QVERIFY(Doc().ImagePath.isEmpty());
    QVERIFY(Item<QLineEdit>(Page(), IDC_FILE_NAME)->text().isEmpty());
    QVERIFY(!GetDlgItem(&Page(), IDC_RELOAD)->isEnabled());
    QVERIFY(!GetDlgItem(&Page(), IDC_DELETE)->isEnabled());
    QCOMPARE(m_harness->RenderCount(), 2);
    // The shape's own blue shows again.
    QVERIFY(qBlue(CentreOfRender()) > qGreen(CentreOfRender()));
}

void ImagePageTest::reloadShowsTheFileChangedOnDisk()
{
    const QString path = WritePicture(QStringLiteral("star.png"), Qt::green);
    m_harness->pictureAnswers = {path};
    QTest::mouseClick(Item<QPushButton>(Page(), IDC_CHOOSE), Qt::LeftButton);
    QCOMPARE(WritePicture(QStringLiteral("star.png"), Qt::red), path);
    // Another render under the same path keeps the decoded picture...
    m_harness->View().UpdatePreview(true);
    QVERIFY(qGreen(CentreOfRender()) > 200);
    // ...until Reload.
    QTest::mouseClick(Item<QPushButton>(Page(), IDC_RELOAD), Qt::LeftButton);
    QCOMPARE(Doc().ImagePath, path);
    QCOMPARE(m_harness->RenderCount(), 3);
    const QRgb centre = CentreOfRender();
    QVERIFY2(qRed(centre) > 200 && qGreen(centre) < 60, qPrintable(QString::number(centre, 16)));
}

void ImagePageTest::shadowCheckBoxDisablesExactlyItsControls()
{
    m_harness->pictureAnswers = {WritePicture(QStringLiteral("star.png"), Qt::green)};
    QTest::mouseClick(Item<QPushButton>(Page(), IDC_CHOOSE), Qt::LeftButton);
    ClickButton(Item<QCheckBox>(Page(), IDC_SHADOW));
    QVERIFY(!Doc().EnableImageShadow);
    const QList<int> shadowIds{IDC_SHADOW_POS_LABEL, IDC_SHADOW_X, IDC_SHADOW_X_SPIN, IDC_SHADOW_SEPARATOR,
                               IDC_SHADOW_Y, IDC_SHADOW_Y_SPIN, IDC_SHADOW_UNIT, IDC_SHADOW_ALPHA_LABEL,
                               IDC_SHADOW_ALPHA, IDC_SHADOW_ALPHA_SPIN};
    for (QWidget* control : Page().findChildren<QWidget*>()) {
        const int id = GetDlgCtrlId(control);
        if (id > 0)
            QVERIFY2(control->isEnabled() != shadowIds.contains(id), qPrintable(QString::number(id)));
    }
    QCOMPARE(m_harness->RenderCount(), 2);
}

void ImagePageTest::emptiedSizeCommitsMinimum()
{
    auto* size = Item<CEditDouble>(Page(), IDC_SIZE);
    size->setFocus();
    size->selectAll();
    QTest::keyClick(size, Qt::Key_Backspace);
    QCOMPARE(size->text(), QStringLiteral("1.00"));
    QCOMPARE(Doc().ImageSize, 1.0f);
}

void ImagePageTest::fileNamePartTakesEitherSeparator_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("unix") << "/home/pics/star.png" << "star.png";
    QTest::newRow("windows") << "C:\\pics\\star.png" << "star.png";
    QTest::newRow("bare") << "star.png" << "star.png";
    QTest::newRow("empty") << "" << "";
}

void ImagePageTest::fileNamePartTakesEitherSeparator()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(CControlImageDlg::FileNamePart(path), name);
}

void ImagePageTest::filterOffersTheFormatsThisMachineReads()
{
    const QString filter = CPictureFileDialog::Filter();
    QVERIFY(filter.startsWith(QStringLiteral("全ての画像形式 (")));
    for (const QString& extension : {"bmp", "gif", "jpeg", "jpg", "png", "ico", "svg", "wmf", "emf"}) {
        const bool readable = extension == QLatin1String("svg")
                              || QImageReader::supportedImageFormats().contains(extension.toLatin1());
        QCOMPARE(filter.contains(QStringLiteral("*.") + extension + QLatin1Char(' ')), readable);
        QCOMPARE(filter.contains(QStringLiteral("*.") + extension.toUpper()), readable);
    }
    QVERIFY(filter.contains(QStringLiteral("*.svg ")));
}

NACREFORM_QTEST(ImagePageTest)
#include "ImagePageTest.moc"

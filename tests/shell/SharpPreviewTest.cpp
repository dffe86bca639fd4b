#include "QtTestRegistry.h"
#include "ShellHarness.h"
#include "export/ButtonStates.h"
#include "render/DisplayBitmap.h"

#include <QtTest>

// The preview on a screen of twice the density (the test runs with
// QT_SCALE_FACTOR=2): every device pixel of the design is drawn, not each
// 1x pixel twice.
class SharpPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void previewShowsTheDesignAtTheScreensDensity();
};

void SharpPreviewTest::previewShowsTheDesignAtTheScreensDensity()
{
    SShellHarness shell;
    shell.Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell.Frame()));
    CNacreformView& view = shell.View();
    QCOMPARE(view.devicePixelRatioF(), 2.0);
    view.UpdatePreview(true);

    const QSize size = view.GetDisplayImage().size();
    QCOMPARE(size, QSize(145, 148)); // the export's bitmaps stay 1x
    QImage expected = RenderButtonState(shell.Doc(), EButtonState::Normal, 2);
    expected.setDevicePixelRatio(2);
    expected = ComposeDisplayImage(shell.Doc(), expected);
    // The canvas is centred on a device pixel; that is where its pixels are.
    const QPoint corner = (view.GetCanvasRect().topLeft() * 2).toPoint();
    const QImage shown = view.viewport()->grab().toImage().copy(QRect(corner, size * 2));
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));
}

NACREFORM_QTEST(SharpPreviewTest)
#include "SharpPreviewTest.moc"

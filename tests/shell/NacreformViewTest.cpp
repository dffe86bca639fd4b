#include "QtTestRegistry.h"
#include "ShellHarness.h"
#include "shell/CommandIds.h"
#include "export/SvgExport.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QMimeData>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest>

#include <cmath>

// The preview: when it renders, what it shows and where.
class NacreformViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void deferredBurstRendersOnceAfterTheLast();
    void immediateRequestAbsorbsPendingOne();
    void checkerboardBehindTransparentDesign();
    void backgroundColourBehindOpaqueDesign();
    void canvasCentredOnANeutralBackdrop();
    void zoomByKeysWheelAndFit();
    void largeCanvasScrollsOverItsSize();
    void failedRenderKeepsSizesAndShowsNothing();
    void failedRenderIsExplainedUntilARenderSucceeds();
    void initialUpdateKeepsTheDesignsFileAndRenders();
    void largeDesignRendersBehindTheLastPictureAndShowsOnlyTheNewest();
    void copyDuringABackgroundRenderKeepsTheShownBitmapsBackground();
    void brokenPictureMessageLeavesTheRenderShown();
};

namespace {

// Remembers whether the view's last paint had a picture to show.
class CPaintWatcher : public QObject
{
public:
    explicit CPaintWatcher(CNacreformView& view)
        : m_view(view)
    {
        view.viewport()->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            lastPaintShowedPicture = !m_view.GetDisplayImage().isNull();
        return false;
    }
    bool lastPaintShowedPicture = false;

private:
    CNacreformView& m_view;
};

} // namespace

namespace {

QRgb Opaque(int r, int g, int b)
{
    return qRgb(r, g, b);
}

} // namespace

void NacreformViewTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
}

void NacreformViewTest::deferredBurstRendersOnceAfterTheLast()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    QSignalSpy renders(&view, &CNacreformView::Rendered);
    // The third request comes well into the first one's delay and restarts
    // it. A machine that stalls past the delay before the third request has
    // rendered the first by right; the burst is then begun again.
    constexpr int kAttempts = 10;
    for (int attempt = 1;; ++attempt) {
        QElapsedTimer clock;
        clock.start();
        view.UpdatePreview(false);
        view.UpdatePreview(false);
        QVERIFY(QTest::qWaitFor([&] { return clock.elapsed() >= 200; }));
        if (renders.isEmpty())
            break;
        QVERIFY2(attempt < kAttempts, "every burst was overtaken by its own delay");
        QCOMPARE(renders.count(), 1);
        renders.clear();
    }
    QElapsedTimer sinceLast;
    sinceLast.start();
    view.UpdatePreview(false);
    QVERIFY(view.IsRenderPending());

    QVERIFY(renders.wait(5000));
    QCOMPARE(renders.count(), 1);
    QVERIFY(sinceLast.elapsed() >= CNacreformView::kRenderDelayMs);
    QVERIFY(!view.IsRenderPending());
    QVERIFY(!renders.wait(CNacreformView::kRenderDelayMs * 2));
    QCOMPARE(renders.count(), 1);
}

void NacreformViewTest::immediateRequestAbsorbsPendingOne()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    QSignalSpy renders(&view, &CNacreformView::Rendered);
    view.UpdatePreview(false);
    view.UpdatePreview(true);
    QCOMPARE(renders.count(), 1);
    QVERIFY(!view.IsRenderPending());
    QVERIFY(!renders.wait(CNacreformView::kRenderDelayMs * 2));
    QCOMPARE(renders.count(), 1);
}

void NacreformViewTest::checkerboardBehindTransparentDesign()
{
    SShellHarness shell;
    const QImage& display = shell.View().GetDisplayImage();
    const QImage& rendered = shell.View().GetRenderedImage();
    QCOMPARE(display.size(), rendered.size());
    QVERIFY(!display.hasAlphaChannel());
    // The corners of the default design are empty, so the board shows there.
    QCOMPARE(qAlpha(rendered.pixel(0, 0)), 0);
    QCOMPARE(display.pixel(0, 0), Opaque(255, 255, 255));
    QCOMPARE(display.pixel(16, 0), Opaque(240, 240, 240));
    QCOMPARE(display.pixel(0, 16), Opaque(240, 240, 240));
    QCOMPARE(display.pixel(16, 16), Opaque(255, 255, 255));
    QCOMPARE(display.pixel(15, 15), Opaque(255, 255, 255));
}

void NacreformViewTest::backgroundColourBehindOpaqueDesign()
{
    SShellHarness shell;
    shell.Doc().BGTrans = false;
    shell.Doc().BGColor = 0x00336699; // red 0x99, green 0x66, blue 0x33
    shell.View().UpdatePreview(true);
    const QImage& display = shell.View().GetDisplayImage();
    QCOMPARE(display.pixel(0, 0), Opaque(0x99, 0x66, 0x33));
    QCOMPARE(display.pixel(16, 0), Opaque(0x99, 0x66, 0x33));
    QCOMPARE(display.pixel(display.width() - 1, display.height() - 1), Opaque(0x99, 0x66, 0x33));
}

void NacreformViewTest::canvasCentredOnANeutralBackdrop()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    shell.Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell.Frame()));
    const QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage& display = view.GetDisplayImage();
    const QRectF canvas = view.GetCanvasRect();
    QCOMPARE(canvas.size(), QSizeF(display.size()));
    QVERIFY(std::abs(canvas.center().x() - shown.width() / 2.0) <= 1);
    QVERIFY(std::abs(canvas.center().y() - shown.height() / 2.0) <= 1);
    const QPoint corner = canvas.topLeft().toPoint();
    QCOMPARE(shown.copy(QRect(corner, display.size())), display.convertToFormat(QImage::Format_RGB32));
    QCOMPARE(shown.pixel(2, 2), qRgb(128, 128, 128));
    QCOMPARE(shown.pixel(shown.width() - 3, shown.height() - 3), qRgb(128, 128, 128));
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
    QCOMPARE(view.verticalScrollBar()->maximum(), 0);
}

void NacreformViewTest::zoomByKeysWheelAndFit()
{
    SShellHarness shell;
    CMainFrame& frame = shell.Frame();
    CNacreformView& view = shell.View();
    frame.show();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QCOMPARE(frame.GetPaneText(2), QStringLiteral("100 %"));
    const QImage display = view.GetDisplayImage().convertToFormat(QImage::Format_RGB32);

    const struct { Qt::Key key; const char* zoom; } kKeys[] = {
        {Qt::Key_Plus, "150 %"}, {Qt::Key_Plus, "200 %"}, {Qt::Key_Minus, "150 %"}, {Qt::Key_0, "100 %"},
        {Qt::Key_Equal, "150 %"}, {Qt::Key_0, "100 %"}, {Qt::Key_Minus, "75 %"},
    };
    for (const auto& k : kKeys) {
        QTest::keyClick(&frame, k.key, Qt::ControlModifier);
        QCOMPARE(frame.GetPaneText(2), QLatin1String(k.zoom));
    }

    // Larger than the window, the canvas zooms around the wheel's pointer:
    // the canvas point under it stays.
    QTest::keyClick(&frame, Qt::Key_0, Qt::ControlModifier);
    for (int step = 0; step < 4; ++step)
        QTest::keyClick(&frame, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(frame.GetPaneText(2), QStringLiteral("400 %"));
    QVERIFY(view.horizontalScrollBar()->maximum() > 0 && view.verticalScrollBar()->maximum() > 0);
    const QPointF pointer = QRectF(view.viewport()->rect()).center() + QPointF(10, 10);
    const QPointF before = (pointer - view.GetCanvasRect().topLeft()) / 4;
    QWheelEvent wheel(pointer, view.viewport()->mapToGlobal(pointer), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &wheel);
    QCOMPARE(frame.GetPaneText(2), QStringLiteral("600 %"));
    const QPointF after = (pointer - view.GetCanvasRect().topLeft()) / 6;
    QVERIFY2((after - before).manhattanLength() < 0.5,
             qPrintable(QStringLiteral("%1, %2 became %3, %4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));

    // Enlarged, each pixel of the design is a block of 6 x 6, unfiltered.
    const QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint corner = view.GetCanvasRect().topLeft().toPoint();
    const QPoint at = after.toPoint();
    for (const QPoint offset : {QPoint(0, 0), QPoint(5, 0), QPoint(2, 5), QPoint(5, 5)})
        QCOMPARE(shown.pixel(corner + 6 * at + offset), display.pixel(at));

    // Fitting shows the whole canvas and follows the window.
    frame.GetCommand(kIdViewZoomFit)->trigger();
    const QRectF fitted = view.GetCanvasRect();
    QVERIFY(QRectF(view.viewport()->rect()).contains(fitted.adjusted(1, 1, -1, -1)));
    QVERIFY(fitted.width() >= view.viewport()->width() - 1 || fitted.height() >= view.viewport()->height() - 1);
    const QString fittedZoom = frame.GetPaneText(2);
    frame.resize(frame.width() - 200, frame.height() - 150);
    QTRY_VERIFY(frame.GetPaneText(2) != fittedZoom);
    QVERIFY(QRectF(view.viewport()->rect()).contains(view.GetCanvasRect().adjusted(1, 1, -1, -1)));
}

void NacreformViewTest::largeCanvasScrollsOverItsSize()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    shell.Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell.Frame()));
    shell.Doc().ShapeSize = {900, 900};
    view.UpdatePreview(true);
    const QSize canvas = view.GetDisplayImage().size();
    QTRY_COMPARE(view.horizontalScrollBar()->maximum(), canvas.width() - view.viewport()->width());
    QTRY_COMPARE(view.verticalScrollBar()->maximum(), canvas.height() - view.viewport()->height());
    QCOMPARE(view.horizontalScrollBar()->pageStep(), view.viewport()->width());

    // Scrolled to the end, the canvas's bottom-right pixel is the viewport's.
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    const QImage shown = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.pixel(shown.width() - 1, shown.height() - 1),
             view.GetDisplayImage().pixel(canvas.width() - 1, canvas.height() - 1));
}

void NacreformViewTest::failedRenderKeepsSizesAndShowsNothing()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    const QString paneBefore = shell.Frame().GetPaneText(1);
    shell.Doc().Renderer.reset();
    QSignalSpy renders(&view, &CNacreformView::Rendered);
    view.UpdatePreview(true);
    QCOMPARE(renders.count(), 1);
    QVERIFY(view.GetRenderedImage().isNull());
    QVERIFY(view.GetDisplayImage().isNull());
    QVERIFY(!view.CanExportImage());
    QCOMPARE(shell.Frame().GetPaneText(1), paneBefore);
}

void NacreformViewTest::failedRenderIsExplainedUntilARenderSucceeds()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    QCOMPARE(shell.Frame().GetPaneText(0), CMainFrame::kIdleText);
    const QString paneBefore = shell.Frame().GetPaneText(1);
    shell.Doc().ShapeSize = {100000, 100000};
    view.UpdatePreview(true);
    QVERIFY(view.GetDisplayImage().isNull());
    QCOMPARE(shell.Frame().GetPaneText(0), CMainFrame::kRenderFailedText);
    QCOMPARE(shell.Frame().GetPaneText(1), paneBefore);

    shell.Doc().ShapeSize = {64, 64};
    view.UpdatePreview(true);
    QVERIFY(!view.GetDisplayImage().isNull());
    QCOMPARE(shell.Frame().GetPaneText(0), CMainFrame::kIdleText);
}

void NacreformViewTest::initialUpdateKeepsTheDesignsFileAndRenders()
{
    SShellHarness shell;
    shell.Doc().SetPathName(QStringLiteral("/somewhere/design.nfd"));
    shell.Doc().SetTitle(QStringLiteral("design.nfd"));
    QSignalSpy renders(&shell.View(), &CNacreformView::Rendered);
    shell.View().UpdatePreview(false);
    shell.View().OnInitialUpdate();
    QCOMPARE(shell.Doc().GetPathName(), QStringLiteral("/somewhere/design.nfd"));
    QCOMPARE(shell.Doc().GetTitle(), QStringLiteral("design.nfd"));
    QCOMPARE(renders.count(), 1);
    QVERIFY(!shell.View().IsRenderPending());
}

void NacreformViewTest::largeDesignRendersBehindTheLastPictureAndShowsOnlyTheNewest()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    QSignalSpy renders(&view, &CNacreformView::Rendered);
    const QImage shown = view.GetDisplayImage();
    // Canvases past a few thousand pixels go to the worker; these two
    // designs take far longer than one request to the next.
    view.SetForegroundPixels(1000);
    shell.Doc().Margin = 300;
    view.UpdatePreview(true);
    QVERIFY(view.IsRenderInBackground());
    QCOMPARE(view.GetDisplayImage(), shown);
    QCOMPARE(shell.Frame().GetPaneText(1), QStringLiteral(" 145 × 148"));
    shell.Doc().Margin = 200;
    view.UpdatePreview(true);

    QTRY_VERIFY_WITH_TIMEOUT(!view.IsRenderInBackground(), 20000);
    QCOMPARE(renders.count(), 1);
    QCOMPARE(view.GetDisplayImage().size(), QSize(535, 538));
    QCOMPARE(view.GetRenderedImage().size(), QSize(535, 538));
    QCOMPARE(shell.Frame().GetPaneText(1), QStringLiteral(" 535 × 538"));
    // No late result of the overtaken render follows.
    QTest::qWait(200);
    QCOMPARE(renders.count(), 1);

    // A small design renders at once again and drops a background render.
    shell.Doc().Margin = 600;
    view.UpdatePreview(true);
    view.SetForegroundPixels(CNacreformView::kForegroundPixels);
    shell.Doc().Margin = 5;
    view.UpdatePreview(true);
    QVERIFY(!view.IsRenderInBackground());
    QCOMPARE(view.GetDisplayImage().size(), QSize(145, 148));
    QTest::qWait(200);
    QCOMPARE(view.GetDisplayImage().size(), QSize(145, 148));
}

void NacreformViewTest::copyDuringABackgroundRenderKeepsTheShownBitmapsBackground()
{
    SShellHarness shell;
    CNacreformView& view = shell.View();
    view.SetForegroundPixels(1000);
    shell.Doc().BGTrans = 1;
    view.UpdatePreview(true);
    QTRY_VERIFY_WITH_TIMEOUT(!view.IsRenderInBackground(), 20000);
    // Unticking the transparent background starts a render in the worker;
    // until it arrives the shown bitmaps are the transparent design's, and
    // a copy must take their alpha, not the checkerboard behind them.
    shell.Doc().BGTrans = 0;
    shell.Doc().Margin = 300;
    view.UpdatePreview(true);
    QVERIFY(view.IsRenderInBackground());
    view.OnEditCopy();
    const QMimeData* copiedData = QGuiApplication::clipboard()->mimeData();
    const QImage copied = qvariant_cast<QImage>(copiedData->imageData());
    QCOMPARE(copied.convertToFormat(QImage::Format_ARGB32),
             view.GetRenderedImage().convertToFormat(QImage::Format_ARGB32));
    // Drawing programs and web editors get the shapes themselves.
    QCOMPARE(copiedData->data(QStringLiteral("image/svg+xml")), EncodeButtonSvg(shell.Doc(), EButtonState::Normal));
    QTRY_VERIFY_WITH_TIMEOUT(!view.IsRenderInBackground(), 20000);
}

void NacreformViewTest::brokenPictureMessageLeavesTheRenderShown()
{
    SShellHarness shell;
    shell.Frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&shell.Frame()));
    CNacreformView& view = shell.View();
    CPaintWatcher watcher(view);
    QFile broken(shell.FilePath(QStringLiteral("broken.png")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("\x89PNG not really");
    broken.close();

    // The message box's event loop paints the window while the render waits.
    shell.dialogs.whileMessageShown = [] { QCoreApplication::processEvents(); };
    shell.Doc().ImagePath = broken.fileName();
    view.UpdatePreview(true);
    QCOMPARE(shell.dialogs.messages.size(), 1);
    QVERIFY(!view.GetDisplayImage().isNull());
    QTRY_VERIFY(watcher.lastPaintShowedPicture);
}

NACREFORM_QTEST(NacreformViewTest)
#include "NacreformViewTest.moc"
